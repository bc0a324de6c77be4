#pragma once
// Small factories that give every control its identifier, window name and
// translated texts, and one way of placing an item in a flexible grid sizer.

#include "app/control_ids.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <array>
#include <initializer_list>

// Where an item sits in its cell: the sides with a border, the alignment, the border width.
struct Place {
    int flags;
    int border;
};

constexpr int kAllCentred = wxALL | wxALIGN_CENTER;
constexpr int kAllExpand = wxALL | wxEXPAND;
constexpr int kAllCentredHorizontally = wxALL | wxALIGN_CENTER_HORIZONTAL;
constexpr int kNoLeftCentred = wxTOP | wxBOTTOM | wxRIGHT | wxALIGN_CENTER;
constexpr int kTopBottomExpand = wxTOP | wxBOTTOM | wxEXPAND;

// Every item goes in with proportion 1; flexible grid sizers without growable
// rows or columns ignore it, so nothing stretches.
void Put(wxSizer* sizer, wxWindow* item, Place place);
void Put(wxSizer* sizer, wxSizer* item, Place place);
void PutSpacer(wxSizer* sizer, int width, int height, Place place);

constexpr int kRightCentred = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
constexpr int kLeftCentred = wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL;

wxFlexGridSizer* NewGrid(int rows, int cols);

wxStaticText* NewLabel(wxWindow* parent, ControlId id, const char* text, long style = 0);
wxTextCtrl* NewTextField(wxWindow* parent, ControlId id, const char* text = "",
                         wxSize size = wxDefaultSize, long style = 0);
wxButton* NewButton(wxWindow* parent, ControlId id, const char* label, wxSize size = wxDefaultSize);
wxCheckBox* NewCheckBox(wxWindow* parent, ControlId id, const char* label);
wxStaticLine* NewLine(wxWindow* parent, ControlId id, long style, wxSize size = wxDefaultSize);
// Items are appended in order; the item at `selected` is chosen.
wxChoice* NewChoice(wxWindow* parent, ControlId id, std::initializer_list<const char*> items,
                    int selected);
// An editable drop-down; the item at `selected` is chosen (none when negative).
wxComboBox* NewComboBox(wxWindow* parent, ControlId id, wxSize size,
                        std::initializer_list<const char*> items, int selected);

// The device bar's 10-point Swiss headings; an empty face takes the system's.
// A label and, to its right, its field, as two cells of `grid`. A right-aligned
// label hugs its field.
enum class LabelAlign { Left, Right };
wxTextCtrl* PutLabelledField(wxWindow* page, wxSizer* grid, ControlId label, const char* text,
                             ControlId field, LabelAlign align = LabelAlign::Left,
                             wxSize size = wxDefaultSize, long fieldStyle = 0);

// Enables fields[bit] where bit `bit` of `mask` is set and disables it
// where it is clear.
void EnableByMask(const std::array<wxWindow*, 8>& fields, unsigned mask);

wxFont BarFont(wxFontWeight weight, const wxString& face = wxEmptyString);
