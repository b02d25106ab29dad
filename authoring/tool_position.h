// What the tool form's buttons do on a law tab of the main window, and the
// working position kept in "C4.dl_" (law-tab index, then Gyo).
#pragma once

// Focus on the article view of law tab i, then the link editor on it.
void ToolHyperLinkOpen(int i);
// The grid of law tab i steps to its next record; the article view gets the focus.
void ToolNextData(int i);
// The "＊" form of the keyword search: the articles carrying "＊", with "－"
// and "条" as key words.
void ToolSpecialSearch(int i);
// Asks, then writes law tab i and the Gyo of its grid's current record to
// "C4.dl_".
void PositionSave(int i);
// Back to the position in "C4.dl_" (nothing without the file): the history
// is pushed, the saved law tab shown and its Gyo located in the tab's grid.
// A position that cannot be reached says so.
void PositionReturn();
