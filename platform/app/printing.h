// The printer: its set-up dialog and the two kinds of print the program
// makes (a rich edit into a page rectangle, a window scaled to the page).
// By default the real printer answers; a test installs its own Printing to
// cancel or accept the set-up and to record what would be printed.
#pragma once

#include <QRect>

#include <string>

class QPrinter;
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
    // `view`'s whole text into `pageRect` of every page, as print job
    // `title` (CP932). The rectangle is in the units of the 300-dpi printers
    // the program's page rectangle was made for, so that its margins are the
    // same on paper whatever the printer's own resolution.
    virtual void PrintRichEdit(const ui::RichEdit& view, const QRect& pageRect,
                               const std::string& title);
    // An image of `form` scaled to fit the page.
    virtual void PrintForm(QWidget& form);

protected:
    // The printer that the set-up configures and the prints use.
    static QPrinter& SharedPrinter();
};

// The printing in use.
Printing& Printer();
// Installs `printing` (nullptr: the real printer); returns the one before.
Printing* SetPrinting(Printing* printing);

} // namespace platform
