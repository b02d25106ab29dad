// The scope (範囲) chosen in a tab's scope combo, applied as a filter on the
// main table (jumps), as a filter on the grid's dataset (a scope change) or
// as lines of the search SQL. The selected item decides, not the edit text;
// with no item selected (or a tab index out of range) nothing changes.
#pragma once

#include <string_view>

namespace db {
class Dataset;
}

void JyobunJumpHanniFilter(int i);
void JyobunHanniFilter(int i);
void JyobunHanniSQL(int i);

void BooksJumpHanniFilter(int b);
void BooksHanniFilter(int b);
void BooksHanniSQL(int b);

// The filter text first, then filtering on for a text, off for none.
void FilterApply(db::Dataset& ds, std::string_view text);
