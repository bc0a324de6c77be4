// The NumCtrls and Axes pages: "[Inp%s]" and "[Axis %s]" sections for the
// board's analog inputs, with the calibration of their device range.

#include "app/controls.h"
#include "app/dialog.h"
#include "sections/field_reading.h"

#include <wx/settings.h>

#include <tuple>
#include <utility>

namespace {

const wxSize kNameFieldSize(300, -1);
const wxSize kNumberFieldSize(70, -1);

// The window names of one page's calibration grid.
struct CalibrationIds {
    ControlId maxButton, deviceMax, simMaxLabel, simMax;
    ControlId centreButton, deviceCenter, simMinLabel, simMin;
    ControlId minButton, deviceMin, hasCenterLabel, hasCenter;
};

// Three rows of four cells: capture button, device field, label, field or
// check box. The centre pair starts disabled, as "Has center" starts clear.
CalibrationControls PutCalibrationGrid(wxWindow* page, wxSizer* sizer, const CalibrationIds& ids)
{
    CalibrationControls c;
    auto* grid = NewGrid(3, 4);
    const auto captureRow = [&](ControlId button, const char* text, ControlId field) {
        auto* capture = NewButton(page, button, text);
        Put(grid, capture, {kAllExpand, 5});
        auto* device = NewTextField(page, field, "", kNumberFieldSize);
        Put(grid, device, {kLeftCentred, 5});
        return std::make_pair(capture, device);
    };
    c.deviceMax = captureRow(ids.maxButton, "DeviceMax >", ids.deviceMax).second;
    c.simMax = PutLabelledField(page, grid, ids.simMaxLabel, "SimMax:", ids.simMax, LabelAlign::Right,
                                kNumberFieldSize);
    std::tie(c.centreButton, c.deviceCenter) = captureRow(ids.centreButton, "DevCenter >", ids.deviceCenter);
    c.simMin = PutLabelledField(page, grid, ids.simMinLabel, "SimMin:", ids.simMin, LabelAlign::Right,
                                kNumberFieldSize);
    c.deviceMin = captureRow(ids.minButton, "DeviceMin >", ids.deviceMin).second;
    Put(grid, NewLabel(page, ids.hasCenterLabel, "Has center:", wxALIGN_RIGHT), {kRightCentred, 5});
    c.hasCenter = NewCheckBox(page, ids.hasCenter, "");
    Put(grid, c.hasCenter, {kLeftCentred, 5});
    c.centreButton->Disable();
    c.deviceCenter->Disable();
    Put(sizer, grid, {kAllCentred, 0});
    return c;
}

void ShowCentre(const CalibrationControls& c)
{
    const bool centre = c.hasCenter->GetValue();
    c.deviceCenter->Enable(centre);
    c.centreButton->Enable(centre);
}

void ApplyIndexFieldState(wxTextCtrl* indexField, int datarefType)
{
    const int state = IndexFieldState(datarefType);
    if (state >= 0)
        indexField->Enable(state == 1);
}

wxChoice* NewDatarefTypeChoice(wxWindow* page, ControlId id)
{
    return NewChoice(page, id, {"", "Dataref int", "Dataref float", "Array int", "Array float"}, 1);
}

} // namespace

void loggerDialog::BuildInputPage(wxPanel* page)
{
    auto* sizer = NewGrid(0, 1);
    auto* events = NewGrid(2, 4);
    PutLabelledField(page, events, ID_STATICTEXT61, "Last control event:", ID_TEXTCTRL59);
    inputEventField = PutLabelledField(page, events, ID_STATICTEXT64, "EvId(decimal)", ID_TEXTCTRL60,
                                       LabelAlign::Left, kNumberFieldSize);
    PutLabelledField(page, events, ID_STATICTEXT62, "Event filter", ID_TEXTCTRL61);
    currentValueField = PutLabelledField(page, events, ID_STATICTEXT63, "Current value", ID_TEXTCTRL62,
                                         LabelAlign::Left, kNumberFieldSize);
    Put(sizer, events, {kAllExpand, 0});
    Put(sizer, NewLine(page, ID_STATICLINE3, wxLI_HORIZONTAL, wxSize(10, -1)), {kAllExpand, 5});

    auto* dataref = NewGrid(0, 1);
    auto* typeRow = NewGrid(1, 0);
    inputDatarefChoice = NewDatarefTypeChoice(page, ID_CHOICE7);
    Put(typeRow, inputDatarefChoice, {kLeftCentred, 5});
    Put(typeRow, NewLabel(page, ID_STATICTEXT31, "Dataref type"), {kLeftCentred, 5});
    PutSpacer(typeRow, 20, 10, {kAllCentred, 5});
    inputIndexField = PutLabelledField(page, typeRow, ID_STATICTEXT56, "Index:", ID_TEXTCTRL49,
                                       LabelAlign::Right, kNumberFieldSize);
    inputIndexField->Disable();
    Put(dataref, typeRow, {kAllExpand, 0});
    Put(dataref, NewLabel(page, ID_STATICTEXT34, "Dataref"), {kLeftCentred, 5});
    inputDatarefField = NewTextField(page, ID_TEXTCTRL46, "", kNameFieldSize);
    Put(dataref, inputDatarefField, {kAllExpand, 5});
    Put(sizer, dataref, {kAllExpand, 0});
    Put(sizer, NewLine(page, ID_STATICLINE4, wxLI_HORIZONTAL, wxSize(10, -1)), {kAllExpand, 5});

    inputCalibration = PutCalibrationGrid(
        page, sizer,
        {ID_BUTTON18, ID_TEXTCTRL50, ID_STATICTEXT57, ID_TEXTCTRL51, ID_BUTTON19, ID_TEXTCTRL56,
         ID_STATICTEXT58, ID_TEXTCTRL57, ID_BUTTON20, ID_TEXTCTRL58, ID_STATICTEXT60, ID_CHECKBOX4});
    Put(sizer, NewLine(page, ID_STATICLINE11, wxLI_HORIZONTAL, wxSize(10, -1)), {kAllExpand, 5});
    Put(sizer, NewButton(page, ID_BUTTON21, "Add Dataref  put section"), {kAllCentred, 5});

    page->SetSizer(sizer);
    sizer->Fit(page);
}

