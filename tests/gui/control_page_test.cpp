// The DiscrCtrls page: enabled fields and "[Key%04d]" sections for every
// control type and dataref type.

#include "dialog_fixture.h"

#include <set>
#include <vector>

namespace {

constexpr const char* kName = "ID_TEXTCTRL1";
constexpr const char* kCommand1 = "ID_TEXTCTRL17";
constexpr const char* kValue0 = "ID_TEXTCTRL9";
constexpr const char* kValue1 = "ID_TEXTCTRL8";
constexpr const char* kIndex = "ID_TEXTCTRL6";
constexpr const char* kMin = "ID_TEXTCTRL3";
constexpr const char* kMax = "ID_TEXTCTRL4";
constexpr const char* kIncrement = "ID_TEXTCTRL5";
const std::vector<const char*> kAllFields = {kName, kCommand1, kValue0, kValue1,
                                             kIndex, kMin, kMax, kIncrement};

// The sections for key 163, name sim/x, command_1 sim/y, 0: 10, 1: 11,
// index 4, min -5, max +7, increment 2.
const std::string kCommand = "[Key0163]\r\nmode: command\r\ncommand: sim/x\r\n\r\n";
const std::string kToggle =
    "[Key0163]\r\nmode: command-toggle\r\ncommand_0: sim/x\r\ncommand_1: sim/y\r\n\r\n";

std::string OnOff(const char* type, bool array)
{
    return std::string("[Key0163]\r\nmode: dataref\r\n") +
           (array ? "array: sim/x\r\nindex: 4\r\n" : "dataref: sim/x\r\n") + "type: " + type +
           "\r\n0: 10\r\n1: 11\r\n\r\n";
}

std::string Position(const char* type, bool array)
{
    return std::string("[Key0163]\r\nmode: dataref\r\n") +
           (array ? "array: sim/x\r\nindex: 4\r\n" : "dataref: sim/x\r\n") + "type: " + type +
           "\r\n1: 11\r\n\r\n";
}

std::string Range(const char* mode, const char* type, bool array)
{
    return std::string("[Key0163]\r\nmode: ") + mode + "\r\n" +
           (array ? "array: sim/x\r\nindex: 4\r\n" : "dataref: sim/x\r\n") + "type: " + type +
           "\r\nmin: -5\r\nmax: 7\r\nincrement: 2\r\n\r\n";
}

struct Combination {
    int controlType, datarefType;
    std::string section;
    std::vector<const char*> enabled;
};

std::vector<Combination> AllCombinations()
{
    const std::vector<const char*> none;
    const std::vector<const char*> name = {kName};
    const std::vector<const char*> onOff = {kName, kValue0, kValue1};
    const std::vector<const char*> onOffArray = {kName, kIndex, kValue0, kValue1};
    const std::vector<const char*> position = {kName, kValue1};
    const std::vector<const char*> positionArray = {kName, kIndex, kValue1};
    const std::vector<const char*> range = {kName, kMin, kMax, kIncrement};
    const std::vector<const char*> rangeArray = {kName, kIndex, kMin, kMax, kIncrement};

    std::vector<Combination> all;
    for (int d = 0; d < 6; ++d)
        all.push_back({0, d, "", none});
    for (int c = 1; c < 6; ++c)
        all.push_back({c, 0, "", none});
    // Button
    all.push_back({1, 1, kCommand, name});
    all.push_back({1, 2, OnOff("int", false), onOff});
    all.push_back({1, 3, OnOff("float", false), onOff});
    all.push_back({1, 4, OnOff("int", true), onOffArray});
    all.push_back({1, 5, OnOff("float", true), onOffArray});
    // Cyclic button
    all.push_back({2, 1, "", none});
    all.push_back({2, 2, Range("loop", "int", false), range});
    all.push_back({2, 3, Range("loop", "float", false), range});
    all.push_back({2, 4, Range("loop", "int", true), rangeArray});
    all.push_back({2, 5, Range("loop", "float", true), rangeArray});
    // Toggle switch
    all.push_back({3, 1, kToggle, {kName, kCommand1}});
    all.push_back({3, 2, OnOff("int", false), onOff});
    all.push_back({3, 3, OnOff("float", false), onOff});
    all.push_back({3, 4, OnOff("int", true), onOffArray});
    all.push_back({3, 5, OnOff("float", true), onOffArray});
    // Rotary switch position
    all.push_back({4, 1, kCommand, name});
    all.push_back({4, 2, Position("int", false), position});
    all.push_back({4, 3, Position("float", false), position});
    all.push_back({4, 4, Position("int", true), positionArray});
    all.push_back({4, 5, Position("float", true), positionArray});
    // Encoder
    all.push_back({5, 1, kCommand, name});
    all.push_back({5, 2, Range("dataref", "int", false), range});
    all.push_back({5, 3, Range("dataref", "float", false), range});
    all.push_back({5, 4, Range("dataref", "int", true), rangeArray});
    all.push_back({5, 5, Range("dataref", "float", true), rangeArray});
    return all;
}

class ControlPageTest : public DialogTest {
protected:
    void FillFields() const
    {
        SetText("ID_TEXTCTRL10", "163");
        SetText(kName, "sim/x");
        SetText(kCommand1, "sim/y");
        SetText(kValue0, "10");
        SetText(kValue1, "11");
        SetText(kIndex, "4");
        SetText(kMin, "-5");
        SetText(kMax, "+7");
        SetText(kIncrement, "2");
    }

