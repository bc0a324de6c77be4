// libFuzzer target: any byte stream from the board, in blocks of any size,
// through the message assembler and the body parser.

#include "exchange/protocol.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void Broken(const char* what)
{
    __builtin_printf("invariant broken: %s\n", what);
    std::abort();
}

struct Check {
    void Message(const DeviceMessage& m)
    {
        if (m.length < 0 || m.length > MessageAssembler::kMaxBody)
            Broken("stored length within 0..1000");
        if (m.body.size() != static_cast<std::size_t>(m.length))
            Broken("body of the stored length");
        const bool parsable = m.length == 3 || m.length == 4 || m.length == 7 || m.length == 8;
        if (m.parsed != parsable)
            Broken("parsed exactly for lengths 3, 4, 7 and 8");
        const unsigned limit = (m.length == 3 || m.length == 7) ? 0xFF : 0xFFF;
        if (m.parsed && m.eventId > limit)
            Broken("event identifier within 8 or 12 bits");
        if (m.parsed && (m.value < 0 || m.value > 0xFFFF))
            Broken("value within 16 bits");
        if (m.parsed && m.length < 7 && m.value != 0)
            Broken("no value in the short forms");
        // The number is read exactly as the C library's sscanf "%X" reads it.
        if (m.parsed) {
            char text[9] = {};
            std::memcpy(text, m.body.data(), static_cast<std::size_t>(m.length));
            unsigned int v = 0;
            std::sscanf(text, "%X", &v);
            DeviceMessage reference;
            ParseMessageBody(text, m.length, reference);
            const unsigned shift = m.length == 3 ? 8 : m.length == 4 ? 12 : m.length == 7 ? 24 : 28;
            if (m.kind != static_cast<std::uint8_t>(v >> shift) || reference.kind != m.kind)
                Broken("kind as sscanf reads the body");
            const unsigned id = m.length == 3 ? (v & 0xFF) : m.length == 4 ? (v & 0xFFF)
                              : m.length == 7 ? ((v >> 16) & 0xFF) : ((v >> 16) & 0xFFF);
            if (m.eventId != id)
                Broken("event identifier as sscanf reads the body");
            if (m.length >= 7 && m.value != static_cast<std::int32_t>(v & 0xFFFF))
                Broken("value as sscanf reads the body");
        }
    }
    void Acknowledgement() {}
};

MessageAssembler assembler; // kept across inputs, as in the program

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte chooses the block size, so splits land everywhere.
    if (size == 0)
        return 0;
    const std::size_t block = 1 + data[0] % 64;
    Check check;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    for (std::size_t at = 0; at < size - 1; at += block)
        assembler.Feed(bytes + at, static_cast<int>(std::min(block, size - 1 - at)), check);
    return 0;
}
