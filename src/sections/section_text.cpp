#include "sections/section_text.h"

#include <array>
#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The "C" locale, used for every number read or written: the plugin reads
// points, whatever the user's LC_NUMERIC.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// One printf conversion of a single number under the "C" locale.
template <class Number>
void AppendNumber(std::string& out, const std::string& conversion, Number value)
{
    const locale_t previous = uselocale(CLocale());
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, conversion.c_str(), value);
    uselocale(previous);
    if (length > 0)
        out.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

bool IsArrayType(int datarefType) { return datarefType == 3 || datarefType == 4; }

const char* TypeWord(int datarefType) { return datarefType == 1 || datarefType == 3 ? "int" : "float"; }

bool InRange(int value, int count) { return value >= 0 && value < count; }

} // namespace

std::optional<int> ParseInteger(std::string_view text)
{
    const std::string whole(text);
    if (whole.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = strtoll_l(whole.c_str(), &end, 10, CLocale());
    const bool converted = end != whole.c_str() && *end == '\0' && errno != ERANGE;
    if (!converted || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

int ReadInteger(std::string_view text) { return ParseInteger(text).value_or(0); }

double ReadReal(std::string_view text)
{
    const std::string whole(text);
    if (whole.empty())
        return 0.0;
    char* end = nullptr;
    errno = 0;
    const double value = strtod_l(whole.c_str(), &end, CLocale());
    const bool converted = end != whole.c_str() && *end == '\0' && errno != ERANGE;
    return converted ? value : 0.0;
}

std::string FormatSection(std::string_view format, const std::vector<FormatArg>& args)
{
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        const std::size_t end = format.find_first_of("dfs%", i + 1);
        assert(end != std::string_view::npos);
        const char kind = format[end];
        const std::string conversion(format.substr(i, end - i + 1));
        i = end;
        if (kind == '%') {
            out += '%';
            continue;
        }
        assert(arg != args.end());
        if (kind == 's')
            out.append(arg->text);
        else if (kind == 'd')
            AppendNumber(out, conversion, arg->integer);
        else
            AppendNumber(out, conversion, arg->real);
        ++arg;
    }
    assert(arg == args.end());
    return out;
}

int LongestLineLength(const std::vector<std::string>& lines)
{
    int longest = 0;
    for (const std::string& line : lines) {
        int characters = 0;
        for (unsigned char byte : line)
            characters += (byte & 0xC0) != 0x80; // count UTF-8 lead bytes only
        longest = std::max(longest, characters);
    }
    return longest;
}

std::string RuleLine(char c, int count) { return std::string(count > 0 ? count : 0, c) + "\r\n"; }

std::string RemarksBlock(const std::vector<std::string>& lines)
{
    const int longest = LongestLineLength(lines);
    if (longest == 0)
        return {};
    const std::string rule = RuleLine('#', longest + 3);
    std::string block = rule;
    for (const std::string& line : lines)
        block += "# " + line + "\r\n";
    return block + rule;
}

// ---- Control sections ------------------------------------------------------

namespace {

// Value letters, in placeholder order: K key, T name, C command_1, I index,
// 0 and 1 the state values, m min, M max, n increment.
struct ControlForm {
    const char* format;
    const char* values;
};

constexpr std::array<ControlForm, 18> kControlForms = {{
    {"[Key%04d]\r\nmode: command\r\ncommand: %s\r\n\r\n", "KT"},
    {"[Key%04d]\r\nmode: command-toggle\r\ncommand_0: %s\r\ncommand_1: %s\r\n\r\n", "KTC"},
    {"[Key%04d]\r\nmode: dataref\r\ndataref: %s\r\ntype: int\r\n0: %d\r\n1: %d\r\n\r\n", "KT01"},
    {"[Key%04d]\r\nmode: dataref\r\ndataref: %s\r\ntype: float\r\n0: %d\r\n1: %d\r\n\r\n", "KT01"},
    {"[Key%04d]\r\nmode: dataref\r\narray: %s\r\nindex: %d\r\ntype: int\r\n0: %d\r\n1: %d\r\n\r\n", "KTI01"},
    {"[Key%04d]\r\nmode: dataref\r\narray: %s\r\nindex: %d\r\ntype: float\r\n0: %d\r\n1: %d\r\n\r\n", "KTI01"},
    {"[Key%04d]\r\nmode: dataref\r\ndataref: %s\r\ntype: int\r\n1: %d\r\n\r\n", "KT1"},
    {"[Key%04d]\r\nmode: dataref\r\ndataref: %s\r\ntype: float\r\n1: %d\r\n\r\n", "KT1"},
    {"[Key%04d]\r\nmode: dataref\r\narray: %s\r\nindex: %d\r\ntype: int\r\n1: %d\r\n\r\n", "KTI1"},
    {"[Key%04d]\r\nmode: dataref\r\narray: %s\r\nindex: %d\r\ntype: float\r\n1: %d\r\n\r\n", "KTI1"},
    {"[Key%04d]\r\nmode: loop\r\ndataref: %s\r\ntype: int\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTmMn"},
    {"[Key%04d]\r\nmode: loop\r\ndataref: %s\r\ntype: float\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTmMn"},
    {"[Key%04d]\r\nmode: loop\r\narray: %s\r\nindex: %d\r\ntype: int\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTImMn"},
    {"[Key%04d]\r\nmode: loop\r\narray: %s\r\nindex: %d\r\ntype: float\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTImMn"},
    {"[Key%04d]\r\nmode: dataref\r\ndataref: %s\r\ntype: int\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTmMn"},
    {"[Key%04d]\r\nmode: dataref\r\ndataref: %s\r\ntype: float\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTmMn"},
    {"[Key%04d]\r\nmode: dataref\r\narray: %s\r\nindex: %d\r\ntype: int\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTImMn"},
    {"[Key%04d]\r\nmode: dataref\r\narray: %s\r\nindex: %d\r\ntype: float\r\nmin: %d\r\nmax: %d\r\nincrement: %d\r\n\r\n", "KTImMn"},
}};

constexpr int kToggleForm = 1;

// Form per dataref type + 6 * control type; -1: no section.
constexpr std::array<std::int8_t, 36> kControlFormIndex = {
    -1, -1, -1, -1, -1, -1, // (empty)
    -1, 0,  2,  3,  4,  5,  // Button: command, on/off
    -1, -1, 10, 11, 12, 13, // Cyclic button: loop
    -1, 1,  2,  3,  4,  5,  // Toggle switch: toggle, on/off
    -1, 0,  6,  7,  8,  9,  // Rotary switch position: command, position
    -1, 0,  14, 15, 16, 17, // Encoder: command, step
};

// Enabled fields per dataref type + 6 * control type (bits as ControlFieldMask).
constexpr std::array<std::uint8_t, 36> kControlFieldMasks = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // (empty)
    0x00, 0x80, 0x83, 0x83, 0xA3, 0xA3, // Button
    0x00, 0x00, 0x9C, 0x9C, 0xBC, 0xBC, // Cyclic button
    0x00, 0xC0, 0x83, 0x83, 0xA3, 0xA3, // Toggle switch
    0x00, 0x80, 0x82, 0x82, 0xA2, 0xA2, // Rotary switch position
    0x00, 0x80, 0x9C, 0x9C, 0xBC, 0xBC, // Encoder
};

int ControlFormOf(int controlType, int datarefType)
{
    if (!InRange(controlType, 6) || !InRange(datarefType, 6))
        return -1;
    return kControlFormIndex[datarefType + 6 * controlType];
}

} // namespace

std::uint8_t ControlFieldMask(int controlType, int datarefType)
{
    if (!InRange(controlType, 6) || !InRange(datarefType, 6))
        return 0;
    return kControlFieldMasks[datarefType + 6 * controlType];
}

bool IsToggleSection(int controlType, int datarefType)
{
    return ControlFormOf(controlType, datarefType) == kToggleForm;
}

std::string FormatControlSection(const ControlSectionInput& in)
{
    const int form = ControlFormOf(in.controlType, in.datarefType);
    if (form < 0)
        return {};
    const auto value = [&in](char letter) -> FormatArg {
        switch (letter) {
        case 'K': return in.key;
        case 'T': return in.name;
        case 'C': return in.command1;
        case 'I': return in.index;
        case '0': return in.value0;
        case '1': return in.value1;
        case 'm': return in.min;
        case 'M': return in.max;
        default: return in.increment;
        }
    };
    std::vector<FormatArg> values;
    for (const char* letter = kControlForms[form].values; *letter; ++letter)
        values.push_back(value(*letter));
    return FormatSection(kControlForms[form].format, values);
}

// ---- Indication sections ---------------------------------------------------

std::uint8_t IndicationFieldMask(int indicationType, int datarefType)
{
    constexpr std::array<std::uint8_t, 3> kByIndicationType = {0x00, 0x5F, 0x22};
    const std::uint8_t fields = InRange(indicationType, 3) ? kByIndicationType[indicationType] : 0;
    return fields | (IsArrayType(datarefType) ? 0x80 : 0x00);
}

std::string FormatIndicationSection(const IndicationSectionInput& in)
{
    if (!InRange(in.indicationType, 3) || in.indicationType == 0 || !InRange(in.datarefType, 5) ||
        in.datarefType == 0)
        return {};
    const bool numeric = in.indicationType == 1;
    const char* type = TypeWord(in.datarefType);
    std::string text;
    if (numeric && IsArrayType(in.datarefType))
        text = FormatSection("[IND %s]\r\nmode: datarefPoll\r\narray: %s\r\nindex: %d\r\ntype: %s\r\n"
                             "devadr: %d\r\npos: %d\r\nlen: %d\r\n",
                             {in.section, in.dataref, in.index, type, in.device, in.position, in.length});
    else if (numeric)
        text = FormatSection("[IND %s]\r\nmode: datarefPoll\r\ndataref: %s\r\ntype: %s\r\n"
                             "devadr: %d\r\npos: %d\r\nlen: %d\r\n",
                             {in.section, in.dataref, type, in.device, in.position, in.length});
    else if (IsArrayType(in.datarefType))
        text = FormatSection("[IND %s]\r\nmode: datarefPoll\r\narray: %s\r\nindex: %d\r\ntype: %s\r\n"
                             "pos: %d\r\n",
                             {in.section, in.dataref, in.index, type, in.position});
    else
        text = FormatSection("[IND %s]\r\nmode: datarefPoll\r\ndataref: %s\r\ntype: %s\r\npos: %d\r\n",
                             {in.section, in.dataref, type, in.position});

    if (numeric && in.hasFactor)
        text += FormatSection("factor: %d\r\n", {in.factor});
    if (numeric && in.hasOffset)
        text += FormatSection("offset: %d\r\n", {in.offset});
    if (numeric && in.leadingZeroes)
        text += "options: 1\r\n";
    if (!numeric && in.hasMask)
        text += FormatSection("mask: %d\r\n", {in.mask});
    return text + "\r\n";
}

// ---- Analog input and axis sections -------------------------------------------

Calibration CalibrateAxis(int deviceMax, int deviceCenter, int deviceMin, double simMax,
                          double simMin, bool hasCenter)
{
    // In 64 bits: the difference of two 32-bit readings can exceed 32 bits.
    const double span = static_cast<double>(static_cast<std::int64_t>(deviceMax) - deviceMin);
    Calibration result;
    result.factor = (simMax - simMin) / span;
    result.offset = hasCenter ? static_cast<double>(deviceCenter) : deviceMax - simMax / result.factor;
    return result;
}

Calibration CalibrateAxisFields(const CalibrationFields& f)
{
    return CalibrateAxis(ReadInteger(f.deviceMax), ReadInteger(f.deviceCenter),
                         ReadInteger(f.deviceMin), ReadReal(f.simMax), ReadReal(f.simMin),
                         f.hasCenter);
}

Calibration CalibrateInputFields(const CalibrationFields& f)
{
    for (const std::string* text : {&f.deviceMax, &f.deviceCenter, &f.deviceMin, &f.simMin, &f.simMax})
        if (text->empty())
            return Calibration{};
    return CalibrateAxisFields(f);
}

namespace {

// The dataref line, or the array and index lines, of an analog section.
std::string DatarefLines(const AnalogSectionInput& in)
{
    if (IsArrayType(in.datarefType))
        return FormatSection("array: %s\r\nindex: %d\r\n", {in.dataref, in.index});
    return FormatSection("dataref: %s\r\n", {in.dataref});
}

std::string CalibrationLines(const Calibration& c)
{
    return FormatSection("factor: %11.5f\r\noffset: %6.0f\r\n\r\n", {c.factor, c.offset});
}

bool HasDatarefType(int datarefType) { return datarefType >= 1 && datarefType <= 4; }

} // namespace

std::string FormatInputSection(const AnalogSectionInput& in)
{
    if (!HasDatarefType(in.datarefType))
        return {};
    return FormatSection("[Inp%s]\r\nmode: input\r\n", {in.name}) + DatarefLines(in) +
           FormatSection("type: %s\r\n", {TypeWord(in.datarefType)}) + CalibrationLines(in.calibration);
}

std::string FormatAxisSection(const AnalogSectionInput& in)
{
    if (!HasDatarefType(in.datarefType))
        return {};
    return FormatSection("[Axis %s]\r\nmode: input\r\n", {in.name}) + DatarefLines(in) +
           FormatSection("type: %s\r\naxis: %d\r\n", {TypeWord(in.datarefType), in.axis}) +
           CalibrationLines(in.calibration);
}

int IndexFieldState(int datarefType)
{
    if (!HasDatarefType(datarefType))
        return -1;
    return IsArrayType(datarefType) ? 1 : 0;
}
