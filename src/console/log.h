#pragma once
// The program's only way of printing: printf-style log lines on standard
// output, which the debug console shows while it is open, and the colour of
// the text that follows.

#include <string>

#if defined(__GNUC__)
#define HELPER_PRINTF_LIKE __attribute__((format(printf, 1, 2)))
#else
#define HELPER_PRINTF_LIKE
#endif

// Prints one formatted line as one write, so lines printed by two threads
// never cut into each other.
void LogLine(const char* format, ...) HELPER_PRINTF_LIKE;

// Colour attribute: bits 0-3 the text colour (1 blue, 2 green, 4 red, 8
// bright), bits 4-7 the background. Takes effect in the debug console from
// the next text on; does nothing while no console is open.
void SetConsoleColour(int attribute);

// The terminal sequence for a colour attribute.
std::string ColourSequence(int attribute);
