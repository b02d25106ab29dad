#include "reader/panel_layout.h"

#include "data/namepas.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/panel.h"

void AllGridWidthSet()
{
    for (int i = 0; i < JyobunTabCount; ++i)
        if (JyobunTabHidden[i] == 0)
            JyobunGridWidthSet(i);
    for (int b = 0; b < BooksTabCount; ++b)
        if (BooksTabHidden[b] == 0)
            BooksGridWidthSet(b);
}

// Widening the column first makes the grid drop its horizontal scroll bar
// before the fitting width is taken.
void JyobunGridWidthSet(int i)
{
    ui::DBGrid* grid = JyobunDBGrid[i];
    grid->SetColumnWidth(1, grid->Width() + 50);
    grid->SetColumnWidth(1, grid->Width() - grid->ColumnWidth(0) - 35);
}

void BooksGridWidthSet(int b)
{
    ui::DBGrid* grid = BooksDBGrid[b];
    grid->SetColumnWidth(3, grid->Width() + 50);
    grid->SetColumnWidth(3, grid->Width() - grid->ColumnWidth(0) - grid->ColumnWidth(1)
                                - grid->ColumnWidth(2) - 38);
}

void JyobunPanelHeightSet(int i)
{
    JyobunPanel2[i]->SetHeight(172);
}

void BooksPanelHeightSet(int b)
{
    BooksPanel3[b]->SetHeight(97);
}
