#pragma once
// The board's protocol: brace-framed ASCII messages and a one-byte
// acknowledgement from the board; a detect request and two output frames
// carrying the whole output memory from the program.

#include <array>
#include <cstdint>
#include <string>

constexpr const char kDetectRequest[] = "{DET}";
constexpr int kDetectRequestLength = 5;
constexpr char kAcknowledgement = '!';

// One message from the board: the bytes between its braces and, for bodies
// of 3, 4, 7 or 8 bytes, what they say.
struct DeviceMessage {
    std::string body; // as stored, NUL bytes included
    int length = 0;   // bytes stored for the body, 0 to 1000
    bool parsed = false;
    std::uint8_t kind = 0;      // 15: detect response, 10: not shown, others: control events
    std::uint16_t eventId = 0;  // 8 or 12 bits
    std::int32_t value = 0;     // 16 bits, for bodies of 7 and 8 bytes

    // The body as text: up to its first NUL byte.
    std::string Text() const { return std::string(body.c_str()); }
};

// Reads a body as one hexadecimal number, as sscanf's "%X" reads it, and
// splits it by the body's length into kind, event identifier and value.
void ParseMessageBody(const char* body, int length, DeviceMessage& message);

// Cuts the incoming byte stream into message bodies. Its state carries over
// from one block to the next (and across Close and Open of the port). No
// allocation per byte or message.
class MessageAssembler {
public:
    static constexpr int kMaxBody = 1000;

    MessageAssembler() { current.body.reserve(kMaxBody); }

    // Reports, in order, sink.Message(const DeviceMessage&) for every closing
    // brace and sink.Acknowledgement() for every "!".
    template <class Sink>
    void Feed(const char* data, int count, Sink&& sink)
    {
        for (int i = 0; i < count; ++i) {
            const char byte = data[i];
            if (byte == '{') {
                stored = 0;
            } else if (byte == '}') {
                // The stored length stays: bytes before the next "{" are
                // appended behind this body.
                buffer[static_cast<std::size_t>(stored)] = '\0';
                current.body.assign(buffer.data(), static_cast<std::size_t>(stored));
                ParseMessageBody(buffer.data(), stored, current);
                sink.Message(current);
            } else if (byte == kAcknowledgement) {
                sink.Acknowledgement();
            } else if (stored < kMaxBody) {
                buffer[static_cast<std::size_t>(stored++)] = byte;
            }
        }
    }

private:
    std::array<char, 2000> buffer{};
    int stored = 0;
    DeviceMessage current;
};
