#pragma once
// The board's line: raw bytes, 8 data bits, no parity, two stop bits, no flow
// control, modem lines ignored, reads that never wait.

#include <termios.h>

// The settings to apply, built from the port's current ones; the speed is
// set separately (see SetLineSpeed).
termios MakeLineSettings(const termios& current);
// The termios speed constant for a standard rate; 0 for any other.
speed_t StandardSpeed(int baud);
