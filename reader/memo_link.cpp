#include "reader/memo_link.h"

#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/screen_cursor.h"
#include "reader/link.h"
#include "reader/memo_jump.h"
#include "reader/memo_kensaku.h"
#include "windows/memopas.h"

#include <QPoint>

#include <cstdint>

namespace {

// The link flags must not outlive a press, also when an error passes.
struct LinkFlagsOff {
    ~LinkFlagsOff()
    {
        LinkBusy = 0;
        MemoLinkMode = 0;
    }
};

bool linkRowLocate(const TMemoWindow& memo, int sel)
{
    return JyobunLinkTable[memo.MemoJyobunTab]->Locate(
        "Gyo;Sel", {std::int64_t{memo.MemoGyo}, std::int64_t{sel}});
}

// The memo's caret in front of the clicked link: back over the link's bytes,
// then one byte more (never below 0).
void caretBeforeLink(TMemoWindow& memo, int clicked)
{
    int p = clicked;
    while (linkRowLocate(memo, p) && p > 0)
        --p;
    if (p - 1 > 0)
        --p;
    memo.MemoRichEdit->SetSelStart(p);
}

// Tab z's text table unbound from its grid (all articles) or bound to it
// again; the reactions to closing and opening build nothing.
void subTableBind(int z, bool toGrid)
{
    db::Table& sub = *JyobunSubTable[z];
    LinkBusy = 1;
    struct BusyOff {
        ~BusyOff() { LinkBusy = 0; }
    } busyOff;
    sub.Close();
    sub.SetMasterFields(toGrid ? "Gyo" : "");
    sub.SetMasterSource(toGrid ? JyobunMainSource[z] : nullptr);
    sub.Open();
}

// Builds the target's document into MemoRtfStream and opens a memo on it.
void targetMemoOpen(TMemoWindow& memo, int clicked, int z, std::int64_t target)
{
    db::Table& sub = *JyobunSubTable[z];
    // A locate onto the row already current fires no reaction; the target's
    // document must be built all the same.
    const bool current = !sub.IsEmpty() && sub.FieldByName("Gyo").AsInteger() == target;
    if (!sub.Locate("Gyo", {target})) {
        platform::ShowMessage("該当の条文はありません"_sj);
        return;
    }
    if (current)
        JyobunAfterScroll(z);
    caretBeforeLink(memo, clicked);
    // The new window reads its target from the clicked row.
    linkRowLocate(memo, clicked);
    MemoTabNo = memo.MemoJyobunTab;
    MemoWindowOpen();
}

} // namespace

void MemoLinkJump(TMemoWindow& memo, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                  bool doubleClick)
{
    LinkBusy = 0;
    MemoLinkMode = 0;
    LinkFlagsOff flagsOff;
    LinkShiftState shift;
    shift.left = buttons & Qt::LeftButton;
    shift.right = buttons & Qt::RightButton;
    shift.middle = buttons & Qt::MiddleButton;
    shift.shift = modifiers & Qt::ShiftModifier;
    shift.ctrl = modifiers & Qt::ControlModifier;
    shift.alt = modifiers & Qt::AltModifier;
    shift.doubleClick = doubleClick;
    const LinkPressMode mode = LinkPressModeOf(shift);
    if (mode == LinkPressMode::Nothing)
        return;
    if (mode == LinkPressMode::Memo)
        MemoLinkMode = 1;

    const int clicked = memo.MemoRichEdit->SelStart();
    if (!linkRowLocate(memo, clicked))
        return;
    db::Table& links = *JyobunLinkTable[memo.MemoJyobunTab];
    const std::int64_t target = links.FieldByName("GoGyo").AsInteger();
    const std::int64_t z = links.FieldByName("Zeimoku").AsInteger();
    if (z == -1 || z == -2) {
        LinkBusy = 0;
        MemoLinkMode = 0;
        SansyoCode = static_cast<int>(z);
        MemoSansyoKensaku(memo);
        return;
    }
    // Other codes are outside the data: such a link leads nowhere.
    if (z < 0 || z >= JyobunTabCount || JyobunTabHidden[z] == 1)
        return;
    const int tab = static_cast<int>(z);

    if (MemoLinkMode == 0) {
        MemoMainJump(tab, target);
        if (memo.isMaximized())
            memo.setWindowState(Qt::WindowMinimized);
        else
            memo.MemoRichEdit->setFocus();
        return;
    }
    // Tab z's text table is unbound from its grid only for this press.
    try {
        subTableBind(tab, false);
        targetMemoOpen(memo, clicked, tab, target);
    } catch (...) {
        subTableBind(tab, true);
        throw;
    }
    subTableBind(tab, true);
}

void MemoLinkCursorSet(TMemoWindow& memo, const QPoint& pos)
{
    const bool onLink = linkRowLocate(memo, memo.MemoRichEdit->CharFromPos(pos));
    ui::SetScreenCursor(onLink ? ui::ScreenCursor::HandPoint : ui::ScreenCursor::Default);
}
