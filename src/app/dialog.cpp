// Construction of the dialog: the frame and pages, the timers, the event
// wiring and the state the user sees when the dialog first appears.

#include "app/dialog.h"

#include "app/controls.h"

loggerDialog::loggerDialog(wxWindow* parent, wxWindowID id)
{
    // The default dialog style has a caption, a system menu and a close box,
    // and no resize border.
    Create(parent, id, _("wxWidgets app"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
           "wxID_ANY");
    BuildFrame();

    linkTimer.SetOwner(this, IdOf(ID_LINKTIMER));
    linkTimer.Start(20, wxTIMER_CONTINUOUS);
    resetTimer.SetOwner(this, IdOf(ID_RESETTIMER));
    resetTimer.Start(999999, wxTIMER_ONE_SHOT);

    GetSizer()->Fit(this);
    GetSizer()->SetSizeHints(this);
    FinishInitialisation();
}

loggerDialog::~loggerDialog() = default;

void loggerDialog::FinishInitialisation()
{
    SetTitle(_("Config helper 0.3.2 - extended IO edition"));

    statusLabel->SetForegroundColour(wxColour(128, 128, 0));
    linkWatchdog = 0;
    statusLabel->SetLabel(_("Disconnected"));

    resetButton->Disable();
    resetTimer.Stop();
    consoleToggle = 0;

    notebook->Refresh(true);
}
