// The Indication page: "[IND %s]" sections for numeric displays and discrete
// lamps, and the test data that the link timer copies to the board.

#include "app/controls.h"
#include "app/dialog.h"
#include "sections/field_reading.h"

namespace {
const wxSize kNameFieldSize(300, -1);
const wxSize kNumberFieldSize(60, -1);
} // namespace

void loggerDialog::BuildIndicationPage(wxPanel* page)
{
    auto* sizer = NewGrid(0, 1);

    auto* choices = NewGrid(0, 1);
    auto* typeRow = NewGrid(1, 0);
    indicationTypeChoice = NewChoice(page, ID_CHOICE4,
                                     {"", "Numeric ( LCD, 7-seg ind. Servo/Stepper motors )",
                                      "Discrete ( LEDs, Lamps, Power keys )"},
                                     1);
    Put(typeRow, indicationTypeChoice, {kLeftCentred, 5});
    Put(typeRow, NewLabel(page, ID_STATICTEXT18, "Indication type"), {kLeftCentred, 5});
    Put(choices, typeRow, {kAllExpand, 0});
    auto* datarefRow = NewGrid(1, 0);
    indicationDatarefChoice = NewChoice(
        page, ID_CHOICE3, {"", "Dataref int", "Dataref float", "Array int", "Array float"}, 1);
    Put(datarefRow, indicationDatarefChoice, {kLeftCentred, 5});
    Put(datarefRow, NewLabel(page, ID_STATICTEXT16, "Dataref type"), {kLeftCentred, 5});
    Put(choices, datarefRow, {kAllExpand, 0});
    Put(choices, NewLabel(page, ID_STATICTEXT17, "Dataref"), {kLeftCentred, 5});
    indicationDatarefField = NewTextField(page, ID_TEXTCTRL11, "", kNameFieldSize);
    Put(choices, indicationDatarefField, {kAllExpand, 5});
    Put(sizer, choices, {kAllExpand, 0});

    auto* sectionRow = NewGrid(1, 0);
    indicationSectionField = PutLabelledField(page, sectionRow, ID_STATICTEXT20, "[section name]",
                                              ID_TEXTCTRL13, LabelAlign::Right, wxSize(200, -1));
    Put(sizer, sectionRow, {kAllExpand, 0});

    auto* columns = NewGrid(1, 0);
    auto* testColumn = NewGrid(0, 1);
    Put(testColumn, NewLabel(page, ID_STATICTEXT19, "Data for indication test"), {kLeftCentred, 5});
    testDataField = NewTextField(page, ID_TEXTCTRL12, "0", wxSize(150, -1));
    Put(testColumn, testDataField, {kAllExpand, 5});
    PutSpacer(testColumn, 20, 20, {kAllCentred, 5});
    Put(testColumn, NewButton(page, ID_BUTTON6, "Add indication section"), {kAllCentred, 5});
    Put(columns, testColumn, {kAllCentred, 0});

    auto* address = NewGrid(0, 2);
    unitField = PutLabelledField(page, address, ID_STATICTEXT21, "*Device:", ID_TEXTCTRL14,
                                 LabelAlign::Right, kNumberFieldSize);
    positionField = PutLabelledField(page, address, ID_STATICTEXT22, "**Position:", ID_TEXTCTRL15,
                                     LabelAlign::Right, kNumberFieldSize);
    lengthField = PutLabelledField(page, address, ID_STATICTEXT23, "Length:", ID_TEXTCTRL16,
                                   LabelAlign::Right, kNumberFieldSize);
    indicationIndexField = PutLabelledField(page, address, ID_STATICTEXT29, "Index", ID_TEXTCTRL21,
                                            LabelAlign::Right, kNumberFieldSize);
    Put(columns, address, {kAllCentred, 0});

    auto* valueColumn = NewGrid(0, 1);
    auto* values = NewGrid(0, 2);
    factorField = PutLabelledField(page, values, ID_STATICTEXT25, "Factor:", ID_TEXTCTRL18,
                                   LabelAlign::Right, kNumberFieldSize);
    offsetField = PutLabelledField(page, values, ID_STATICTEXT26, "Offset:", ID_TEXTCTRL19,
                                   LabelAlign::Right, kNumberFieldSize);
    maskField = PutLabelledField(page, values, ID_STATICTEXT28, "Mask:", ID_TEXTCTRL20,
                                 LabelAlign::Right, kNumberFieldSize);
    Put(valueColumn, values, {kAllCentred, 0});
    leadingZeroesBox = NewCheckBox(page, ID_CHECKBOX1, "Show leading zeroes");
    Put(valueColumn, leadingZeroesBox, {kAllCentred, 5});
    Put(columns, valueColumn, {kAllCentred, 0});
    Put(sizer, columns, {kAllExpand, 0});

    Put(sizer, NewLabel(page, ID_STATICTEXT7, "Prepared data"), {kLeftCentred, 5});
    auto* presets = NewGrid(3, 2);
    const std::array<ControlId, 3> presetIds = {ID_TEXTCTRL23, ID_TEXTCTRL24, ID_TEXTCTRL45};
    const std::array<ControlId, 3> buttonIds = {ID_BUTTON15, ID_BUTTON16, ID_BUTTON17};
    const std::array<const char*, 3> buttonLabels = {"Value 1 >", "Value 2 >", "Value 3 >"};
    for (std::size_t i = 0; i < presetFields.size(); ++i) {
        presetFields[i] = NewTextField(page, presetIds[i], "", wxSize(150, -1));
        Put(presets, presetFields[i], {kLeftCentred, 5});
        Put(presets, NewButton(page, buttonIds[i], buttonLabels[i]), {kLeftCentred, 5});
    }
    Put(sizer, presets, {kAllExpand, 0});

    Put(sizer, NewLine(page, ID_STATICLINE12, wxLI_HORIZONTAL, wxSize(10, -1)), {kAllExpand, 5});
    Put(sizer,
        NewLabel(page, ID_STATICTEXT69,
                 "*   means 8-symbols unit (one of 8)\n** offset within the device for alphanumeric "
                 "device.\n     Absolute offset for discrete indicators"),
        {kLeftCentred, 5});

    page->SetSizer(sizer);
    sizer->Fit(page);
}

