// The window around the pages: left column with the two panes, the notebook
// with the memory-size row under it, a vertical line and the device bar.

#include "app/controls.h"
#include "app/dialog.h"

#include <algorithm>

namespace {

struct PageTab {
    ControlId panel;
    const char* label;
};

// Notebook order; the first page added is the one in front at start.
constexpr std::array<PageTab, 6> kPageTabs = {{
    {ID_PANEL1, "DiscrCtrls"},
    {ID_PANEL6, "NumCtrls"},
    {ID_PANEL2, "Indication"},
    {ID_PANEL3, "Axes"},
    {ID_PANEL4, "AlphNum Indic"},
    {ID_PANEL5, "Discrete Indic"},
}};

// A tab's room beyond its label in GTK's notebook.
constexpr int kTabPadding = 36;

} // namespace

void loggerDialog::BuildFrame()
{
    auto* top = NewGrid(3, 1);
    auto* mainRow = NewGrid(3, 6);
    Put(mainRow, BuildLeftColumn(), {kAllExpand, 0});
    Put(mainRow, BuildCentreColumn(), {kAllCentredHorizontally, 0});
    Put(mainRow, NewLine(this, ID_STATICLINE1, wxLI_VERTICAL), {kAllExpand, 0});

    auto* rightColumn = NewGrid(11, 1);
    Put(rightColumn, BuildDeviceBar(), {kNoLeftCentred, 8});
    Put(mainRow, rightColumn, {kAllExpand, 0});

    Put(top, mainRow, {kAllExpand, 0});
    SetSizer(top);
}

wxSizer* loggerDialog::BuildLeftColumn()
{
    auto* column = NewGrid(5, 1);
    Put(column, NewLabel(this, ID_STATICTEXT6, "Remarks"), {kAllCentred, 0});
    remarksPane = NewTextField(this, ID_TEXTCTRL2, "Some comment (remove all to omit comments)",
                               wxSize(399, 64), wxTE_MULTILINE);
    Put(column, remarksPane, {kAllCentred, 5});
    Put(column, NewLabel(this, ID_STATICTEXT12, "Result section for ini file"), {kAllCentred, 0});
    resultPane = NewTextField(this, ID_TEXTCTRL7, "", wxSize(411, 407), wxTE_MULTILINE);
    Put(column, resultPane, {kAllExpand, 5});
    Put(column, NewLine(this, ID_STATICLINE5, wxLI_HORIZONTAL, wxSize(10, -1)), {kAllCentred, 5});
    return column;
}

wxSizer* loggerDialog::BuildCentreColumn()
{
    auto* column = NewGrid(22, 1);
    notebook = new wxNotebook(this, IdOf(ID_NOTEBOOK1), wxDefaultPosition, wxDefaultSize, 0,
                              NameOf(ID_NOTEBOOK1));
    BuildPages();
    Put(column, notebook, {kAllExpand, 5});
    Put(column, BuildMemorySizeRow(), {kAllCentred, 5});
    return column;
}

void loggerDialog::BuildPages()
{
    using PageBuilder = void (loggerDialog::*)(wxPanel*);
    const std::array<PageBuilder, 6> builders = {
        &loggerDialog::BuildControlPage, &loggerDialog::BuildInputPage,
        &loggerDialog::BuildIndicationPage, &loggerDialog::BuildAxesPage,
        &loggerDialog::BuildNumericOutputPage, &loggerDialog::BuildDiscreteOutputPage,
    };
    for (std::size_t i = 0; i < kPageTabs.size(); ++i) {
        const ControlId id = kPageTabs[i].panel;
        pages[i] = new wxPanel(notebook, IdOf(id), wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                               NameOf(id));
        (this->*builders[i])(pages[i]);
    }
    int tabsWidth = 0;
    for (std::size_t i = 0; i < kPageTabs.size(); ++i) {
        notebook->AddPage(pages[i], _(kPageTabs[i].label), false);
        tabsWidth += notebook->GetTextExtent(_(kPageTabs[i].label)).x + kTabPadding;
    }
    // Wide enough for every tab: GTK would hide the last ones behind arrows.
    notebook->SetMinSize(wxSize(std::max(notebook->GetBestSize().x, tabsWidth), -1));
}

wxSizer* loggerDialog::BuildMemorySizeRow()
{
    auto* row = NewGrid(1, 0);
    numericSizeBox = NewComboBox(this, ID_COMBOBOX3, wxSize(78, 21),
                                 {"128", "48", "96", "144", "192", "240", "288", "336", "384"}, 0);
    Put(row, numericSizeBox, {kAllCentred, 5});
    Put(row, NewLabel(this, ID_STATICTEXT70, "Numeric\nmemory size"), {kAllCentred, 5});
    Put(row, NewButton(this, ID_BUTTON24, "ClearAll"), {kAllCentred, 5});
    discreteSizeBox = NewComboBox(this, ID_COMBOBOX4, wxSize(72, 21),
                                  {"64", "128", "256", "384", "512", "640", "768", "896", "1024"}, 0);
    Put(row, discreteSizeBox, {kAllCentred, 5});
    Put(row, NewLabel(this, ID_STATICTEXT71, "Discrete\nmemory size"), {kAllCentred, 5});
    return row;
}

