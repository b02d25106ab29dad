// A memo window's searches in the main window: the selected phrase over the
// whole of the memo's tab, and the reference search for the memo's article.
#pragma once

class TMemoWindow;

// The selection becomes key word 1 of the memo's tab (scope 全範囲, key 2
// empty) and is searched there; a hit minimises the memo.
void MemoSentakuKensaku(TMemoWindow& memo);

// The articles citing the memo's article, shown in the memo's tab; the
// dialog never offers a further memo window. SansyoCode must be set first.
void MemoSansyoKensaku(TMemoWindow& memo);