void loggerDialog::UpdateIndicationFields()
{
    // In the order of the mask's bits.
    EnableByMask({unitField, positionField, lengthField, factorField, offsetField, maskField,
                  leadingZeroesBox, indicationIndexField},
                 IndicationFieldMask(indicationTypeChoice->GetSelection(),
                                     indicationDatarefChoice->GetSelection()));
}

IndicationSectionInput loggerDialog::ReadIndicationPage() const
{
    IndicationSectionInput in;
    in.datarefType = indicationDatarefChoice->GetSelection();
    in.indicationType = indicationTypeChoice->GetSelection();
    in.index = FieldInteger(indicationIndexField);
    in.device = FieldInteger(unitField);
    in.position = FieldInteger(positionField);
    in.length = FieldInteger(lengthField);
    in.factor = FieldInteger(factorField);
    in.offset = FieldInteger(offsetField);
    in.mask = FieldInteger(maskField);
    in.hasFactor = !factorField->IsEmpty();
    in.hasOffset = !offsetField->IsEmpty();
    in.hasMask = !maskField->IsEmpty();
    in.leadingZeroes = leadingZeroesBox->GetValue();
    in.section = FieldText(indicationSectionField);
    in.dataref = FieldText(indicationDatarefField);
    return in;
}

void loggerDialog::OnIndicationChoice(wxCommandEvent&) { UpdateIndicationFields(); }

void loggerDialog::OnAddIndicationSection(wxCommandEvent&)
{
    const std::string section = FormatIndicationSection(ReadIndicationPage());
    if (section.empty())
        return;
    AppendRemarksBlock();
    AppendSection(section);
}

void loggerDialog::OnPresetValue1(wxCommandEvent&) { CopyText(presetFields[0], testDataField); }

void loggerDialog::OnPresetValue2(wxCommandEvent&) { CopyText(presetFields[1], testDataField); }

void loggerDialog::OnPresetValue3(wxCommandEvent&) { CopyText(presetFields[2], testDataField); }