wxSizer* loggerDialog::BuildDeviceBar()
{
    auto* bar = NewGrid(40, 1);
    auto heading = [this](ControlId id, const char* text, const wxFont& font) {
        wxStaticText* label = NewLabel(this, id, text);
        label->SetFont(font);
        return label;
    };
    const auto horizontalLine = [this](ControlId id) {
        return NewLine(this, id, wxLI_HORIZONTAL, wxSize(10, -1));
    };

    Put(bar, heading(ID_STATICTEXT1, "Device", BarFont(wxFONTWEIGHT_BOLD, "Arial")), {kAllCentred, 1});
    deviceField = NewTextField(this, ID_TEXTCTRL22, "", wxSize(32, 21));
    Put(bar, deviceField, {kAllCentred, 0});
    statusLabel = heading(ID_STATICTEXT2, "Disconnected", BarFont(wxFONTWEIGHT_BOLD));
    Put(bar, statusLabel, {kAllCentred, 0});
    Put(bar, horizontalLine(ID_STATICLINE7), {kAllExpand, 0});

    Put(bar, heading(ID_STATICTEXT24, "Serial port", BarFont(wxFONTWEIGHT_BOLD, "Arial")), {kAllCentred, 5});
    refreshButton = NewButton(this, ID_BUTTON4, "Refresh list");
    Put(bar, refreshButton, {kAllExpand, 1});
    portBox = NewComboBox(this, ID_COMBOBOX1, wxSize(69, 21), {}, -1);
    Put(bar, portBox, {kAllExpand, 1});
    Put(bar, NewLabel(this, ID_STATICTEXT51, "Baudrate"), {kAllCentred, 0});
    baudBox = NewComboBox(this, ID_COMBOBOX2, wxSize(79, 21),
                          {"9600", "19200", "38400", "57600", "115200"}, 4);
    baudBox->Disable();
    Put(bar, baudBox, {kAllCentred, 5});
    openButton = NewButton(this, ID_BUTTON1, "Open");
    Put(bar, openButton, {kAllExpand, 1});
    resetButton = NewButton(this, ID_BUTTON8, "Reset (Arduino)");
    Put(bar, resetButton, {kAllExpand, 1});
    closeButton = NewButton(this, ID_BUTTON2, "Close", wxSize(62, 23));
    closeButton->Disable();
    Put(bar, closeButton, {kAllExpand, 1});
    PutSpacer(bar, 91, 12, {kAllCentred, 5});
    Put(bar, horizontalLine(ID_STATICLINE8), {kAllExpand, 0});

    Put(bar, heading(ID_STATICTEXT55, "UDP server", BarFont(wxFONTWEIGHT_BOLD)), {kAllCentred, 0});
    auto* udpPortRow = NewGrid(0, 3);
    Put(udpPortRow,
        heading(ID_STATICTEXT32, "UDP port", BarFont(wxFONTWEIGHT_NORMAL, "Arial")),
        {kAllCentred, 5});
    udpPortField = NewTextField(this, ID_TEXTCTRL47, "12345", wxSize(47, 21));
    Put(udpPortRow, udpPortField, {kAllCentred, 5});
    Put(bar, udpPortRow, {kAllCentred, 0});
    auto* startStopRow = NewGrid(0, 3);
    udpStartButton = NewButton(this, ID_BUTTON22, "Start", wxSize(52, 23));
    Put(startStopRow, udpStartButton, {kAllCentred, 5});
    udpStopButton = NewButton(this, ID_BUTTON23, "Stop", wxSize(49, 23));
    Put(startStopRow, udpStopButton, {kAllCentred, 5});
    Put(bar, startStopRow, {kAllCentred, 0});
    Put(bar, horizontalLine(ID_STATICLINE9), {kAllExpand, 0});
    PutSpacer(bar, 91, 28, {kNoLeftCentred, 5});
    Put(bar, horizontalLine(ID_STATICLINE10), {kAllExpand, 0});

    Put(bar, heading(ID_STATICTEXT30, "Console", BarFont(wxFONTWEIGHT_BOLD, "Arial")), {kAllCentred, 0});
    consoleButton = NewButton(this, ID_BUTTON9, "Console ON/OFF");
    Put(bar, consoleButton, {kAllExpand, 5});
    inputsOnlyBox = NewCheckBox(this, ID_CHECKBOX2, "Inputs only");
    inputsOnlyBox->Disable();
    Put(bar, inputsOnlyBox, {kAllCentred, 5});
    Put(bar, horizontalLine(ID_STATICLINE6), {kTopBottomExpand, 4});
    PutSpacer(bar, 91, 8, {kAllCentred, 5});
    quitButton = NewButton(this, ID_BUTTON3, "Quit");
    Put(bar, quitButton, {kAllExpand, 1});
    return bar;
}
