// The printer: its set-up dialog and the two kinds of print the program
// makes (a rich edit into a page rectangle, a window scaled to the page).
// By default the real printer answers; a test installs its own Printing to
// cancel or accept the set-up and to record what would be printed.
#pragma once

#include <QRect>

#include <string>

class QWidget;

namespace ui {
class RichEdit;
}

namespace platform {

class Printing {
public:
    virtual ~Printing() = default;
    // The printer set-up dialog over `owner`; false when the user cancels.
    virtual bool PrinterSetup(QWidget* owner);
    // `view`'s whole text into `pageRect` (printer device units) of every
    // page, as print job `title` (CP932).
    virtual void PrintRichEdit(const ui::RichEdit& view, const QRect& pageRect,
                               const std::string& title);
    // An image of `form` scaled to fit the page.
    virtual void PrintForm(QWidget& form);
};

// The printing in use.
Printing& Printer();
// Installs `printing` (nullptr: the real printer); returns the one before.
Printing* SetPrinting(Printing* printing);

} // namespace platform
