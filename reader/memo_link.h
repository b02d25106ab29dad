// Links in a memo window's text: the same rules as in the main window's
// article views, read against the memo's own article (MemoJyobunTab,
// MemoGyo) and its caret.
#pragma once

#include <Qt>

class QPoint;
class TMemoWindow;

// A press in the memo's text: exactly the right button does nothing, exactly
// the left button opens the link's target in a new memo window, any other
// press jumps the main window to it; a target of -1 / -2 runs the memo's
// reference search. MemoLinkMode and LinkBusy are 0 on every way out.
// `pos` is the press point in viewport coordinates.
void MemoLinkJump(TMemoWindow& memo, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                  bool doubleClick, const QPoint& pos);

// Hand cursor while `pos` (viewport coordinates) lies on a link byte.
void MemoLinkCursorSet(TMemoWindow& memo, const QPoint& pos);
