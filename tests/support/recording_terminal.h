#pragma once
// A stand-in for the console's terminal program: it copies everything the
// console shows into a file.

#include "console/debug_console.h"

#include <string>

TerminalLauncher RecordingTerminal(const std::string& logPath);
std::string ReadFile(const std::string& path);
