#pragma once
// The debug console: a terminal window of its own, titled "Debug console",
// that shows everything the program prints while it is open. The program
// makes a pseudo-terminal, a terminal program serves its master side, and
// standard output and standard error point at its slave side.

#include <functional>
#include <string>
#include <sys/types.h>

// Starts the terminal program on the master side of the pseudo-terminal at
// `slavePath`; returns its process id, or -1.
using TerminalLauncher = std::function<pid_t(int master, const std::string& slavePath)>;

// xterm with a black background, showing the master side through a relay.
pid_t LaunchXterm(int master, const std::string& slavePath);

// The terminal program that consoles are opened in from now on; xterm
// unless set.
void UseTerminal(TerminalLauncher launch);

// Opens a new, empty console. `onClosedByUser` runs on a thread of its own
// when the terminal window goes away without CloseDebugConsole.
bool OpenDebugConsole(std::function<void()> onClosedByUser);
// Points the output back where it was; the terminal program then ends.
void CloseDebugConsole();
