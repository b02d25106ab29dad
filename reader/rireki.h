#pragma once

// Navigation history: a ring of the places the reader has shown, walked by
// the Back and Next buttons. A place is everything one tab shows (page,
// grid dataset with its filter, row, caret, key words, number edit, scope,
// panel height, tree width); the ring and its indexes live in namepas.h.

// Stores the place of the active tab at the write index and advances; does
// nothing when the active page is no present tab.
void RirekiSave();
// The write index moves on (100 is followed by 0, which marks the ring
// wrapped) and becomes the current and the newest index.
void RirekiAdvance();
// Entry n := the present place of law tab i (marks the tab's history stored).
void RirekiJyobunStore(int i, int n);
// Entry n := the present place of book tab b; its TreeWidth stays as it was.
void RirekiBooksStore(int b, int n);
// Back and Next: store the place being left, then show the entry before or
// after the current one.
void RirekiBack();
void RirekiNext();
// Entry RirekiCur back into law tab i or book tab b, its page made active.
void RirekiJyobunRestore(int i);
void RirekiBooksRestore(int b);
