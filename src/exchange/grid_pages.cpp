// The "AlphNum Indic" and "Discrete Indic" pages, the memory-size row and
// the notebook's page changes.

#include "app/controls.h"
#include "app/dialog.h"

#include <wx/grid.h>

namespace {

// A grid laid out like the first numeric units or discrete outputs. Its cells
// are the user's own: nothing of the program reads or writes them.
wxGrid* NewOutputGrid(wxWindow* page, ControlId id, int rows, int cols, int rowStep)
{
    auto* grid = new wxGrid(page, IdOf(id), wxDefaultPosition, wxDefaultSize, 0, NameOf(id));
    grid->CreateGrid(rows, cols, wxGrid::wxGridSelectCells);
    grid->EnableEditing(true);
    grid->EnableGridLines(true);
    for (int col = 0; col < cols; ++col)
        grid->SetColLabelValue(col, _(wxString::Format("%d", col)));
    for (int row = 0; row < rows; ++row)
        grid->SetRowLabelValue(row, _(wxString::Format("%d", row * rowStep)));
    grid->SetDefaultCellFont(grid->GetFont());
    grid->SetDefaultCellTextColour(grid->GetForegroundColour());
    // Columns as narrow as their contents allow, before the dialog takes its
    // size from the pages.
    grid->AutoSizeColumns(true);
    return grid;
}

void LayOutOutputPage(wxPanel* page, wxGrid* grid, ControlId button, int spacerHeight)
{
    auto* sizer = NewGrid(0, 3);
    Put(sizer, grid, {kAllExpand, 5});
    auto* side = NewGrid(0, 1);
    PutSpacer(side, 20, spacerHeight, {kAllCentred, 5});
    Put(side, NewButton(page, button, "Clear outputs"), {kAllCentred, 5});
    Put(sizer, side, {kAllCentred, 0});
    page->SetSizer(sizer);
    sizer->Fit(page);
}

} // namespace

void loggerDialog::BuildNumericOutputPage(wxPanel* page)
{
    numericGrid = NewOutputGrid(page, ID_GRID1, 16, 8, 1);
    LayOutOutputPage(page, numericGrid, ID_BUTTON7, 244);
}

void loggerDialog::BuildDiscreteOutputPage(wxPanel* page)
{
    discreteGrid = NewOutputGrid(page, ID_GRID2, 7, 10, 10);
    LayOutOutputPage(page, discreteGrid, ID_BUTTON11, 246);
}

void loggerDialog::OnClearOutputs(wxCommandEvent&) { outputMemory.ClearOutputs(); }

void loggerDialog::OnClearAll(wxCommandEvent&) { outputMemory.ClearAll(); }

void loggerDialog::OnPageChanged(wxNotebookEvent&) { selectedPage = notebook->GetSelection(); }
