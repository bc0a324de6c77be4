#pragma once
// Test helpers: what a piece of code prints on standard output, and a
// pseudo-terminal standing in for the board.

#include <chrono>
#include <functional>
#include <string>

// Everything printed on standard output while `action` runs.
std::string CaptureOutput(const std::function<void()>& action);

// Standard output goes to a file from construction to destruction; Text()
// reads what has arrived so far.
class OutputCapture {
public:
    OutputCapture();
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;
    std::string Text() const;

private:
    int saved = -1;
    int file = -1;
};

// Whether a UDP port on this machine can be bound now.
bool UdpPortIsFree(int port);

// The board's end of a pseudo-terminal; the program opens SlavePath().
class PseudoBoard {
public:
    PseudoBoard();
    ~PseudoBoard();
    PseudoBoard(const PseudoBoard&) = delete;
    PseudoBoard& operator=(const PseudoBoard&) = delete;

    const std::string& SlavePath() const { return slavePath; }
    int Master() const { return master; }
    void Send(const std::string& bytes) const;
    // Whatever arrives within `wait` (reading stops early once nothing more
    // comes for 50 ms after the first byte).
    std::string Receive(std::chrono::milliseconds wait) const;
    // Everything waiting now, without blocking.
    std::string Drain() const;
    // The board is unplugged: the master side closes.
    void Unplug();

private:
    int master = -1;
    std::string slavePath;
};
