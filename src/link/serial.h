#pragma once
// The link to the board: a serial port opened at a baud rate with the board's
// line settings, a receive thread that hands every chunk of received bytes to
// a callback, non-blocking frame writes, and the DTR line that resets the board.

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

class Serial {
public:
    // Called on the receive thread with 1 to 1000 bytes; they are valid only
    // until the callback returns. The result is not used.
    using Callback = int (*)(const char* data, int count);

    Serial();
    virtual ~Serial();
    Serial(const Serial&) = delete;
    Serial& operator=(const Serial&) = delete;

    void SetCallback(Callback callback);
    // 1 when the port is open and configured, 0 otherwise. A name without a
    // slash is looked up under /dev.
    int Open(const char* portName, int baudRate);
    // Ends the receive thread and releases the port.
    int Close();
    // Hands one whole frame to the port without waiting for it. -1 when the
    // port failed or has taken nothing for the write time-out of the frame
    // before; otherwise the frame was queued, or skipped because the port is
    // still busy with earlier frames (the next frame carries the same data).
    int Write(const char* data, int length);
    void DtrOn();
    void DtrOff();

private:
    void ReadingThread();
    bool Configure(int baud) const;
    bool PauseUnlessClosed(int milliseconds) const;
    int SendPending();
    bool LineBacklogged() const;

    int device = -1;
    std::atomic<int> openFlag{0};
    std::vector<char> receiveBuffer;
    static constexpr int receiveBufferSize = 1000; // also the most one read asks for
    std::thread receiveThread;
    std::atomic<Callback> callback{nullptr};
    int baudRate = 0;
    int wakeUp = -1; // signalled by Close, so the receive thread stops at once

    // The unsent rest of a frame the port took only in part: it goes out
    // before anything else, so no frame is ever cut.
    std::vector<char> pending;
    std::size_t pendingFrameLength = 0;
    std::chrono::steady_clock::time_point lastProgress;
};
