// Taking the shown text out of the program: printing, the clipboard and the
// export to Word (a plain text file opened through the desktop when Word
// cannot be driven).
#pragma once

#include <string>

class QWidget;
namespace ui {
class RichEdit;
}

// `copy` := what the article view `view` shows (a memo window, the scratch
// print form): the rich text `rtf`; when that fails or shows another text,
// the view's content through the scratch file; when that still differs, the
// view's own copy and paste (which leaves an empty clipboard).
void ArticleCopy(ui::RichEdit& copy, ui::RichEdit& view, const std::string& rtf);
// Prints the article that `view` shows (its rich text `rtf`), recoloured
// black, after the printer set-up over `owner`; nothing when the set-up is
// cancelled.
void ArticlePrint(ui::RichEdit& view, const std::string& rtf, QWidget* owner);
// ArticlePrint of law tab i's view.
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
