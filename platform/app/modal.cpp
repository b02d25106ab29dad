#include "platform/app/modal.h"

#include <QApplication>
#include <QDialog>
#include <QWindow>

#include <algorithm>

namespace platform {
namespace {

bool StayOnTopShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
        return window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    });
}

} // namespace

int RunModal(QDialog& dialog)
{
    // Among the stay-on-top windows, a window just shown comes out above
    // the memo windows and the link editor; while none is shown it stays an
    // ordinary window.
    if (StayOnTopShown())
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    // It stands over the window the user acted in, whoever owns it: over
    // its owner, the printer set-up asked for by a maximised memo window was
    // kept beneath that window. With none active, over the whole program.
    // The active window does not own it: that window may be freed while the
    // dialog is open (the splash releases itself when a box takes the
    // activation).
    dialog.winId();
    const QWidget* active = QApplication::activeWindow();
    dialog.windowHandle()->setTransientParent(active ? active->windowHandle() : nullptr);
    return dialog.exec();
}

} // namespace platform