void loggerDialog::BuildAxesPage(wxPanel* page)
{
    struct AxisPair {
        ControlId label;
        const char* text;
        ControlId field;
    };
    constexpr std::array<AxisPair, 16> kAxisPairs = {{
        {ID_STATICTEXT35, " 0:", ID_TEXTCTRL30}, {ID_STATICTEXT33, " 1:", ID_TEXTCTRL26},
        {ID_STATICTEXT36, " 2:", ID_TEXTCTRL27}, {ID_STATICTEXT37, " 3:", ID_TEXTCTRL28},
        {ID_STATICTEXT38, " 4:", ID_TEXTCTRL29}, {ID_STATICTEXT39, " 5:", ID_TEXTCTRL31},
        {ID_STATICTEXT40, " 6:", ID_TEXTCTRL32}, {ID_STATICTEXT41, " 7:", ID_TEXTCTRL33},
        {ID_STATICTEXT42, " 8:", ID_TEXTCTRL34}, {ID_STATICTEXT43, "9:", ID_TEXTCTRL35},
        {ID_STATICTEXT44, "10:", ID_TEXTCTRL36}, {ID_STATICTEXT45, "11:", ID_TEXTCTRL37},
        {ID_STATICTEXT46, "12:", ID_TEXTCTRL38}, {ID_STATICTEXT47, "13:", ID_TEXTCTRL39},
        {ID_STATICTEXT48, "14:", ID_TEXTCTRL40}, {ID_STATICTEXT49, "15:", ID_TEXTCTRL41},
    }};

    auto* sizer = NewGrid(0, 1);
    auto* axes = NewGrid(4, 8);
    for (std::size_t axis = 0; axis < kAxisPairs.size(); ++axis) {
        const AxisPair& pair = kAxisPairs[axis];
        Put(axes, NewLabel(page, pair.label, pair.text, wxALIGN_RIGHT), {kRightCentred, 3});
        axisFields[axis] = NewTextField(page, pair.field, "12345", wxSize(60, -1), wxTE_RIGHT);
        Put(axes, axisFields[axis], {kLeftCentred, 3});
    }
    Put(sizer, axes, {kAllCentred, 5});

    auto* choices = NewGrid(1, 0);
    axisDatarefChoice = NewDatarefTypeChoice(page, ID_CHOICE6);
    Put(choices, axisDatarefChoice, {kLeftCentred, 5});
    Put(choices, NewLabel(page, ID_STATICTEXT52, "Dataref type"), {kLeftCentred, 5});
    PutSpacer(choices, 20, 10, {kAllCentred, 5});
    axisChoice = NewChoice(page, ID_CHOICE5,
                           {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13",
                            "14", "15"},
                           0);
    Put(choices, axisChoice, {kLeftCentred, 5});
    Put(choices, NewLabel(page, ID_STATICTEXT50, "Axis"), {kLeftCentred, 5});
    Put(sizer, choices, {kAllExpand, 0});

    Put(sizer, NewLabel(page, ID_STATICTEXT53, "Dataref"), {kLeftCentred, 5});
    axisDatarefField = NewTextField(page, ID_TEXTCTRL42, "", kNameFieldSize);
    Put(sizer, axisDatarefField, {kAllExpand, 5});

    auto* nameRow = NewGrid(1, 0);
    axisSectionField = PutLabelledField(page, nameRow, ID_STATICTEXT54, "[section name]", ID_TEXTCTRL43,
                                        LabelAlign::Right, wxSize(200, -1));
    PutSpacer(nameRow, 20, 10, {kAllCentred, 5});
    axisIndexField = PutLabelledField(page, nameRow, ID_STATICTEXT59, "Index:", ID_TEXTCTRL48,
                                      LabelAlign::Right, kNumberFieldSize);
    axisIndexField->Disable();
    Put(sizer, nameRow, {kAllExpand, 0});

    auto* calibrationRow = NewGrid(1, 0);
    PutSpacer(calibrationRow, 20, 10, {kAllCentred, 5});
    axisCalibration = PutCalibrationGrid(
        page, calibrationRow,
        {ID_BUTTON12, ID_TEXTCTRL44, ID_STATICTEXT65, ID_TEXTCTRL54, ID_BUTTON13, ID_TEXTCTRL52,
         ID_STATICTEXT66, ID_TEXTCTRL55, ID_BUTTON14, ID_TEXTCTRL53, ID_STATICTEXT67, ID_CHECKBOX3});
    Put(sizer, calibrationRow, {kAllExpand, 0});
    Put(sizer, NewButton(page, ID_BUTTON10, "Add axis section"), {kAllCentred, 5});

    page->SetSizer(sizer);
    sizer->Fit(page);
}

