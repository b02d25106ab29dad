// Links in the article text: one link row per byte of a linked phrase, found
// from the caret (a press) or the point under the mouse (the hand cursor).
#pragma once

#include <cstdint>
#include <optional>

class QPoint;
namespace db {
class Table;
}
namespace ui {
class RichEdit;
}

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

// An article as its links are read: the rich edit that shows it (a law tab's
// view or a memo window), whose caret is the press; the link table that holds
// its links (that of law tab `tab`) and its Gyo.
struct LinkSource {
    ui::RichEdit& edit;
    db::Table& links;
    int tab;
    std::int64_t gyo;
};

// The article shown in law tab i; none when its grid shows no record.
std::optional<LinkSource> LinkSourceOf(int i);

// The flags of one press, set from its shift state (MemoLinkMode = 1 for a
// memo press) and both back at 0 when it ends, an error included.
class LinkPressFlags {
public:
    explicit LinkPressFlags(const LinkShiftState& shift);
    ~LinkPressFlags();
    LinkPressFlags(const LinkPressFlags&) = delete;
    LinkPressFlags& operator=(const LinkPressFlags&) = delete;
    // False for the press that does nothing.
    bool Follows() const;

private:
    LinkPressMode mode_;
};

// What following a link did; the caller adds its own steps to it.
enum class LinkFollowed {
    Nothing, // no link at the caret, or one that leads nowhere
    Sansyo,  // a target below 0: SansyoCode set, the link flags at 0; the
             // caller runs its reference search
    MainJump, // the main window moved to the target (LinkMainJump)
    Memo,     // the target shown in a new memo window
};
// Follows the link at the source's caret: MemoLinkMode = 1 opens the target
// in a new memo window, with the caret put in front of the link; 0 moves the
// main window to it.
LinkFollowed LinkFollow(const LinkSource& source);

// History saved, law tab z made active, cleared and reset, and the article
// Gyo = `gyo` located in its main table ("該当の条文はありません" when absent).
void LinkMainJump(int z, std::int64_t gyo);

// The control has put the caret where the press reads its place, except for
// Shift (extends the selection), the middle button (leaves the caret) and a
// double click (selects a word): a press that hit a link byte then gets its
// caret on that byte. `pos` is the press point in viewport coordinates.
void LinkPressedPlaceSet(const LinkSource& source, const LinkShiftState& shift, const QPoint& pos);

// A press on the rich edit of law tab i (-1: the active page is no law tab):
// sets MemoLinkMode for a memo press, follows the link, and leaves MemoLinkMode
// and LinkBusy at 0 on every way out, an error included.
void LinkPress(int i, const LinkShiftState& shift);

// Follows the link at the caret of law tab i's rich edit: MemoLinkMode = 1
// shows the target in a new memo window, 0 jumps the main window to it; a
// target of -1 / -2 runs the reference search preset to 政令 / 省令.
void LinkJump(int i);

// Whether byte `pos` of the source's article is a link byte (the link table
// then stands on its row).
bool LinkAt(const LinkSource& source, int pos);
// The same in the article shown in law tab i.
bool LinkAt(int i, int pos);

// Hand cursor while the point `pos` of the source's rich edit (client
// coordinates) lies on a link byte, else the default.
void LinkCursorSet(const LinkSource& source, const QPoint& pos);
// The same in law tab i's rich edit.
void LinkCursorSet(int i, int x, int y);
