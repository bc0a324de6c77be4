// The device bar's "Console ON/OFF" button and the console window's own end.

#include "app/dialog.h"
#include "console/debug_console.h"

void loggerDialog::OnConsoleToggle(wxCommandEvent&)
{
    consoleToggle ^= 1;
    if (consoleToggle & 1) {
        const int generation = ++consoleGeneration;
        // The terminal may be closed by its own close box: that must not end
        // the program, only close the console as the button would.
        OpenDebugConsole([this, generation] { CallAfter([this, generation] { OnConsoleGone(generation); }); });
        inputsOnlyBox->Enable();
    } else {
        CloseDebugConsole();
        inputsOnlyBox->Disable();
    }
}

void loggerDialog::OnConsoleGone(int generation)
{
    if (generation != consoleGeneration || !(consoleToggle & 1))
        return; // that console was already closed by the button
    consoleToggle ^= 1;
    CloseDebugConsole();
    inputsOnlyBox->Disable();
}
