#include "sections/field_reading.h"

#include "app/dialog.h"

#include <wx/checkbox.h>

std::string FieldText(const wxTextEntry* field)
{
    const wxString text = field->GetValue(); // outlives the converted bytes
    const wxScopedCharBuffer bytes = text.mb_str(wxConvLibc);
    return bytes.data() ? std::string(bytes.data(), bytes.length()) : std::string();
}

int FieldInteger(const wxTextEntry* field) { return ReadInteger(FieldText(field)); }

std::vector<std::string> LinesOf(const wxTextCtrl* pane)
{
    std::vector<std::string> lines;
    for (int i = 0; i < pane->GetNumberOfLines(); ++i)
        lines.push_back(pane->GetLineText(i).utf8_string());
    return lines;
}

CalibrationFields ReadCalibration(const CalibrationControls& c)
{
    return {FieldText(c.deviceMax), FieldText(c.deviceCenter), FieldText(c.deviceMin),
            FieldText(c.simMax),    FieldText(c.simMin),       c.hasCenter->GetValue()};
}

void CopyText(const wxTextEntry* source, wxTextEntry* target) { target->SetValue(source->GetValue()); }

void loggerDialog::AppendRemarksBlock()
{
    resultPane->AppendText(wxString::FromUTF8(RemarksBlock(LinesOf(remarksPane))));
}

// Sections are made of field texts in the C library's character set.
void loggerDialog::AppendSection(const std::string& section)
{
    resultPane->AppendText(wxString(section.data(), wxConvLibc, section.size()));
}
