#pragma once
// How the editor pages read their fields: texts through the C library's
// character set (a text that does not convert counts as empty), numbers
// from the whole text.

#include "sections/section_text.h"

#include <wx/textctrl.h>

#include <string>
#include <vector>

struct CalibrationControls;

std::string FieldText(const wxTextEntry* field);
int FieldInteger(const wxTextEntry* field);
// Each line of a multi-line control, as the control counts them, in UTF-8.
std::vector<std::string> LinesOf(const wxTextCtrl* pane);
CalibrationFields ReadCalibration(const CalibrationControls& controls);
// Sets the target's text to the source's, as a normal text change.
void CopyText(const wxTextEntry* source, wxTextEntry* target);
