#pragma once
// What the board sends, on its way from the receive thread to the dialog.

// The serial receive callback: runs on the receive thread.
int SerialReceiveCallback(const char* data, int count);