void loggerDialog::UpdateInputIndexField()
{
    ApplyIndexFieldState(inputIndexField, inputDatarefChoice->GetSelection());
}

void loggerDialog::UpdateAxisIndexField()
{
    ApplyIndexFieldState(axisIndexField, axisDatarefChoice->GetSelection());
}

// White on black and bold for the chosen axis; the others look like the
// page's "Dataref" field.
void loggerDialog::HighlightAxis(int axis)
{
    const wxColour text = axisDatarefField->GetForegroundColour();
    const wxColour background = axisDatarefField->GetBackgroundColour();
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    for (int i = 0; i < static_cast<int>(axisFields.size()); ++i) {
        wxTextCtrl* field = axisFields[i];
        const bool chosen = i == axis;
        field->SetForegroundColour(chosen ? *wxWHITE : text);
        field->SetBackgroundColour(chosen ? *wxBLACK : background);
        field->SetFont(chosen ? font.Bold() : font);
        field->Refresh(true);
    }
}

void loggerDialog::OnInputDatarefChoice(wxCommandEvent&) { UpdateInputIndexField(); }

void loggerDialog::OnInputPagePaint(wxPaintEvent& event)
{
    UpdateInputIndexField();
    event.Skip(); // the panel paints itself as usual
}

void loggerDialog::OnInputCaptureMax(wxCommandEvent&) { CopyText(currentValueField, inputCalibration.deviceMax); }

void loggerDialog::OnInputCaptureCenter(wxCommandEvent&)
{
    CopyText(currentValueField, inputCalibration.deviceCenter);
}

void loggerDialog::OnInputCaptureMin(wxCommandEvent&) { CopyText(currentValueField, inputCalibration.deviceMin); }

void loggerDialog::OnInputHasCenter(wxCommandEvent&) { ShowCentre(inputCalibration); }

void loggerDialog::OnAddInputSection(wxCommandEvent&)
{
    AnalogSectionInput in;
    in.datarefType = inputDatarefChoice->GetSelection();
    in.index = FieldInteger(inputIndexField);
    in.calibration = CalibrateInputFields(ReadCalibration(inputCalibration));
    in.dataref = FieldText(inputDatarefField);
    in.name = FieldText(inputEventField);
    AppendRemarksBlock(); // also when no section follows
    AppendSection(FormatInputSection(in));
}

void loggerDialog::OnAxisDatarefChoice(wxCommandEvent&) { UpdateAxisIndexField(); }

void loggerDialog::OnAxisChanged(wxCommandEvent&) { HighlightAxis(axisChoice->GetSelection()); }

void loggerDialog::OnAxisCaptureMax(wxCommandEvent&)
{
    CopyText(axisFields[axisChoice->GetSelection()], axisCalibration.deviceMax);
}

void loggerDialog::OnAxisCaptureCenter(wxCommandEvent&)
{
    CopyText(axisFields[axisChoice->GetSelection()], axisCalibration.deviceCenter);
}

void loggerDialog::OnAxisCaptureMin(wxCommandEvent&)
{
    CopyText(axisFields[axisChoice->GetSelection()], axisCalibration.deviceMin);
}

void loggerDialog::OnAxisHasCenter(wxCommandEvent&) { ShowCentre(axisCalibration); }

void loggerDialog::OnAddAxisSection(wxCommandEvent&)
{
    AnalogSectionInput in;
    in.datarefType = axisDatarefChoice->GetSelection();
    in.axis = axisChoice->GetSelection();
    in.index = FieldInteger(axisIndexField);
    in.calibration = CalibrateAxisFields(ReadCalibration(axisCalibration));
    in.dataref = FieldText(axisDatarefField);
    in.name = FieldText(axisSectionField);
    AppendRemarksBlock(); // also when no section follows
    AppendSection(FormatAxisSection(in));
}
