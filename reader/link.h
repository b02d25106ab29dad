// Links in the article text: one link row per byte of a linked phrase, found
// from the caret (a press) or the point under the mouse (the hand cursor).
#pragma once

// The mouse press as the link rules read it: the buttons down, the modifier
// keys held and the double-click mark. Which button was pressed is not read.
struct LinkShiftState {
    bool left = false;
    bool right = false;
    bool middle = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool doubleClick = false;
};

// What a press on a link does, from its shift state alone.
enum class LinkPressMode {
    Nothing, // exactly the right button
    Memo,    // exactly the left button: the target in a new memo window
    Jump,    // any other press: the main window moves to the target
};
LinkPressMode LinkPressModeOf(const LinkShiftState& shift);

// A press on the rich edit of law tab i (-1: the active page is no law tab):
// sets MemoLinkMode for a memo press, follows the link, and leaves MemoLinkMode
// and LinkBusy at 0 on every way out, an error included.
void LinkPress(int i, const LinkShiftState& shift);

// Follows the link at the caret of law tab i's rich edit: MemoLinkMode = 1
// shows the target in a new memo window, 0 jumps the main window to it; a
// target of -1 / -2 runs the reference search preset to 政令 / 省令.
void LinkJump(int i);

// Whether byte `pos` of the article shown in law tab i is a link byte.
bool LinkAt(int i, int pos);

// Hand cursor while the point (x, y) of law tab i's rich edit (client
// coordinates) lies on a link byte of the shown article, else the default.
void LinkCursorSet(int i, int x, int y);
