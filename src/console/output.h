#pragma once
// Shared between the log lines and the debug console: the lock that keeps a
// line whole while standard output is being pointed elsewhere, and whether a
// console shows what is printed.

#include <mutex>

std::mutex& OutputLock();
// Both are read and written with OutputLock held.
bool ConsoleShown();
void SetConsoleShown(bool shown);
