// Layout of the tabs' panels: the last grid column fitted to the grid's
// width, and the panel heights the tabs return to.
#pragma once

// Law grids of every present law tab, then book grids of every present book tab.
void AllGridWidthSet();
void JyobunGridWidthSet(int i);
void BooksGridWidthSet(int b);
// The list panel (tree and grid) of law tab i back to 172 high.
void JyobunPanelHeightSet(int i);
// The text panel of book tab b back to 97 high.
void BooksPanelHeightSet(int b);
