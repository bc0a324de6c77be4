// Number reading, formatting, remarks and calibration, without any window.

#include "sections/section_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

TEST(ReadInteger, AcceptsOnlyWholeDecimal32BitNumbers)
{
    struct Case {
        const char* text;
        int expected;
    } const cases[] = {
        {"163", 163},       {"-5", -5},           {"+7", 7},           {"  42", 42},
        {"12 ", 0},         {"0x1F", 0},          {"abc", 0},          {"", 0},
        {"12abc", 0},       {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},  {"-2147483649", 0},   {"99999999999999999999", 0},
        {"007", 7},         {"1.5", 0},           {"-", 0},            {"+", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ReadReal, ReadsAPointWhateverTheLocale)
{
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string restore = saved ? saved : "C";
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_NUMERIC, locale))
            continue;
        SCOPED_TRACE(locale);
        EXPECT_DOUBLE_EQ(ReadReal("0.5"), 0.5);
        EXPECT_DOUBLE_EQ(ReadReal("-1"), -1.0);
        EXPECT_DOUBLE_EQ(ReadReal(" 2.25"), 2.25);
        EXPECT_DOUBLE_EQ(ReadReal("0,5"), 0.0);
        EXPECT_DOUBLE_EQ(ReadReal("1.5 "), 0.0);
        EXPECT_DOUBLE_EQ(ReadReal(""), 0.0);
        EXPECT_DOUBLE_EQ(ReadReal("x"), 0.0);
    }
    std::setlocale(LC_NUMERIC, restore.c_str());
}

TEST(FormatSection, InsertsTextLiterallyAndNumbersWithAPoint)
{
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string restore = saved ? saved : "C";
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "scripts/setup makes this locale";
    EXPECT_EQ(FormatSection("[Key%04d] %s %d%%", {-1, "100%s %d %%", 7}), "[Key-001] 100%s %d %% 7%");
    EXPECT_EQ(FormatSection("f: %11.5f o: %6.0f", {1.0 / 1024, 512.4}), "f:     0.00098 o:    512");
    std::setlocale(LC_NUMERIC, restore.c_str());
}

TEST(FormatSection, NonFiniteValuesPrintAsTheCLibraryPrintsThem)
{
    const double inf = std::numeric_limits<double>::infinity();
    char expected[64];
    std::snprintf(expected, sizeof expected, "%11.5f|%6.0f", -inf, std::nan(""));
    EXPECT_EQ(FormatSection("%11.5f|%6.0f", {-inf, std::nan("")}), expected);
}

TEST(RemarksBlock, RulesAreThreeLongerThanTheLongestRemark)
{
    struct Case {
        std::vector<std::string> lines;
        std::string expected;
    } const cases[] = {
        {{"Some comment (remove all to omit comments)"},
         std::string(45, '#') + "\r\n# Some comment (remove all to omit comments)\r\n" +
             std::string(45, '#') + "\r\n"},
        {{}, ""},
        {{""}, ""},
        {{"", ""}, ""},
        {{"a", "bcd"}, "######\r\n# a\r\n# bcd\r\n######\r\n"},
        {{"ab", "", "c"}, "#####\r\n# ab\r\n# \r\n# c\r\n#####\r\n"},
        {{"\xc3\xa4\xc3\xb6"}, "#####\r\n# \xc3\xa4\xc3\xb6\r\n#####\r\n"}, // two characters, four bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemarksBlock(c.lines), c.expected);
    EXPECT_EQ(RuleLine('#', 0), "\r\n");
    EXPECT_EQ(RuleLine('#', -3), "\r\n");
}

TEST(CalibrateAxis, MapsTheDeviceRangeOntoTheSimulatorRange)
{
    struct Case {
        int dmax, dcen, dmin;
        double smax, smin;
        bool center;
        double factor, offset;
    } const cases[] = {
        {1024, 0, 0, 1, 0, false, 1.0 / 1024, 0},
        {1023, 512, 1, 1, -1, true, 2.0 / 1022, 512},
        {900, 0, 100, 40, 0, false, 0.05, 100},
        {0, 0, 1023, 1, 0, false, -1.0 / 1023, 1023},
    };
    for (const auto& c : cases) {
        const Calibration result = CalibrateAxis(c.dmax, c.dcen, c.dmin, c.smax, c.smin, c.center);
        EXPECT_DOUBLE_EQ(result.factor, c.factor);
        EXPECT_NEAR(result.offset, c.offset, 1e-9);
        if (!c.center) {
            EXPECT_NEAR((c.dmax - result.offset) * result.factor, c.smax, 1e-9);
            EXPECT_NEAR((c.dmin - result.offset) * result.factor, c.smin, 1e-9);
        }
    }
}

TEST(CalibrateAxis, ExtremeReadingsDoNotOverflow)
{
    const Calibration wide = CalibrateAxis(INT32_MAX, 0, INT32_MIN, 1, 0, false);
    EXPECT_GT(wide.factor, 0.0);
    EXPECT_DOUBLE_EQ(wide.factor, 1.0 / 4294967295.0);

    const Calibration flat = CalibrateAxis(5, 0, 5, 1, 0, false);
    EXPECT_TRUE(std::isinf(flat.factor));
    EXPECT_TRUE(std::isnan(CalibrateAxis(5, 0, 5, 1, 1, false).factor));
}

TEST(CalibrateFields, OnlyNumCtrlsFallsBackWhenAFieldIsEmpty)
{
    CalibrationFields fields{"1024", "", "0", "1", "0", false};
    const Calibration input = CalibrateInputFields(fields);
    EXPECT_DOUBLE_EQ(input.factor, 1.0);
    EXPECT_DOUBLE_EQ(input.offset, 0.0);
    EXPECT_DOUBLE_EQ(CalibrateAxisFields(fields).factor, 1.0 / 1024);

    fields.deviceCenter = "x"; // any text will do
    EXPECT_DOUBLE_EQ(CalibrateInputFields(fields).factor, 1.0 / 1024);
}

} // namespace
