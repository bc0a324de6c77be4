// The DiscrCtrls page: "[Key%04d]" sections for buttons, switches and
// encoders, keyed by the board event shown in its event monitor.

#include "app/controls.h"
#include "app/dialog.h"
#include "console/log.h"
#include "sections/field_reading.h"

namespace {
const wxSize kNameFieldSize(300, -1);
const wxSize kNumberFieldSize(70, -1);
} // namespace

void loggerDialog::BuildControlPage(wxPanel* page)
{
    auto* sizer = NewGrid(0, 1);

    auto* monitor = NewGrid(1, 0);
    eventBodyField = PutLabelledField(page, monitor, ID_STATICTEXT15, "Last control event:", ID_TEXTCTRL25);
    eventIdField = PutLabelledField(page, monitor, ID_STATICTEXT68, "EvID(decimal)", ID_TEXTCTRL10,
                                    LabelAlign::Left, kNumberFieldSize);
    Put(sizer, monitor, {kAllExpand, 0});
    Put(sizer, NewLine(page, ID_STATICLINE2, wxLI_HORIZONTAL, wxSize(10, -1)), {kAllExpand, 5});

    auto* names = NewGrid(0, 1);
    auto* typeRow = NewGrid(1, 0);
    controlTypeChoice = NewChoice(page, ID_CHOICE2,
                                  {"", "Button", "Cyclic button", "Toggle switch",
                                   "Rotary switch position", "Encoder"},
                                  1);
    Put(typeRow, controlTypeChoice, {kLeftCentred, 5});
    Put(typeRow, NewLabel(page, ID_STATICTEXT5, "Control type"), {kLeftCentred, 5});
    Put(names, typeRow, {kAllExpand, 0});
    auto* datarefRow = NewGrid(1, 0);
    controlDatarefChoice = NewChoice(
        page, ID_CHOICE1, {"", "Command", "Dataref int", "Dataref float", "Array int", "Array float"}, 1);
    Put(datarefRow, controlDatarefChoice, {kLeftCentred, 5});
    Put(datarefRow, NewLabel(page, ID_STATICTEXT3, "Datref type"), {kLeftCentred, 5});
    Put(names, datarefRow, {kAllExpand, 0});
    Put(names, NewLabel(page, ID_STATICTEXT4, "Dataref / Command / Command_0"), {kLeftCentred, 5});
    controlNameField = NewTextField(page, ID_TEXTCTRL1, "", kNameFieldSize);
    Put(names, controlNameField, {kAllExpand, 5});
    Put(names, NewLabel(page, ID_STATICTEXT27, "Command_1"), {kLeftCentred, 5});
    command1Field = NewTextField(page, ID_TEXTCTRL17, "", kNameFieldSize);
    Put(names, command1Field, {kAllExpand, 5});
    Put(sizer, names, {kAllExpand, 0});

    auto* bottom = NewGrid(1, 0);
    Put(bottom, NewButton(page, ID_BUTTON5, "Add control section"), {kAllCentred, 5});
    auto* values = NewGrid(0, 2);
    value0Field = PutLabelledField(page, values, ID_STATICTEXT14, "0:", ID_TEXTCTRL9, LabelAlign::Right,
                                   kNumberFieldSize);
    value1Field = PutLabelledField(page, values, ID_STATICTEXT13, "1:", ID_TEXTCTRL8, LabelAlign::Right,
                                   kNumberFieldSize);
    controlIndexField = PutLabelledField(page, values, ID_STATICTEXT11, "Index:", ID_TEXTCTRL6,
                                         LabelAlign::Right, kNumberFieldSize);
    Put(bottom, values, {kAllCentred, 0});
    auto* range = NewGrid(0, 2);
    minField = PutLabelledField(page, range, ID_STATICTEXT8, "Min:", ID_TEXTCTRL3, LabelAlign::Right,
                                kNumberFieldSize);
    maxField = PutLabelledField(page, range, ID_STATICTEXT9, "Max:", ID_TEXTCTRL4, LabelAlign::Right,
                                kNumberFieldSize);
    incrementField = PutLabelledField(page, range, ID_STATICTEXT10, "Increment:", ID_TEXTCTRL5,
                                      LabelAlign::Right, kNumberFieldSize);
    Put(bottom, range, {kAllCentred, 0});
    Put(sizer, bottom, {kAllExpand, 0});

    page->SetSizer(sizer);
    sizer->Fit(page);
}

void loggerDialog::UpdateControlFields()
{
    // In the order of the mask's bits.
    EnableByMask({value0Field, value1Field, minField, maxField, incrementField, controlIndexField,
                  command1Field, controlNameField},
                 ControlFieldMask(controlTypeChoice->GetSelection(), controlDatarefChoice->GetSelection()));
}

ControlSectionInput loggerDialog::ReadControlPage() const
{
    ControlSectionInput in;
    in.name = FieldText(controlNameField);
    in.command1 = FieldText(command1Field);
    in.datarefType = controlDatarefChoice->GetSelection();
    in.controlType = controlTypeChoice->GetSelection();
    in.key = FieldInteger(eventIdField);
    in.index = FieldInteger(controlIndexField);
    in.value0 = FieldInteger(value0Field);
    in.value1 = FieldInteger(value1Field);
    in.min = FieldInteger(minField);
    in.max = FieldInteger(maxField);
    in.increment = FieldInteger(incrementField);
    return in;
}

void loggerDialog::OnControlChoice(wxCommandEvent&) { UpdateControlFields(); }

void loggerDialog::OnAddControlSection(wxCommandEvent&)
{
    UpdateControlFields();
    const ControlSectionInput in = ReadControlPage();
    const std::string section = FormatControlSection(in);
    if (IsToggleSection(in.controlType, in.datarefType))
        LogLine("command_1: %s\n", in.command1.c_str());
    if (section.empty())
        return;
    AppendRemarksBlock();
    AppendSection(section);
}
