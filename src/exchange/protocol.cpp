#include "exchange/protocol.h"

#include <cstdio>
#include <cstring>

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
    unsigned int v = 0;
    std::sscanf(text, "%X", &v);
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
