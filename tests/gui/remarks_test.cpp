// The remarks block in front of every section, and how sections collect in
// the result pane.

#include "dialog_fixture.h"

namespace {

const std::string kButtonCommand = "[Key0012]\r\nmode: command\r\ncommand: sim/beacon\r\n\r\n";

class RemarksTest : public DialogTest {
protected:
    void AddButtonCommand() const
    {
        SetText("ID_TEXTCTRL10", "12");
        SetText("ID_TEXTCTRL1", "sim/beacon");
        Click("ID_BUTTON5");
    }
};

} // namespace

TEST_F(RemarksTest, BlockFollowsTheLongestRemarkLine)
{
    struct Case {
        const char* remarks;
        std::string block;
    } const cases[] = {
        {"Some comment (remove all to omit comments)",
         std::string(45, '#') + "\r\n# Some comment (remove all to omit comments)\r\n" +
             std::string(45, '#') + "\r\n"},
        {"", ""},
        {"\n", ""},
        {"a\nbcd", "######\r\n# a\r\n# bcd\r\n######\r\n"},
        {"0123456789", "#############\r\n# 0123456789\r\n#############\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Escaped(c.remarks));
        SetText("ID_TEXTCTRL7", "");
        SetText("ID_TEXTCTRL2", c.remarks);
        AddButtonCommand();
        EXPECT_EQ(Escaped(Text("ID_TEXTCTRL7")), Escaped(c.block + kButtonCommand));
        EXPECT_EQ(Text("ID_TEXTCTRL2"), c.remarks); // the remarks stay as typed
    }
}

TEST_F(RemarksTest, SectionsAppendAfterWhatTheUserTyped)
{
    SetText("ID_TEXTCTRL2", "x");
    const std::string block = "####\r\n# x\r\n####\r\n";
    AddButtonCommand();
    Find<wxTextCtrl>("ID_TEXTCTRL7")->AppendText("my note\n");
    AddButtonCommand();
    EXPECT_EQ(Escaped(Text("ID_TEXTCTRL7")),
              Escaped(block + kButtonCommand + "my note\n" + block + kButtonCommand));
}

TEST_F(RemarksTest, TextsPassThroughTheUsersCharacterSet)
{
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    SetText("ID_TEXTCTRL2", "");
    SetText("ID_TEXTCTRL10", "1");
    SetText("ID_TEXTCTRL1", "sim/H\xc3\xb6he");

    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    Click("ID_BUTTON5");
    EXPECT_EQ(Text("ID_TEXTCTRL7"), "[Key0001]\r\nmode: command\r\ncommand: sim/H\xc3\xb6he\r\n\r\n");

    // A text the character set cannot hold counts as empty.
    SetText("ID_TEXTCTRL7", "");
    std::setlocale(LC_CTYPE, "C");
    Click("ID_BUTTON5");
    std::setlocale(LC_CTYPE, saved.c_str());
    EXPECT_EQ(Text("ID_TEXTCTRL7"), "[Key0001]\r\nmode: command\r\ncommand: \r\n\r\n");
}
