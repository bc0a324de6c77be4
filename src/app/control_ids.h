#pragma once
// Every control and timer of the dialog has an identifier of its own, taken
// once at program start in the order of this list, and a window name equal to
// its entry here (ID_BUTTON1 and so on). The list is in creation order: the
// left column, the notebook and its pages, the memory-size row, the device bar.

#define HELPER_LEFT_COLUMN_IDS(X) \
    X(ID_STATICTEXT6) X(ID_TEXTCTRL2) X(ID_STATICTEXT12) X(ID_TEXTCTRL7) X(ID_STATICLINE5)

#define HELPER_PAGE_PANEL_IDS(X) \
    X(ID_PANEL1) X(ID_PANEL6) X(ID_PANEL2) X(ID_PANEL3) X(ID_PANEL4) X(ID_PANEL5)

#define HELPER_MEMORY_ROW_IDS(X) \
    X(ID_COMBOBOX3) X(ID_STATICTEXT70) X(ID_BUTTON24) X(ID_COMBOBOX4) X(ID_STATICTEXT71) \
    X(ID_STATICLINE1)

#define HELPER_DEVICE_BAR_IDS(X) \
    X(ID_STATICTEXT1) X(ID_TEXTCTRL22) X(ID_STATICTEXT2) X(ID_STATICLINE7) X(ID_STATICTEXT24) \
    X(ID_BUTTON4) X(ID_COMBOBOX1) X(ID_STATICTEXT51) X(ID_COMBOBOX2) X(ID_BUTTON1) X(ID_BUTTON8) \
    X(ID_BUTTON2) X(ID_STATICLINE8) X(ID_STATICTEXT55) X(ID_STATICTEXT32) X(ID_TEXTCTRL47) \
    X(ID_BUTTON22) X(ID_BUTTON23) X(ID_STATICLINE9) X(ID_STATICLINE10) X(ID_STATICTEXT30) \
    X(ID_BUTTON9) X(ID_CHECKBOX2) X(ID_STATICLINE6) X(ID_BUTTON3)

#define HELPER_TIMER_IDS(X) X(ID_LINKTIMER) X(ID_RESETTIMER)

#define HELPER_CONTROL_IDS(X) \
    HELPER_LEFT_COLUMN_IDS(X) X(ID_NOTEBOOK1) HELPER_PAGE_PANEL_IDS(X) \
    HELPER_MEMORY_ROW_IDS(X) HELPER_DEVICE_BAR_IDS(X) HELPER_TIMER_IDS(X)

enum ControlId : int {
#define HELPER_ENUM_ENTRY(name) name,
    HELPER_CONTROL_IDS(HELPER_ENUM_ENTRY)
#undef HELPER_ENUM_ENTRY
    kControlIdCount
};

// The toolkit identifier allocated for a control at start.
int IdOf(ControlId control);
// The control's window name, e.g. "ID_BUTTON1".
const char* NameOf(ControlId control);
