#pragma once
// The program's only way of printing: printf-style log lines on standard
// output, which the debug console shows while it is open.

#if defined(__GNUC__)
#define HELPER_PRINTF_LIKE __attribute__((format(printf, 1, 2)))
#else
#define HELPER_PRINTF_LIKE
#endif

// Prints one formatted line as one write, so lines printed by two threads
// never cut into each other.
void LogLine(const char* format, ...) HELPER_PRINTF_LIKE;
