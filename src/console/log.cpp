#include "console/log.h"

#include "console/output.h"

#include <cstdarg>
#include <cstdio>
#include <unistd.h>

namespace {
bool consoleShown = false;

void WriteOut(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
} // namespace

std::mutex& OutputLock()
{
    static std::mutex lock;
    return lock;
}

bool ConsoleShown() { return consoleShown; }

void SetConsoleShown(bool shown) { consoleShown = shown; }

void LogLine(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    std::string line(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(line.data(), line.size() + 1, format, args);
    va_end(args);

    const std::lock_guard<std::mutex> hold(OutputLock());
    WriteOut(line);
}

std::string ColourSequence(int attribute)
{
    // Console colour bits are blue, green, red; terminal colours count red,
    // green, blue.
    const auto terminalColour = [](int bits) {
        return ((bits & 4) ? 1 : 0) | ((bits & 2) ? 2 : 0) | ((bits & 1) ? 4 : 0);
    };
    const int text = attribute & 0xF;
    const int background = (attribute >> 4) & 0xF;
    const int textCode = ((text & 8) ? 90 : 30) + terminalColour(text);
    const int backgroundCode = ((background & 8) ? 100 : 40) + terminalColour(background);
    return "\x1b[0;" + std::to_string(textCode) + ";" + std::to_string(backgroundCode) + "m";
}

void SetConsoleColour(int attribute)
{
    const std::lock_guard<std::mutex> hold(OutputLock());
    if (consoleShown)
        WriteOut(ColourSequence(attribute));
}
