// Construction of the dialog: the frame and pages, the timers, the event
// wiring and the state the user sees when the dialog first appears.

#include "app/dialog.h"

#include "app/controls.h"
#include "console/debug_console.h"
#include "link/udp_controls.h"

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
    ConnectEvents();
    FinishInitialisation();
}

// No thread may touch the dialog once it goes: the receive threads end and
// the output comes back from the console before any member is destroyed.
loggerDialog::~loggerDialog()
{
    linkTimer.Stop();
    resetTimer.Stop();
    serial.Close();
    udpServer.Stop();
    CloseDebugConsole();
}

namespace {

// One row of the event wiring: which control, which event, which handler.
struct Wire {
    ControlId source;
    wxEventType type;
    wxObjectEventFunction handler;
};

} // namespace

void loggerDialog::ConnectEvents()
{
    // In this order; several controls share a handler where they act alike.
    const Wire wiring[] = {
        {ID_CHOICE2, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnControlChoice)},
        {ID_CHOICE1, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnControlChoice)},
        {ID_BUTTON5, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAddControlSection)},
        {ID_CHOICE7, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnInputDatarefChoice)},
        {ID_BUTTON18, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnInputCaptureMax)},
        {ID_BUTTON19, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnInputCaptureCenter)},
        {ID_BUTTON20, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnInputCaptureMin)},
        {ID_CHECKBOX4, wxEVT_CHECKBOX, wxCommandEventHandler(loggerDialog::OnInputHasCenter)},
        {ID_BUTTON21, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAddInputSection)},
        {ID_PANEL6, wxEVT_PAINT, wxPaintEventHandler(loggerDialog::OnInputPagePaint)},
        {ID_CHOICE4, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnIndicationChoice)},
        {ID_CHOICE3, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnIndicationChoice)},
        {ID_BUTTON6, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAddIndicationSection)},
        {ID_BUTTON15, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnPresetValue1)},
        {ID_BUTTON16, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnPresetValue2)},
        {ID_BUTTON17, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnPresetValue3)},
        {ID_CHOICE6, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnAxisDatarefChoice)},
        {ID_CHOICE5, wxEVT_CHOICE, wxCommandEventHandler(loggerDialog::OnAxisChanged)},
        {ID_BUTTON12, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAxisCaptureMax)},
        {ID_BUTTON13, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAxisCaptureCenter)},
        {ID_BUTTON14, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAxisCaptureMin)},
        {ID_CHECKBOX3, wxEVT_CHECKBOX, wxCommandEventHandler(loggerDialog::OnAxisHasCenter)},
        {ID_BUTTON10, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnAddAxisSection)},
        {ID_BUTTON7, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnClearOutputs)},
        {ID_BUTTON11, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnClearOutputs)},
        {ID_NOTEBOOK1, wxEVT_NOTEBOOK_PAGE_CHANGED, wxNotebookEventHandler(loggerDialog::OnPageChanged)},
        {ID_COMBOBOX3, wxEVT_COMBOBOX, wxCommandEventHandler(loggerDialog::OnClearAll)},
        {ID_BUTTON24, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnClearAll)},
        {ID_COMBOBOX4, wxEVT_COMBOBOX, wxCommandEventHandler(loggerDialog::OnClearAll)},
        {ID_BUTTON4, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnRefreshPortList)},
        {ID_BUTTON1, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnOpenPort)},
        {ID_BUTTON8, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnResetArduino)},
        {ID_BUTTON2, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnClosePort)},
        {ID_BUTTON22, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnUdpStart)},
        {ID_BUTTON23, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnUdpStop)},
        {ID_BUTTON9, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnConsoleToggle)},
        {ID_BUTTON3, wxEVT_BUTTON, wxCommandEventHandler(loggerDialog::OnQuit)},
        {ID_LINKTIMER, wxEVT_TIMER, wxTimerEventHandler(loggerDialog::OnLinkTimer)},
        {ID_RESETTIMER, wxEVT_TIMER, wxTimerEventHandler(loggerDialog::OnResetTimer)},
    };
    for (const Wire& wire : wiring) {
        // Paint events do not travel up to the dialog: that one is connected
        // on the NumCtrls panel itself, with the dialog handling it.
        wxWindow* source = wire.type == wxEVT_PAINT ? pages[1] : static_cast<wxWindow*>(this);
        const int id = wire.type == wxEVT_PAINT ? wxID_ANY : IdOf(wire.source);
        source->Connect(id, wxID_ANY, wire.type, wire.handler, nullptr, this);
    }
}

void loggerDialog::FinishInitialisation()
{
    SetTitle(_("Config helper 0.3.2 - extended IO edition"));

    statusLabel->SetForegroundColour(wxColour(128, 128, 0));
    linkWatchdog = 0;
    statusLabel->SetLabel(_("Disconnected"));

    RefreshPortList();
    LoadSettings(); // after the refresh, so a remembered name is the box's text

    PublishDialog(this);

    UpdateControlFields();
    UpdateIndicationFields();
    outputMemory.ClearAll();

    resetButton->Disable();
    resetTimer.Stop();
    consoleToggle = 0;

    axisChoice->SetSelection(0);
    HighlightAxis(0);

    notebook->Refresh(true);
    udpServer.SetCallback(IgnoreDatagram);
}
