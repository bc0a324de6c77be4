// The NumCtrls and Axes pages: calibration, captures, index and centre
// fields, the axis highlight and the "[Inp%s]" / "[Axis %s]" sections.

#include "dialog_fixture.h"

#include <wx/notebook.h>
#include <wx/settings.h>

#include <clocale>

namespace {

// The calibration grid of each page, in the order of its cells.
struct CalibrationNames {
    const char *deviceMax, *simMax, *deviceCenter, *simMin, *deviceMin, *hasCenter, *centreButton,
        *maxButton, *minButton, *index, *datarefType, *dataref, *add;
};
const CalibrationNames kInput = {"ID_TEXTCTRL50", "ID_TEXTCTRL51", "ID_TEXTCTRL56", "ID_TEXTCTRL57",
                                 "ID_TEXTCTRL58", "ID_CHECKBOX4",  "ID_BUTTON19",   "ID_BUTTON18",
                                 "ID_BUTTON20",   "ID_TEXTCTRL49", "ID_CHOICE7",    "ID_TEXTCTRL46",
                                 "ID_BUTTON21"};
const CalibrationNames kAxis = {"ID_TEXTCTRL44", "ID_TEXTCTRL54", "ID_TEXTCTRL52", "ID_TEXTCTRL55",
                                "ID_TEXTCTRL53", "ID_CHECKBOX3",  "ID_BUTTON13",   "ID_BUTTON12",
                                "ID_BUTTON14",   "ID_TEXTCTRL48", "ID_CHOICE6",    "ID_TEXTCTRL42",
                                "ID_BUTTON10"};

// Axis value fields by axis number.
const char* const kAxisFields[16] = {
    "ID_TEXTCTRL30", "ID_TEXTCTRL26", "ID_TEXTCTRL27", "ID_TEXTCTRL28", "ID_TEXTCTRL29", "ID_TEXTCTRL31",
    "ID_TEXTCTRL32", "ID_TEXTCTRL33", "ID_TEXTCTRL34", "ID_TEXTCTRL35", "ID_TEXTCTRL36", "ID_TEXTCTRL37",
    "ID_TEXTCTRL38", "ID_TEXTCTRL39", "ID_TEXTCTRL40", "ID_TEXTCTRL41"};

struct Calibration {
    const char *deviceMax, *deviceCenter, *deviceMin, *simMax, *simMin;
    bool hasCenter;
};

class InputPagesTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        SetText("ID_TEXTCTRL2", "");
    }

    void Calibrate(const CalibrationNames& page, const Calibration& c) const
    {
        SetText(page.deviceMax, c.deviceMax);
        SetText(page.deviceCenter, c.deviceCenter);
        SetText(page.deviceMin, c.deviceMin);
        SetText(page.simMax, c.simMax);
        SetText(page.simMin, c.simMin);
        Check(page.hasCenter, c.hasCenter);
    }

    std::string Add(const CalibrationNames& page) const
    {
        SetText("ID_TEXTCTRL7", "");
        Click(page.add);
        return Text("ID_TEXTCTRL7");
    }

    bool IsHighlighted(int axis) const
    {
        auto* field = Find(kAxisFields[axis]);
        return field->GetForegroundColour() == *wxWHITE && field->GetBackgroundColour() == *wxBLACK &&
               field->GetFont().GetWeight() == wxFONTWEIGHT_BOLD;
    }
};

} // namespace

TEST_F(InputPagesTest, NumCtrlsSectionFromItsCalibration)
{
    SetText("ID_TEXTCTRL60", "23");
    SetText(kInput.dataref, "sim/throttle");
    Choose(kInput.datarefType, 2);
    struct Case {
        Calibration calibration;
        const char* factor;
        const char* offset;
    } const cases[] = {
        {{"1024", "x", "0", "1", "0", false}, "    0.00098", "     0"},
        {{"1024", "", "0", "1", "0", false}, "    1.00000", "     0"}, // an empty field: no calibration
        {{"1024", "300", "0", "1", "", true}, "    1.00000", "     0"},
        {{"1023", "512", "1", "1", "-1", true}, "    0.00196", "   512"},
        {{"0", "-", "1023", "1", "0", false}, "   -0.00098", "  1023"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.factor);
        Calibrate(kInput, c.calibration);
        EXPECT_EQ(Escaped(Add(kInput)),
                  Escaped(std::string("[Inp23]\r\nmode: input\r\ndataref: sim/throttle\r\ntype: float\r\n"
                                      "factor: ") +
                          c.factor + "\r\noffset: " + c.offset + "\r\n\r\n"));
    }
}

