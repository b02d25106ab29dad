// The entry pane of a book tab: the book's title line and the entry's
// contents text, with the last search's key words coloured.
#pragma once

#include <functional>
#include <string>

// Rebuilds BooksRichEdit[b] from the current row of BooksSubTable[b].
void BooksHonbunShow(int b);

// Runs `change`, which may set the tab's key words; shows the entry again
// when `change` set other key words and left the entry pane as it was.
void BooksKeyWordsShow(int b, const std::function<void()>& change);

// Colour every occurrence of BooksKeyWord1[b] red (BooksKeyWord2[b] magenta)
// in BooksRichEdit[b], searching from byte position startPos on while the
// last hit lies below endPos.
void BooksKeyColor1(int b, int startPos, int endPos);
void BooksKeyColor2(int b, int startPos, int endPos);
