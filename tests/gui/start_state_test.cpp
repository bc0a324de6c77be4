// What the user sees when the dialog first appears.

#include "dialog_fixture.h"

#include <wx/notebook.h>
#include <wx/stockitem.h>

#include <functional>
#include <set>
#include <vector>

namespace {

struct ControlState {
    const char* name;
    bool enabled;
};

const ControlState kDeviceBar[] = {
    {"ID_BUTTON1", true},    // Open
    {"ID_BUTTON4", true},    // Refresh list
    {"ID_COMBOBOX1", true},  // port box
    {"ID_BUTTON22", true},   // Start
    {"ID_BUTTON23", true},   // Stop
    {"ID_TEXTCTRL47", true}, // UDP port
    {"ID_BUTTON9", true},    // Console ON/OFF
    {"ID_BUTTON3", true},    // Quit
    {"ID_BUTTON2", false},   // Close
    {"ID_BUTTON8", false},   // Reset (Arduino)
    {"ID_COMBOBOX2", false}, // Baudrate
    {"ID_CHECKBOX2", false}, // Inputs only
};

struct Label {
    const char* name;
    const char* text;
    bool bold;
};

const Label kLabels[] = {
    {"ID_STATICTEXT6", "Remarks", false},
    {"ID_STATICTEXT12", "Result section for ini file", false},
    {"ID_STATICTEXT70", "Numeric\nmemory size", false},
    {"ID_STATICTEXT71", "Discrete\nmemory size", false},
    {"ID_STATICTEXT1", "Device", true},
    {"ID_STATICTEXT2", "Disconnected", true},
    {"ID_STATICTEXT24", "Serial port", true},
    {"ID_STATICTEXT51", "Baudrate", false},
    {"ID_STATICTEXT55", "UDP server", true},
    {"ID_STATICTEXT32", "UDP port", false},
    {"ID_STATICTEXT30", "Console", true},
    {"ID_BUTTON24", "ClearAll", false},
    {"ID_BUTTON4", "Refresh list", false},
    {"ID_BUTTON1", "Open", false},
    {"ID_BUTTON8", "Reset (Arduino)", false},
    {"ID_BUTTON2", "Close", false},
    {"ID_BUTTON22", "Start", false},
    {"ID_BUTTON23", "Stop", false},
    {"ID_BUTTON9", "Console ON/OFF", false},
    {"ID_CHECKBOX2", "Inputs only", false},
    {"ID_BUTTON3", "Quit", false},
};

struct Box {
    const char* name;
    std::vector<std::string> items;
    const char* text;
};

const Box kBoxes[] = {
    {"ID_COMBOBOX3", {"128", "48", "96", "144", "192", "240", "288", "336", "384"}, "128"},
    {"ID_COMBOBOX4", {"64", "128", "256", "384", "512", "640", "768", "896", "1024"}, "64"},
    {"ID_COMBOBOX2", {"9600", "19200", "38400", "57600", "115200"}, "115200"},
};

std::vector<std::string> ItemsOf(const wxItemContainer& box)
{
    std::vector<std::string> items;
    for (unsigned i = 0; i < box.GetCount(); ++i)
        items.push_back(box.GetString(i).utf8_string());
    return items;
}

} // namespace

TEST_F(DialogTest, TitleStatusAndPanesAtStart)
{
    EXPECT_EQ(dialog->GetTitle().utf8_string(), "Config helper 0.3.2 - extended IO edition");
    auto* status = Find<wxStaticText>("ID_STATICTEXT2");
    EXPECT_EQ(status->GetForegroundColour(), wxColour(128, 128, 0));
    EXPECT_EQ(Text("ID_TEXTCTRL2"), "Some comment (remove all to omit comments)");
    EXPECT_EQ(Text("ID_TEXTCTRL7"), "");
    EXPECT_EQ(Text("ID_TEXTCTRL22"), "");
    EXPECT_EQ(Text("ID_TEXTCTRL47"), "12345");
    EXPECT_EQ(Text("ID_COMBOBOX1"), "Select port"); // nothing remembered yet
    EXPECT_FALSE(Find<wxCheckBox>("ID_CHECKBOX2")->GetValue());
}

TEST_F(DialogTest, DeviceBarEnabledStatesAtStart)
{
    for (const auto& control : kDeviceBar) {
        SCOPED_TRACE(control.name);
        EXPECT_EQ(Find(control.name)->IsEnabled(), control.enabled);
    }
}

TEST_F(DialogTest, LabelsAndFontsAsLaidOut)
{
    for (const auto& label : kLabels) {
        SCOPED_TRACE(label.name);
        wxWindow* control = Find(label.name);
        EXPECT_EQ(Escaped(control->GetLabel().utf8_string()), Escaped(label.text));
        EXPECT_EQ(control->GetFont().GetWeight() == wxFONTWEIGHT_BOLD, label.bold);
    }
}

TEST_F(DialogTest, SizeAndBaudBoxesListTheirItems)
{
    for (const auto& box : kBoxes) {
        SCOPED_TRACE(box.name);
        auto* combo = Find<wxComboBox>(box.name);
        EXPECT_EQ(ItemsOf(*combo), box.items);
        EXPECT_EQ(combo->GetValue().utf8_string(), box.text);
    }
}

TEST_F(DialogTest, NotebookHasSixPagesWithTheFirstInFront)
{
    auto* notebook = Find<wxNotebook>("ID_NOTEBOOK1");
    const std::vector<std::string> expected = {"DiscrCtrls", "NumCtrls",      "Indication",
                                               "Axes",       "AlphNum Indic", "Discrete Indic"};
    const char* panels[] = {"ID_PANEL1", "ID_PANEL6", "ID_PANEL2", "ID_PANEL3", "ID_PANEL4", "ID_PANEL5"};
    ASSERT_EQ(notebook->GetPageCount(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(notebook->GetPageText(i).utf8_string(), expected[i]);
        EXPECT_EQ(notebook->GetPage(i)->GetName(), panels[i]);
    }
    EXPECT_EQ(notebook->GetSelection(), 0);
}

TEST_F(DialogTest, FixedSizeDialogWithTheDefaultStyle)
{
    const long frameStyles = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER |
                             wxMAXIMIZE_BOX | wxMINIMIZE_BOX | wxSTAY_ON_TOP;
    EXPECT_EQ(dialog->GetWindowStyleFlag() & frameStyles, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    EXPECT_EQ(dialog->GetMinSize(), dialog->GetSize());
}

TEST_F(DialogTest, LinkTimerTicksEvery20msAndResetTimerIsIdle)
{
    wxTimer& link = DialogInspector::LinkTimer(*dialog);
    EXPECT_TRUE(link.IsRunning());
    EXPECT_EQ(link.GetInterval(), 20);
    EXPECT_FALSE(link.IsOneShot());
    EXPECT_FALSE(DialogInspector::ResetTimer(*dialog).IsRunning());
}

TEST_F(DialogTest, EveryControlHasItsOwnIdentifier)
{
    std::set<int> ids;
    std::size_t count = 0;
    std::function<void(wxWindow*)> walk = [&](wxWindow* window) {
        for (wxWindow* child : window->GetChildren()) {
            if (child->GetName().StartsWith("ID_")) {
                ++count;
                ids.insert(child->GetId());
                EXPECT_FALSE(wxIsStockID(child->GetId())) << child->GetName();
            }
            walk(child);
        }
    };
    walk(dialog.get());
    EXPECT_EQ(ids.size(), count);
}
