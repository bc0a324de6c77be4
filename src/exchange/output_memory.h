#pragma once
// The two output images the board shows: the numeric memory (one character
// per display position, 8 to a unit) and the discrete memory ("0" or "1" per
// lamp). Each lives behind its 4-byte frame head, so a frame goes out
// straight from its buffer; and the link timer's schedule of what to send.

#include <array>
#include <string_view>

constexpr int kNumericCapacity = 384;
constexpr int kDiscreteCapacity = 1024;

// The leading base-10 number of a size box's text ("128", also "128 units"),
// limited to 0..capacity; 0 when the text starts with no number.
int MemorySize(std::string_view text, int capacity);

class OutputMemory {
public:
    OutputMemory() { ClearAll(); }

    // Every position of both memories: spaces and "0"s.
    void ClearAll();
    // Positions 0-127 of the numeric and 0-63 of the discrete memory, the
    // ones the output pages show, whatever the sizes.
    void ClearOutputs();

    // The Indication page's test data: numeric (type 1) into unit `unit` at
    // `position` for at most `length` bytes, running on into the next unit;
    // discrete (type 2) at absolute `position`, "1" when the data reads as an
    // odd number. `numericSize` and `discreteSize` bound what is reached.
    void CopyTestData(int type, int unit, int position, int length, std::string_view data,
                      int numericSize, int discreteSize);

    // Hands the frame of the first `size` positions to `write` as one piece:
    // head, memory, "}". The memory keeps its characters behind the frame.
    template <class Write>
    int SendNumeric(int size, Write&& write) { return Send(numeric.data(), size, write); }
    template <class Write>
    int SendDiscrete(int size, Write&& write) { return Send(discrete.data(), size, write); }

    char Numeric(int position) const { return numeric[static_cast<std::size_t>(4 + position)]; }
    char Discrete(int position) const { return discrete[static_cast<std::size_t>(4 + position)]; }

private:
    template <class Write>
    static int Send(char* buffer, int size, Write&& write)
    {
        // The brace goes behind the current size only for the write: a later,
        // larger size must find the memory's own character there.
        char& behind = buffer[4 + size];
        const char kept = behind;
        behind = '}';
        const int result = write(buffer, size + 5);
        behind = kept;
        return result;
    }

    // Head, memory, room for the brace behind the largest memory.
    std::array<char, 4 + kNumericCapacity + 2> numeric{};
    std::array<char, 4 + kDiscreteCapacity + 2> discrete{};
};

// What one tick of the link timer sends.
struct TickPlan {
    bool active = false;       // past the start countdown: copy, send and count
    bool numericFrame = false;
    bool discreteFrame = false;
    bool detectRequest = false;
};

// Open and Reset start a countdown of 49 silent ticks; then every tick is
// active: nine frame ticks (while Indication, or for the numeric frame also
// Axes, is in front) and a detect request on the tenth.
class LinkSchedule {
public:
    static constexpr int kIndicationPage = 2;
    static constexpr int kAxesPage = 3;

    void Start() { startCountdown = 50; }
    void Stop() { startCountdown = 0; }
    bool Started() const { return startCountdown != 0; }
    TickPlan NextTick(int selectedPage);

private:
    int startCountdown = 0;
    int detectionCounter = 0; // kept across Open and Close
};
