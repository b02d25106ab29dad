#include "platform/ui/screen_cursor.h"

#include <QApplication>
#include <QCursor>

namespace ui {

namespace {

ScreenCursor current = ScreenCursor::Default;

Qt::CursorShape shapeOf(ScreenCursor cursor)
{
    return cursor == ScreenCursor::HourGlass ? Qt::WaitCursor : Qt::PointingHandCursor;
}

} // namespace

// One override cursor at most: ours is changed in place, never stacked.
void SetScreenCursor(ScreenCursor cursor)
{
    if (cursor == current)
        return;
    if (cursor == ScreenCursor::Default)
        QApplication::restoreOverrideCursor();
    else if (current == ScreenCursor::Default)
        QApplication::setOverrideCursor(QCursor(shapeOf(cursor)));
    else
        QApplication::changeOverrideCursor(QCursor(shapeOf(cursor)));
    current = cursor;
}

ScreenCursor CurrentScreenCursor()
{
    return current;
}

} // namespace ui
