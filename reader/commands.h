// The main window's own commands: home, the selected-text search, the colour
// button, and the keyboard of the search inputs and result grids.
#pragma once

namespace ui {
class DBGrid;
}

// Home, first half: link flags cleared and the place pushed into the history.
void HomeStart();
// Home on a tab: cleared, reset, its panel back to its height and (law tabs)
// its contents tree reloaded.
void JyobunHome(int i);
void BooksHome(int b);

// The selected text of the tab's view becomes key word 1 and is searched;
// without a selection a message asks for one.
void JyobunSentakuKensaku(int i);
void BooksSentakuKensaku(int b);

// Developer colour button: the typed key words, normalised, recolour the
// shown article; nothing is searched.
void JyobunColorSet(int i);

// A key typed into a search input drops the view's selection, so that the
// search button takes the typed words.
void JyobunSelectionDrop(int i);
void BooksSelectionDrop(int b);

// Enter or Space in a result grid: the grid's dataset to its next record.
void DBGridNextRecord(const ui::DBGrid& grid);
