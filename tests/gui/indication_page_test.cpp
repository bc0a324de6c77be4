// The Indication page: field mask, "[IND %s]" sections and the presets.

#include "dialog_fixture.h"

namespace {

// Device, Position, Length, Factor, Offset, Mask, leading zeroes, Index.
const char* const kMaskFields[] = {"ID_TEXTCTRL14", "ID_TEXTCTRL15", "ID_TEXTCTRL16", "ID_TEXTCTRL18",
                                   "ID_TEXTCTRL19", "ID_TEXTCTRL20", "ID_CHECKBOX1",  "ID_TEXTCTRL21"};

class IndicationPageTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        SetText("ID_TEXTCTRL2", "");
    }

    std::string Enabled() const
    {
        std::string bits;
        for (const char* field : kMaskFields)
            bits += Find(field)->IsEnabled() ? '1' : '0';
        return bits;
    }

    std::string Add() const
    {
        SetText("ID_TEXTCTRL7", "");
        Click("ID_BUTTON6");
        return Text("ID_TEXTCTRL7");
    }
};

} // namespace

TEST_F(IndicationPageTest, FieldMaskFollowsBothChoices)
{
    EXPECT_EQ(Enabled(), "11111010"); // numeric, Dataref int
    struct Case {
        int indication, dataref;
        const char* enabled;
    } const cases[] = {
        {2, 1, "01000100"}, {2, 4, "01000101"}, {1, 3, "11111011"}, {0, 2, "00000000"},
        {0, 4, "00000001"}, {1, 0, "11111010"}, {2, 0, "01000100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.indication << "/" << c.dataref);
        Choose("ID_CHOICE4", c.indication);
        Choose("ID_CHOICE3", c.dataref);
        EXPECT_EQ(Enabled(), c.enabled);
    }
}

TEST_F(IndicationPageTest, NumericSectionsWithAndWithoutOptionalLines)
{
    SetText("ID_TEXTCTRL13", "ALT");
    SetText("ID_TEXTCTRL11", "sim/alt");
    SetText("ID_TEXTCTRL14", "2");
    SetText("ID_TEXTCTRL15", "0");
    SetText("ID_TEXTCTRL16", "5");
    SetText("ID_TEXTCTRL21", "7");
    SetText("ID_TEXTCTRL20", "9"); // a mask is not written for numeric indicators
    Choose("ID_CHOICE3", 2);
    const std::string head = "[IND ALT]\r\nmode: datarefPoll\r\ndataref: sim/alt\r\ntype: float\r\n"
                             "devadr: 2\r\npos: 0\r\nlen: 5\r\n";
    EXPECT_EQ(Escaped(Add()), Escaped(head + "\r\n"));

    SetText("ID_TEXTCTRL18", "10");
    Check("ID_CHECKBOX1", true);
    EXPECT_EQ(Escaped(Add()), Escaped(head + "factor: 10\r\noptions: 1\r\n\r\n"));

    SetText("ID_TEXTCTRL18", "x");
    SetText("ID_TEXTCTRL19", "-3");
    Check("ID_CHECKBOX1", false);
    EXPECT_EQ(Escaped(Add()), Escaped(head + "factor: 0\r\noffset: -3\r\n\r\n"));

    Choose("ID_CHOICE3", 3);
    EXPECT_EQ(Escaped(Add()),
              Escaped("[IND ALT]\r\nmode: datarefPoll\r\narray: sim/alt\r\nindex: 7\r\ntype: int\r\n"
                      "devadr: 2\r\npos: 0\r\nlen: 5\r\nfactor: 0\r\noffset: -3\r\n\r\n"));
}

TEST_F(IndicationPageTest, DiscreteSectionsWithAndWithoutMask)
{
    SetText("ID_TEXTCTRL13", "GEAR");
    SetText("ID_TEXTCTRL11", "sim/gear");
    SetText("ID_TEXTCTRL21", "3");
    SetText("ID_TEXTCTRL15", "17");
    SetText("ID_TEXTCTRL18", "10"); // factor and offset belong to numeric indicators
    Check("ID_CHECKBOX1", true);
    Choose("ID_CHOICE4", 2);
    Choose("ID_CHOICE3", 3);
    const std::string array =
        "[IND GEAR]\r\nmode: datarefPoll\r\narray: sim/gear\r\nindex: 3\r\ntype: int\r\npos: 17\r\n";
    EXPECT_EQ(Escaped(Add()), Escaped(array + "\r\n"));
    SetText("ID_TEXTCTRL20", "4");
    EXPECT_EQ(Escaped(Add()), Escaped(array + "mask: 4\r\n\r\n"));
    Choose("ID_CHOICE3", 1);
    EXPECT_EQ(Escaped(Add()),
              Escaped("[IND GEAR]\r\nmode: datarefPoll\r\ndataref: sim/gear\r\ntype: int\r\n"
                      "pos: 17\r\nmask: 4\r\n\r\n"));
}

TEST_F(IndicationPageTest, EmptyEntriesAppendNothingNotEvenRemarks)
{
    SetText("ID_TEXTCTRL2", "remark");
    Choose("ID_CHOICE4", 0);
    EXPECT_EQ(Add(), "");
    Choose("ID_CHOICE4", 1);
    Choose("ID_CHOICE3", 0);
    EXPECT_EQ(Add(), "");
    Choose("ID_CHOICE3", 1);
    EXPECT_EQ(Add().substr(0, 11), "#########\r\n");
}

TEST_F(IndicationPageTest, PresetButtonsReplaceTheTestData)
{
    EXPECT_EQ(Text("ID_TEXTCTRL12"), "0");
    const char* presets[] = {"ID_TEXTCTRL23", "ID_TEXTCTRL24", "ID_TEXTCTRL45"};
    const char* buttons[] = {"ID_BUTTON15", "ID_BUTTON16", "ID_BUTTON17"};
    const char* values[] = {"1234", "8.8.8", "-"};
    for (int i = 0; i < 3; ++i)
        SetText(presets[i], values[i]);
    int changes = 0;
    Find("ID_TEXTCTRL12")->Bind(wxEVT_TEXT, [&changes](wxCommandEvent& e) { ++changes; e.Skip(); });
    for (int i = 0; i < 3; ++i) {
        Click(buttons[i]);
        EXPECT_EQ(Text("ID_TEXTCTRL12"), values[i]);
    }
    EXPECT_EQ(changes, 3);
    SetText(presets[1], "");
    Click(buttons[1]);
    EXPECT_EQ(Text("ID_TEXTCTRL12"), "");
}
