// The device bar's serial controls: port list, Open, Close, Reset (Arduino),
// Quit, and the two remembered settings.

#include "app/dialog.h"
#include "console/log.h"
#include "exchange/incoming.h"
#include "link/port_list.h"
#include "sections/field_reading.h"

#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cstdlib>

namespace {

const wxColour kOlive(128, 128, 0);
constexpr const char* kAppName = "KorvaneConfigHelperExtIO";

// The user's settings file under the XDG configuration folder; values
// missing there are looked for in the machine-wide file.
wxString SettingsFile()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const wxString folder = xdg && *xdg ? wxString(xdg) : wxGetHomeDir() + "/.config";
    return folder + "/" + kAppName + ".conf";
}

std::unique_ptr<wxFileConfig> OpenSettings()
{
    return std::make_unique<wxFileConfig>(kAppName, wxEmptyString, SettingsFile(), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE);
}

} // namespace

void loggerDialog::ShowLinkState(const char* text, const wxColour& colour)
{
    // Every message from the board says "Connected": restyling a label that
    // already shows it would cost a relayout per message.
    if (statusLabel->GetLabel() == _(text) && statusLabel->GetForegroundColour() == colour)
        return;
    statusLabel->SetForegroundColour(colour);
    statusLabel->SetLabel(_(text));
}

void loggerDialog::RefreshPortList()
{
    portBox->Clear();
    std::string text;
    if (ListPorts(text) == 0)
        return;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c != '\n') {
            line += c;
            continue;
        }
        portBox->Append(_(wxString(line.c_str(), wxConvLibc)));
        line.clear();
    }
}

void loggerDialog::OnRefreshPortList(wxCommandEvent&) { RefreshPortList(); }

void loggerDialog::OnOpenPort(wxCommandEvent&)
{
    ShowLinkState("Disconnected", kOlive);
    serial.SetCallback(SerialReceiveCallback);
    const int baud = FieldInteger(baudBox);
    const std::string port = FieldText(portBox);
    // A baud text that is not a positive number can only come from the
    // settings file: it fails like a port that does not open.
    if (baud > 0 && serial.Open(port.c_str(), baud)) {
        linkSchedule.Start();
        SaveSettings();
        openButton->Disable();
        closeButton->Enable();
        resetButton->Enable();
        portBox->Disable();
        SetConsoleColour(10);
        LogLine("Port %s opened at %d\n", port.c_str(), baud);
    } else {
        SetConsoleColour(12);
        LogLine("Could not open port %s\n", port.c_str());
    }
    SetConsoleColour(7);
}

void loggerDialog::OnClosePort(wxCommandEvent&)
{
    ShowLinkState("Disconnected", kOlive);
    linkSchedule.Stop();
    closeButton->Disable();
    openButton->Enable();
    resetButton->Disable();
    portBox->Enable();
    serial.Close();
    LogLine("Port %s closed\n", FieldText(portBox).c_str());
}

void loggerDialog::OnResetArduino(wxCommandEvent&)
{
    ShowLinkState("Disconnected", kOlive);
    linkWatchdog = 0;
    linkSchedule.Start(); // whether or not a port is open
    serial.DtrOff();
    resetTimer.Start(500, wxTIMER_CONTINUOUS);
}

void loggerDialog::OnResetTimer(wxTimerEvent&)
{
    serial.DtrOn();
    resetTimer.Stop();
}

void loggerDialog::OnQuit(wxCommandEvent&)
{
    if (linkSchedule.Started()) {
        SaveSettings();
        serial.Close();
        LogLine("Port %s closed\n", FieldText(portBox).c_str());
    }
    LogLine("Program closed\n");
    Close(false);
}

void loggerDialog::SaveSettings()
{
    const wxLogNull quiet; // a folder that cannot be written is not the user's problem here
    wxFileName::Mkdir(wxFileName(SettingsFile()).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    const auto settings = OpenSettings();
    settings->Write("SerialPort", portBox->GetValue());
    settings->Write("BaudRate", baudBox->GetValue());
    settings->Flush();
}

void loggerDialog::LoadSettings()
{
    const wxLogNull quiet; // an unreadable or garbled file gives the defaults
    const auto settings = OpenSettings();
    portBox->SetValue(settings->Read("SerialPort", "Select port"));
    baudBox->SetValue(settings->Read("BaudRate", "115200"));
}
