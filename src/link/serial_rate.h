#pragma once
// Any positive baud rate through Linux's termios2 interface, for rates that
// have no termios constant. Kept apart: its kernel header clashes with glibc's.

// Sets input and output speed to `baud`; false when the driver refuses.
bool SetAnyLineSpeed(int fd, int baud);
// The output speed the driver reports, in baud; -1 when it cannot be read.
int ReadLineSpeed(int fd);
