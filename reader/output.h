// Taking the shown text out of the program: printing, the clipboard and the
// export to Word (a plain text file opened through the desktop when Word
// cannot be driven).
#pragma once

#include <string>

// Prints the article of law tab i as rich text, recoloured black, after the
// printer set-up; nothing when the set-up is cancelled.
void JyobunPrint(int i);
// Prints the main window with book tab b's entry shown as plain text.
void BooksPrint(int b);
// Clipboard text := the selection (plain, maybe empty) of the tab's rich edit.
void JyobunSelCopy(int i);
void BooksSelCopy(int b);
// Clipboard text := the whole plain text of the tab's rich edit.
void JyobunAllCopy(int i);
void BooksAllCopy(int b);
// Pastes the clipboard text into a new Word document; without Word, writes
// it to the next free "Temp" n ".doc" and opens that through the desktop.
void WordExport();
// The name of the file the fallback writes: the first "Temp" n ".doc"
// (n = 1, 2, ...) that does not exist in the current directory.
std::string WordFallbackFileName();
