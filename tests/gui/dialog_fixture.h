#pragma once
// A fresh loggerDialog for each test, found control by control through its
// window names and driven with the events a user's action would raise.

#include "app/dialog.h"
#include "exchange/incoming.h"
#include "capture.h"
#include "dialog_access.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>

#include <functional>
#include <filesystem>
#include <memory>
#include <string>

class DialogTest : public testing::Test {
public:
    // Runs the event loop for this long, so timers tick and CallAfter runs.
    static void RunEventLoop(int milliseconds);

protected:
    void SetUp() override;
    void TearDown() override;

    // The control with this window name; fails the test when there is none.
    template <class T = wxWindow>
    T* Find(const char* name) const
    {
        wxWindow* window = wxWindow::FindWindowByName(name, dialog.get());
        EXPECT_NE(window, nullptr) << "no control named " << name;
        T* control = dynamic_cast<T*>(window);
        EXPECT_NE(control, nullptr) << name << " is not of the expected kind";
        return control;
    }

    std::string Text(const char* name) const;
    void SetText(const char* name, const std::string& text) const;
    void Click(const char* name) const;
    void Choose(const char* name, int item) const;
    void Check(const char* name, bool checked) const;

    // One tick of the link timer, handled at once (tests that tick by hand
    // stop the real timer first).
    void Tick() const;
    // The status label's text and colour.
    void ExpectStatus(const char* text, const wxColour& colour) const;

    std::unique_ptr<loggerDialog> dialog;
};

// Texts in failure messages with their control characters made visible.
std::string Escaped(const std::string& text);