    void Select(int controlType, int datarefType) const
    {
        Choose("ID_CHOICE2", controlType);
        Choose("ID_CHOICE1", datarefType);
    }

    void ExpectEnabled(const std::vector<const char*>& enabled) const
    {
        const std::set<std::string> on(enabled.begin(), enabled.end());
        for (const char* field : kAllFields)
            EXPECT_EQ(Find(field)->IsEnabled(), on.count(field) == 1) << field;
    }
};

} // namespace

TEST_F(ControlPageTest, EveryCombinationEnablesItsFieldsAndAppendsItsSection)
{
    SetText("ID_TEXTCTRL2", ""); // no remarks block, only the section
    FillFields();
    for (const Combination& c : AllCombinations()) {
        SCOPED_TRACE(testing::Message() << "control type " << c.controlType << ", dataref type "
                                        << c.datarefType);
        SetText("ID_TEXTCTRL7", "");
        Select(c.controlType, c.datarefType);
        ExpectEnabled(c.enabled);
        Click("ID_BUTTON5");
        EXPECT_EQ(Escaped(Text("ID_TEXTCTRL7")), Escaped(c.section));
    }
}

TEST_F(ControlPageTest, StartsWithButtonAndCommandAndOnlyTheNameEnabled)
{
    EXPECT_EQ(Find<wxChoice>("ID_CHOICE2")->GetSelection(), 1);
    EXPECT_EQ(Find<wxChoice>("ID_CHOICE1")->GetSelection(), 1);
    ExpectEnabled({kName});
}

TEST_F(ControlPageTest, SwitchingTypesKeepsTheTextsOfDisabledFields)
{
    Select(5, 2);
    SetText(kMin, "1");
    Select(1, 2);
    ExpectEnabled({kName, kValue0, kValue1});
    EXPECT_EQ(Text(kMin), "1");
}

TEST_F(ControlPageTest, ToggleSectionLogsItsSecondCommand)
{
    FillFields();
    Select(3, 1);
    const std::string printed = CaptureOutput([this] { Click("ID_BUTTON5"); });
    EXPECT_EQ(printed, "command_1: sim/y\n");
    EXPECT_EQ(CaptureOutput([this] { Select(1, 1); Click("ID_BUTTON5"); }), "");
}

TEST_F(ControlPageTest, KeyNumberIsReadFromTheWholeField)
{
    struct Case {
        const char* field;
        const char* header;
    } const cases[] = {
        {"", "[Key0000]"},    {"12 ", "[Key0000]"}, {"0x1F", "[Key0000]"}, {"abc", "[Key0000]"},
        {"12345", "[Key12345]"}, {"-1", "[Key-001]"}, {"+7", "[Key0007]"},
        {"99999999999", "[Key0000]"},
    };
    SetText("ID_TEXTCTRL2", "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        SetText("ID_TEXTCTRL7", "");
        SetText("ID_TEXTCTRL10", c.field);
        Click("ID_BUTTON5");
        EXPECT_EQ(Text("ID_TEXTCTRL7").substr(0, Text("ID_TEXTCTRL7").find('\r')), c.header);
    }
}

TEST_F(ControlPageTest, NamesAreInsertedLiterallyEvenWithFormatCharacters)
{
    SetText("ID_TEXTCTRL2", "");
    SetText("ID_TEXTCTRL10", "1");
    SetText(kName, "sim/%s%d%%n");
    Click("ID_BUTTON5");
    EXPECT_EQ(Escaped(Text("ID_TEXTCTRL7")),
              Escaped("[Key0001]\r\nmode: command\r\ncommand: sim/%s%d%%n\r\n\r\n"));
}
