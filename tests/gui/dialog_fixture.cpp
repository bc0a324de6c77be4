#include "dialog_fixture.h"

#include <wx/evtloop.h>
#include <wx/timer.h>


void DialogTest::SetUp() { dialog = std::make_unique<loggerDialog>(nullptr); }

void DialogTest::TearDown() { dialog.reset(); }

std::string DialogTest::Text(const char* name) const
{
    wxWindow* window = Find(name);
    if (auto* field = dynamic_cast<wxTextEntry*>(window))
        return field->GetValue().utf8_string();
    return window ? window->GetLabel().utf8_string() : std::string();
}

void DialogTest::SetText(const char* name, const std::string& text) const
{
    if (auto* field = dynamic_cast<wxTextEntry*>(Find(name)))
        field->SetValue(wxString::FromUTF8(text));
}

void DialogTest::Click(const char* name) const
{
    auto* button = Find<wxButton>(name);
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

void DialogTest::Choose(const char* name, int item) const
{
    wxWindow* window = Find(name);
    auto* items = dynamic_cast<wxItemContainer*>(window);
    ASSERT_NE(items, nullptr);
    items->SetSelection(item);
    const bool combo = dynamic_cast<wxComboBox*>(window) != nullptr;
    wxCommandEvent event(combo ? wxEVT_COMBOBOX : wxEVT_CHOICE, window->GetId());
    event.SetEventObject(window);
    event.SetInt(item);
    event.SetString(items->GetString(item));
    window->GetEventHandler()->ProcessEvent(event);
}

void DialogTest::Check(const char* name, bool checked) const
{
    auto* box = Find<wxCheckBox>(name);
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(checked ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
}

void DialogTest::Tick() const
{
    wxTimerEvent tick(DialogInspector::LinkTimer(*dialog));
    dialog->GetEventHandler()->ProcessEvent(tick);
}

void DialogTest::ExpectStatus(const char* text, const wxColour& colour) const
{
    EXPECT_EQ(Text("ID_STATICTEXT2"), text);
    EXPECT_EQ(Find("ID_STATICTEXT2")->GetForegroundColour(), colour);
}

void DialogTest::RunEventLoop(int milliseconds)
{
    wxEventLoop loop;
    wxTimer stopper;
    stopper.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    stopper.StartOnce(milliseconds);
    loop.Run();
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n\n";
        else
            out += c;
    }
    return out;
}
