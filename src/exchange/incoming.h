#pragma once
// What the board sends, on its way from the receive thread to the dialog.

#include "exchange/protocol.h"

class loggerDialog;

// One result of the message assembler, as the dialog applies it.
struct IncomingItem {
    bool acknowledgement = false;
    DeviceMessage message;
};

// The dialog that incoming messages are handed to; set once it is built.
void PublishDialog(loggerDialog* dialog);

// The serial receive callback, on the receive thread: splits and parses the
// bytes and hands the results, in order, to the GUI thread. Never touches a
// control and never waits for the GUI thread.
int SerialReceiveCallback(const char* data, int count);
