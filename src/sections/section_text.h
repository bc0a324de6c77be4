#pragma once
// INI section text for the plugin, without any window: number reading, the
// section formats, the field masks of the editor pages, the remarks block and
// the calibration of analog ranges. Lines end in CR LF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// ---- Reading field texts -------------------------------------------------

// The whole text as a base-10 integer within 32 bits (leading blanks and a
// sign allowed); nothing when it does not convert.
std::optional<int> ParseInteger(std::string_view text);
// The same, with 0 for a text that does not convert.
int ReadInteger(std::string_view text);
// The whole text as a real with a point as decimal separator, whatever the
// locale; 0.0 when it does not convert.
double ReadReal(std::string_view text);

// ---- Formatting ----------------------------------------------------------

// One value for a printf-style section format. Texts are inserted as they
// stand, never read as formats.
struct FormatArg {
    FormatArg(int value) : kind(Kind::Integer), integer(value) {}
    FormatArg(double value) : kind(Kind::Real), real(value) {}
    FormatArg(std::string_view value) : kind(Kind::Text), text(value) {}
    FormatArg(const std::string& value) : kind(Kind::Text), text(value) {}
    FormatArg(const char* value) : kind(Kind::Text), text(value) {}

    enum class Kind { Integer, Real, Text } kind;
    int integer = 0;
    double real = 0.0;
    std::string_view text;
};

// Fills the %d / %04d / %s / %11.5f / %6.0f conversions of `format` in order,
// with the point as decimal separator whatever the locale.
std::string FormatSection(std::string_view format, const std::vector<FormatArg>& args);

// ---- Remarks block -------------------------------------------------------

// Characters (not bytes) of the longest of these UTF-8 lines.
int LongestLineLength(const std::vector<std::string>& lines);
// `count` copies of `c` and CR LF; only CR LF when count is 0 or less.
std::string RuleLine(char c, int count);
// The block written in front of a section: a rule three characters longer
// than the longest remark, each remark behind "# ", the rule again. Empty
// when the remarks hold no character.
std::string RemarksBlock(const std::vector<std::string>& lines);

// ---- DiscrCtrls page: "[Key%04d]" sections -------------------------------

struct ControlSectionInput {
    int controlType = 0; // 0 none, 1 Button, 2 Cyclic button, 3 Toggle switch, 4 Rotary, 5 Encoder
    int datarefType = 0; // 0 none, 1 Command, 2 Dataref int, 3 Dataref float, 4 Array int, 5 Array float
    int key = 0, index = 0, value0 = 0, value1 = 0, min = 0, max = 0, increment = 0;
    std::string name;     // dataref, array or command (command_0 of a toggle)
    std::string command1; // the toggle's second command
};

// Bits: 0 "0:", 1 "1:", 2 Min, 3 Max, 4 Increment, 5 Index, 6 Command_1, 7 name.
std::uint8_t ControlFieldMask(int controlType, int datarefType);
bool IsToggleSection(int controlType, int datarefType);
// Empty when the combination has no section.
std::string FormatControlSection(const ControlSectionInput& in);

// ---- Indication page: "[IND %s]" sections --------------------------------

struct IndicationSectionInput {
    int indicationType = 0; // 0 none, 1 numeric, 2 discrete
    int datarefType = 0;    // 0 none, 1 Dataref int, 2 Dataref float, 3 Array int, 4 Array float
    std::string section, dataref;
    int index = 0, device = 0, position = 0, length = 0, factor = 0, offset = 0, mask = 0;
    bool hasFactor = false, hasOffset = false, hasMask = false, leadingZeroes = false;
};

// Bits: 0 Device, 1 Position, 2 Length, 3 Factor, 4 Offset, 5 Mask,
// 6 "Show leading zeroes", 7 Index.
std::uint8_t IndicationFieldMask(int indicationType, int datarefType);
// The section with its optional lines and closing empty line; empty when
// either type is the empty entry.
std::string FormatIndicationSection(const IndicationSectionInput& in);

// ---- NumCtrls and Axes pages: "[Inp%s]" and "[Axis %s]" sections ----------

struct Calibration {
    double factor = 1.0;
    double offset = 0.0;
};

// Factor and offset that map the device range onto the simulator range; the
// offset is the centre reading when there is a centre.
Calibration CalibrateAxis(int deviceMax, int deviceCenter, int deviceMin, double simMax,
                          double simMin, bool hasCenter);

// The calibration fields of either page, as typed.
struct CalibrationFields {
    std::string deviceMax, deviceCenter, deviceMin, simMax, simMin;
    bool hasCenter = false;
};

// NumCtrls: factor 1 and offset 0 while any of the five fields is empty.
Calibration CalibrateInputFields(const CalibrationFields& fields);
// Axes: empty fields count as 0.
Calibration CalibrateAxisFields(const CalibrationFields& fields);

struct AnalogSectionInput {
    int datarefType = 0; // 0 none, 1 Dataref int, 2 Dataref float, 3 Array int, 4 Array float
    std::string name;    // "[Inp%s]": the event identifier text; "[Axis %s]": the section name
    std::string dataref;
    int index = 0;
    int axis = 0; // Axes only
    Calibration calibration;
};

// Empty when the dataref type is the empty entry.
std::string FormatInputSection(const AnalogSectionInput& in);
std::string FormatAxisSection(const AnalogSectionInput& in);
// Whether the "Index:" field applies: 1 for arrays, 0 for plain datarefs,
// -1 (leave it as it is) for the empty entry.
int IndexFieldState(int datarefType);
