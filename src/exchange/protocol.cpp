#include "exchange/protocol.h"

#include <cstring>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What sscanf(text, "%X", &v) leaves in v (starting at 0): leading white
// space, a sign and a "0x" prefix are accepted, and conversion stops at the
// first character that is not a hexadecimal digit. The bodies read here have
// at most eight characters, so the value always fits.
std::uint32_t ReadHex(const char* text)
{
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigit(p[2]) >= 0)
        p += 2;
    std::uint32_t value = 0;
    for (int digit; (digit = HexDigit(*p)) >= 0; ++p)
        value = value * 16 + static_cast<std::uint32_t>(digit);
    return negative ? 0u - value : value;
}

} // namespace

void ParseMessageBody(const char* body, int length, DeviceMessage& message)
{
    message.length = length;
    message.parsed = length == 3 || length == 4 || length == 7 || length == 8;
    message.kind = 0;
    message.eventId = 0;
    message.value = 0;
    if (!message.parsed)
        return;

    char text[9] = {};
    std::memcpy(text, body, static_cast<std::size_t>(length)); // a NUL inside ends the number
    const std::uint32_t v = ReadHex(text);
    switch (length) {
    case 3:
        message.kind = static_cast<std::uint8_t>(v >> 8);
        message.eventId = static_cast<std::uint16_t>(v & 0xFF);
        break;
    case 4:
        message.kind = static_cast<std::uint8_t>(v >> 12);
        message.eventId = static_cast<std::uint16_t>(v & 0xFFF);
        break;
    case 7:
        message.kind = static_cast<std::uint8_t>(v >> 24);
        message.eventId = static_cast<std::uint16_t>((v >> 16) & 0xFF);
        message.value = static_cast<std::int32_t>(v & 0xFFFF);
        break;
    default:
        message.kind = static_cast<std::uint8_t>(v >> 28);
        message.eventId = static_cast<std::uint16_t>((v >> 16) & 0xFFF);
        message.value = static_cast<std::int32_t>(v & 0xFFFF);
        break;
    }
}
