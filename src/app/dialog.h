#pragma once
// The program's one window: a modal dialog with the remarks and result panes,
// the notebook of editor and output pages, and the device bar.

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "exchange/incoming.h"
#include "exchange/output_memory.h"
#include "link/serial.h"
#include "link/udp_server.h"

#include <array>
#include <string>

class wxGrid;
struct ControlSectionInput;
struct IndicationSectionInput;

struct DialogInspector; // test access to the timers and internal state

// The device-range calibration fields, laid out alike on NumCtrls and Axes.
struct CalibrationControls {
    wxTextCtrl* deviceMax = nullptr;
    wxTextCtrl* simMax = nullptr;
    wxButton* centreButton = nullptr;
    wxTextCtrl* deviceCenter = nullptr;
    wxTextCtrl* simMin = nullptr;
    wxTextCtrl* deviceMin = nullptr;
    wxCheckBox* hasCenter = nullptr;
};

class loggerDialog : public wxDialog {
public:
    explicit loggerDialog(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~loggerDialog() override;

    // Applies one result of the board's stream; on the GUI thread, in order.
    void OnDeviceMessage(const IncomingItem& item);

private:
    friend struct DialogInspector;

    // Frame (src/app/frame.cpp)
    void BuildFrame();
    wxSizer* BuildLeftColumn();
    wxSizer* BuildCentreColumn();
    wxSizer* BuildMemorySizeRow();
    wxSizer* BuildDeviceBar();
    void BuildPages();
    void BuildControlPage(wxPanel* page);    // src/sections/control_page.cpp
    void BuildInputPage(wxPanel* page);      // src/sections/input_pages.cpp
    void BuildIndicationPage(wxPanel* page); // src/sections/indication_page.cpp
    void BuildAxesPage(wxPanel* page);       // src/sections/input_pages.cpp
    void BuildNumericOutputPage(wxPanel* page);  // src/exchange/grid_pages.cpp
    void BuildDiscreteOutputPage(wxPanel* page); // src/exchange/grid_pages.cpp

    // Construction (src/app/dialog.cpp)
    void ConnectEvents();
    void FinishInitialisation();

    // Section generators: shared conventions (src/sections/field_reading.cpp)
    void AppendRemarksBlock();
    void AppendSection(const std::string& section);

    // DiscrCtrls page (src/sections/control_page.cpp)
    void UpdateControlFields();
    ControlSectionInput ReadControlPage() const;
    void OnControlChoice(wxCommandEvent& event);
    void OnAddControlSection(wxCommandEvent& event);

    // Indication page (src/sections/indication_page.cpp)
    void UpdateIndicationFields();
    IndicationSectionInput ReadIndicationPage() const;
    void OnIndicationChoice(wxCommandEvent& event);
    void OnAddIndicationSection(wxCommandEvent& event);
    void OnPresetValue1(wxCommandEvent& event);
    void OnPresetValue2(wxCommandEvent& event);
    void OnPresetValue3(wxCommandEvent& event);

    // NumCtrls and Axes pages (src/sections/input_pages.cpp)
    void UpdateInputIndexField();
    void UpdateAxisIndexField();
    void HighlightAxis(int axis);
    void OnInputDatarefChoice(wxCommandEvent& event);
    void OnInputPagePaint(wxPaintEvent& event);
    void OnInputCaptureMax(wxCommandEvent& event);
    void OnInputCaptureCenter(wxCommandEvent& event);
    void OnInputCaptureMin(wxCommandEvent& event);
    void OnInputHasCenter(wxCommandEvent& event);
    void OnAddInputSection(wxCommandEvent& event);
    void OnAxisDatarefChoice(wxCommandEvent& event);
    void OnAxisChanged(wxCommandEvent& event);
    void OnAxisCaptureMax(wxCommandEvent& event);
    void OnAxisCaptureCenter(wxCommandEvent& event);
    void OnAxisCaptureMin(wxCommandEvent& event);
    void OnAxisHasCenter(wxCommandEvent& event);
    void OnAddAxisSection(wxCommandEvent& event);

    // Serial link (src/link/connection.cpp)
    void ShowLinkState(const char* text, const wxColour& colour);
    void RefreshPortList();
    void SaveSettings();
    void LoadSettings();
    void OnRefreshPortList(wxCommandEvent& event);
    void OnOpenPort(wxCommandEvent& event);
    void OnClosePort(wxCommandEvent& event);
    void OnResetArduino(wxCommandEvent& event);
    void OnResetTimer(wxTimerEvent& event);
    void OnQuit(wxCommandEvent& event);

    // UDP server (src/link/udp_controls.cpp)
    void OnUdpStart(wxCommandEvent& event);
    void OnUdpStop(wxCommandEvent& event);

    // Board exchange (src/exchange/)
    void OnLinkTimer(wxTimerEvent& event);
    void OnClearOutputs(wxCommandEvent& event);
    void OnClearAll(wxCommandEvent& event);
    void OnPageChanged(wxNotebookEvent& event);

    // Debug console (src/console/console_toggle.cpp)
    void OnConsoleToggle(wxCommandEvent& event);
    void OnConsoleGone(int generation);

    Serial serial;
    UdpServer udpServer;
    int linkWatchdog = 0;  // active link-timer ticks since the board was last heard
    int consoleToggle = 0; // bit 0: the debug console is open
    int consoleGeneration = 0; // tells a console's end from an earlier one's
    LinkSchedule linkSchedule; // started by Open and Reset, stopped by Close
    OutputMemory outputMemory;
    int selectedPage = 0; // the notebook page in front

    // Frame
    wxTextCtrl* remarksPane = nullptr;
    wxTextCtrl* resultPane = nullptr;
    wxNotebook* notebook = nullptr;
    std::array<wxPanel*, 6> pages{};
    wxComboBox* numericSizeBox = nullptr;
    wxComboBox* discreteSizeBox = nullptr;

    // DiscrCtrls page
    wxTextCtrl* eventBodyField = nullptr; // "Last control event:"
    wxTextCtrl* eventIdField = nullptr;   // "EvID(decimal)", the key number
    wxChoice* controlTypeChoice = nullptr;
    wxChoice* controlDatarefChoice = nullptr;
    wxTextCtrl* controlNameField = nullptr;
    wxTextCtrl* command1Field = nullptr;
    wxTextCtrl* value0Field = nullptr;
    wxTextCtrl* value1Field = nullptr;
    wxTextCtrl* controlIndexField = nullptr;
    wxTextCtrl* minField = nullptr;
    wxTextCtrl* maxField = nullptr;
    wxTextCtrl* incrementField = nullptr;

    // NumCtrls page
    wxTextCtrl* inputEventField = nullptr; // "EvId(decimal)", the section name
    wxTextCtrl* currentValueField = nullptr;
    wxChoice* inputDatarefChoice = nullptr;
    wxTextCtrl* inputIndexField = nullptr;
    wxTextCtrl* inputDatarefField = nullptr;
    CalibrationControls inputCalibration;

    // Indication page
    wxChoice* indicationTypeChoice = nullptr;
    wxChoice* indicationDatarefChoice = nullptr;
    wxTextCtrl* indicationDatarefField = nullptr;
    wxTextCtrl* indicationSectionField = nullptr;
    wxTextCtrl* testDataField = nullptr; // "Data for indication test", also sent to the board
    wxTextCtrl* unitField = nullptr;     // "*Device:"
    wxTextCtrl* positionField = nullptr;
    wxTextCtrl* lengthField = nullptr;
    wxTextCtrl* indicationIndexField = nullptr;
    wxTextCtrl* factorField = nullptr;
    wxTextCtrl* offsetField = nullptr;
    wxTextCtrl* maskField = nullptr;
    wxCheckBox* leadingZeroesBox = nullptr;
    std::array<wxTextCtrl*, 3> presetFields{};

    // Axes page
    std::array<wxTextCtrl*, 16> axisFields{}; // value fields by axis number
    wxChoice* axisDatarefChoice = nullptr;
    wxChoice* axisChoice = nullptr;
    wxTextCtrl* axisDatarefField = nullptr;
    wxTextCtrl* axisSectionField = nullptr;
    wxTextCtrl* axisIndexField = nullptr;
    CalibrationControls axisCalibration;

    // Output pages
    wxGrid* numericGrid = nullptr;
    wxGrid* discreteGrid = nullptr;

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
