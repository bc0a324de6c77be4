// libFuzzer target: any byte stream from the board, in blocks of any size,
// through the message assembler and the body parser.

#include "exchange/protocol.h"

#include <cstdint>
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
        // Parsing the body again gives the same answer.
        DeviceMessage again;
        ParseMessageBody(m.body.data(), m.length, again);
        if (again.kind != m.kind || again.eventId != m.eventId || again.value != m.value)
            Broken("parse is a function of the body");
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
