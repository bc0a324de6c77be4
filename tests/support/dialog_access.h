#pragma once
// Reaches what a user cannot see of the dialog: its timers.

#include "app/dialog.h"

struct DialogInspector {
    static wxTimer& LinkTimer(loggerDialog& d) { return d.linkTimer; }
    static wxTimer& ResetTimer(loggerDialog& d) { return d.resetTimer; }
};