TEST_F(InputPagesTest, AxesSectionFromItsCalibration)
{
    SetText("ID_TEXTCTRL43", "ROLL");
    SetText(kAxis.dataref, "sim/roll");
    Choose("ID_CHOICE5", 3);
    struct Case {
        Calibration calibration;
        const char* factor;
        const char* offset;
    } const cases[] = {
        {{"1023", "512", "1", "1", "-1", true}, "    0.00196", "   512"},
        {{"900", "", "100", "40", "0", false}, "    0.05000", "   100"},
        {{"0", "", "1023", "1", "0", false}, "   -0.00098", "  1023"},
        {{"", "", "", "", "", false}, "       -nan", "  -nan"}, // no range: 0/0, as the C library prints it
        {{"5", "", "5", "1", "0", false}, "        inf", "     5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.factor);
        Calibrate(kAxis, c.calibration);
        EXPECT_EQ(Escaped(Add(kAxis)),
                  Escaped(std::string("[Axis ROLL]\r\nmode: input\r\ndataref: sim/roll\r\ntype: int\r\n"
                                      "axis: 3\r\nfactor: ") +
                          c.factor + "\r\noffset: " + c.offset + "\r\n\r\n"));
    }
}

TEST_F(InputPagesTest, ArrayFormsCarryTheIndexAndEmptyTypeWritesOnlyRemarks)
{
    for (const CalibrationNames* page : {&kInput, &kAxis}) {
        SCOPED_TRACE(page->add);
        Calibrate(*page, {"10", "", "0", "1", "0", false});
        SetText(page->dataref, "sim/arr");
        SetText(page->index, "0");
        Choose(page->datarefType, 3);
        const std::string text = Add(*page);
        EXPECT_NE(text.find("\r\nmode: input\r\narray: sim/arr\r\nindex: 0\r\ntype: int\r\n"),
                  std::string::npos)
            << Escaped(text);

        SetText("ID_TEXTCTRL2", "r");
        Choose(page->datarefType, 0);
        EXPECT_EQ(Escaped(Add(*page)), Escaped("####\r\n# r\r\n####\r\n"));
        SetText("ID_TEXTCTRL2", "");
    }
}

TEST_F(InputPagesTest, FactorAndOffsetKeepAPointUnderACommaLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "scripts/setup makes this locale";
    SetText("ID_TEXTCTRL43", "A");
    Calibrate(kAxis, {"100", "", "0", "0.5", "0", false});
    const std::string text = Add(kAxis);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_NE(text.find("factor:     0.00500\r\noffset:      0\r\n"), std::string::npos) << Escaped(text);
}

TEST_F(InputPagesTest, IndexFieldFollowsTheDatarefType)
{
    for (const CalibrationNames* page : {&kInput, &kAxis}) {
        SCOPED_TRACE(page->add);
        EXPECT_FALSE(Find(page->index)->IsEnabled());
        const struct {
            int type;
            bool enabled;
        } steps[] = {{3, true}, {0, true}, {4, true}, {2, false}, {0, false}, {1, false}};
        for (const auto& step : steps) {
            Choose(page->datarefType, step.type);
            EXPECT_EQ(Find(page->index)->IsEnabled(), step.enabled) << "type " << step.type;
        }
    }
}

TEST_F(InputPagesTest, NumCtrlsIndexFieldIsAlsoSetWhenThePagePaints)
{
    auto* choice = Find<wxChoice>(kInput.datarefType);
    choice->SetSelection(3); // no selection event
    EXPECT_FALSE(Find(kInput.index)->IsEnabled());
    dialog->Show();
    Find<wxNotebook>("ID_NOTEBOOK1")->SetSelection(1);
    Find("ID_PANEL6")->Refresh();
    RunEventLoop(300); // the page paints on screen
    EXPECT_TRUE(Find(kInput.index)->IsEnabled());
}

TEST_F(InputPagesTest, HasCenterEnablesOnlyItsOwnPagesCentrePair)
{
    for (const CalibrationNames* page : {&kInput, &kAxis}) {
        const CalibrationNames* other = page == &kInput ? &kAxis : &kInput;
        SCOPED_TRACE(page->add);
        EXPECT_FALSE(Find(page->deviceCenter)->IsEnabled());
        EXPECT_FALSE(Find(page->centreButton)->IsEnabled());
        SetText(page->deviceCenter, "512");
        Check(page->hasCenter, true);
        EXPECT_TRUE(Find(page->deviceCenter)->IsEnabled());
        EXPECT_TRUE(Find(page->centreButton)->IsEnabled());
        EXPECT_FALSE(Find(other->deviceCenter)->IsEnabled());
        Check(page->hasCenter, false);
        EXPECT_FALSE(Find(page->deviceCenter)->IsEnabled());
        EXPECT_EQ(Text(page->deviceCenter), "512");
    }
}

TEST_F(InputPagesTest, CapturesCopyTheReadingUnchanged)
{
    SetText("ID_TEXTCTRL62", "837");
    Click(kInput.maxButton);
    Click(kInput.centreButton);
    SetText("ID_TEXTCTRL62", "");
    Click(kInput.minButton);
    EXPECT_EQ(Text(kInput.deviceMax), "837");
    EXPECT_EQ(Text(kInput.deviceCenter), "837");
    EXPECT_EQ(Text(kInput.deviceMin), "");

    Choose("ID_CHOICE5", 5);
    Click(kAxis.maxButton);
    EXPECT_EQ(Text(kAxis.deviceMax), "12345");
    SetText(kAxisFields[5], "abc");
    Click(kAxis.minButton);
    Click(kAxis.centreButton);
    EXPECT_EQ(Text(kAxis.deviceMin), "abc");
    EXPECT_EQ(Text(kAxis.deviceCenter), "abc");
}

TEST_F(InputPagesTest, ChosenAxisIsHighlighted)
{
    EXPECT_EQ(Find<wxChoice>("ID_CHOICE5")->GetSelection(), 0);
    for (int axis = 0; axis < 16; ++axis)
        EXPECT_EQ(IsHighlighted(axis), axis == 0) << axis;
    Choose("ID_CHOICE5", 5);
    for (int axis = 0; axis < 16; ++axis)
        EXPECT_EQ(IsHighlighted(axis), axis == 5) << axis;
    auto* dataref = Find(kAxis.dataref);
    EXPECT_EQ(Find(kAxisFields[0])->GetForegroundColour(), dataref->GetForegroundColour());
    EXPECT_EQ(Find(kAxisFields[0])->GetBackgroundColour(), dataref->GetBackgroundColour());
}
