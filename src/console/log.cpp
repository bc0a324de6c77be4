#include "console/log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace {
std::mutex& OutputLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

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
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}
