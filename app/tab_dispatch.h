// Active tab sheet to tab index: every tab-dependent command starts here.
#pragma once

namespace ui {
class TabSheet;
}

// The present law tab (0..5) whose sheet is `sheet`; -1 when there is none.
int JyobunTabIndex(const ui::TabSheet* sheet);
// The present book tab (0..2) whose sheet is `sheet`; -1 when there is none.
int BooksTabIndex(const ui::TabSheet* sheet);
