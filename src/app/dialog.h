#pragma once
// The program's one window: a modal dialog with the remarks and result panes,
// the notebook of editor and output pages, and the device bar.

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <array>

struct DialogInspector; // test access to the timers and internal state

class loggerDialog : public wxDialog {
public:
    explicit loggerDialog(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~loggerDialog() override;

private:
    friend struct DialogInspector;

    // Frame (src/app/frame.cpp)
    void BuildFrame();
    wxSizer* BuildLeftColumn();
    wxSizer* BuildCentreColumn();
    wxSizer* BuildMemorySizeRow();
    wxSizer* BuildDeviceBar();
    void BuildPages();

    // Construction (src/app/dialog.cpp)
    void ConnectEvents();
    void FinishInitialisation();

    int linkWatchdog = 0;  // active link-timer ticks since the board was last heard
    int consoleToggle = 0; // bit 0: the debug console is open

    // Frame
    wxTextCtrl* remarksPane = nullptr;
    wxTextCtrl* resultPane = nullptr;
    wxNotebook* notebook = nullptr;
    std::array<wxPanel*, 6> pages{};
    wxComboBox* numericSizeBox = nullptr;
    wxComboBox* discreteSizeBox = nullptr;

    // Device bar
    wxTextCtrl* deviceField = nullptr;
    wxStaticText* statusLabel = nullptr;
    wxButton* refreshButton = nullptr;
    wxComboBox* portBox = nullptr;
    wxComboBox* baudBox = nullptr;
    wxButton* openButton = nullptr;
    wxButton* resetButton = nullptr;
    wxButton* closeButton = nullptr;
    wxTextCtrl* udpPortField = nullptr;
    wxButton* udpStartButton = nullptr;
    wxButton* udpStopButton = nullptr;
    wxButton* consoleButton = nullptr;
    wxCheckBox* inputsOnlyBox = nullptr;
    wxButton* quitButton = nullptr;

    wxTimer linkTimer;
    wxTimer resetTimer;
};
