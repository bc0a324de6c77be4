#include "app/controls.h"

#include <algorithm>

namespace {

// The pixel sizes of the layout are minimums: where GTK needs more room for a
// control's text or frame, the control may grow so that nothing is clipped.
void KeepTextVisible(wxWindow* control, wxSize size)
{
    const wxSize best = control->GetBestSize();
    control->SetMinSize(wxSize(std::max(size.x, best.x), std::max(size.y, best.y)));
}

// A text field grows in height to GTK's own and in width to show its initial
// text; longer texts scroll within it.
void KeepFieldTextVisible(wxTextCtrl* field, wxSize size)
{
    const bool showWholeText = !field->IsMultiLine() && !field->IsEmpty();
    const int textWidth = showWholeText ? field->GetTextExtent(field->GetValue()).x + 24 : 0;
    field->SetMinSize(wxSize(std::max(size.x, textWidth),
                             std::max(size.y, field->GetBestSize().y)));
}

} // namespace

void Put(wxSizer* sizer, wxWindow* item, Place place) { sizer->Add(item, 1, place.flags, place.border); }

void Put(wxSizer* sizer, wxSizer* item, Place place) { sizer->Add(item, 1, place.flags, place.border); }

void PutSpacer(wxSizer* sizer, int width, int height, Place place)
{
    sizer->Add(width, height, 1, place.flags, place.border);
}

wxFlexGridSizer* NewGrid(int rows, int cols) { return new wxFlexGridSizer(rows, cols, 0, 0); }

wxStaticText* NewLabel(wxWindow* parent, ControlId id, const char* text, long style)
{
    return new wxStaticText(parent, IdOf(id), _(text), wxDefaultPosition, wxDefaultSize, style,
                            NameOf(id));
}

wxTextCtrl* NewTextField(wxWindow* parent, ControlId id, const char* text, wxSize size, long style)
{
    auto* field = new wxTextCtrl(parent, IdOf(id), *text ? _(text) : wxString(), wxDefaultPosition,
                                 size, style, wxDefaultValidator, NameOf(id));
    if (size != wxDefaultSize)
        KeepFieldTextVisible(field, size);
    return field;
}

wxButton* NewButton(wxWindow* parent, ControlId id, const char* label, wxSize size)
{
    auto* button = new wxButton(parent, IdOf(id), _(label), wxDefaultPosition, size, 0,
                                wxDefaultValidator, NameOf(id));
    if (size != wxDefaultSize)
        KeepTextVisible(button, size);
    return button;
}

wxCheckBox* NewCheckBox(wxWindow* parent, ControlId id, const char* label)
{
    auto* box = new wxCheckBox(parent, IdOf(id), _(label), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, NameOf(id));
    box->SetValue(false);
    return box;
}

wxStaticLine* NewLine(wxWindow* parent, ControlId id, long style, wxSize size)
{
    return new wxStaticLine(parent, IdOf(id), wxDefaultPosition, size, style, NameOf(id));
}

wxChoice* NewChoice(wxWindow* parent, ControlId id, std::initializer_list<const char*> items,
                    int selected)
{
    auto* choice = new wxChoice(parent, IdOf(id), wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                wxDefaultValidator, NameOf(id));
    for (const char* item : items)
        choice->Append(*item ? _(item) : wxString());
    choice->SetSelection(selected);
    return choice;
}

wxComboBox* NewComboBox(wxWindow* parent, ControlId id, wxSize size,
                        std::initializer_list<const char*> items, int selected)
{
    auto* box = new wxComboBox(parent, IdOf(id), wxEmptyString, wxDefaultPosition, size, 0, nullptr,
                               0, wxDefaultValidator, NameOf(id));
    for (const char* item : items)
        box->Append(_(item));
    if (selected >= 0)
        box->SetSelection(selected);
    KeepTextVisible(box, size);
    return box;
}

wxTextCtrl* PutLabelledField(wxWindow* page, wxSizer* grid, ControlId label, const char* text,
                             ControlId field, LabelAlign align, wxSize size, long fieldStyle)
{
    const bool right = align == LabelAlign::Right;
    Put(grid, NewLabel(page, label, text, right ? wxALIGN_RIGHT : 0),
        {right ? kRightCentred : kLeftCentred, 5});
    wxTextCtrl* entry = NewTextField(page, field, "", size, fieldStyle);
    Put(grid, entry, {kLeftCentred, 5});
    return entry;
}

void EnableByMask(const std::array<wxWindow*, 8>& fields, unsigned mask)
{
    for (std::size_t bit = 0; bit < fields.size(); ++bit)
        fields[bit]->Enable((mask >> bit) & 1);
}

wxFont BarFont(wxFontWeight weight, const wxString& face)
{
    return wxFont(10, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, weight, false, face);
}
