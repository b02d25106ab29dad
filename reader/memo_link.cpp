#include "reader/memo_link.h"

#include "data/namepas.h"
#include "platform/richedit/rich_edit.h"
#include "reader/link.h"
#include "reader/memo_kensaku.h"
#include "windows/memopas.h"

#include <cstdint>

namespace {

// The memo's own article, read in its own text.
LinkSource memoSource(TMemoWindow& memo)
{
    return {*memo.MemoRichEdit, *JyobunLinkTable[memo.MemoJyobunTab], memo.MemoJyobunTab,
            std::int64_t{memo.MemoGyo}};
}

} // namespace

void MemoLinkJump(TMemoWindow& memo, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                  bool doubleClick, const QPoint& pos)
{
    LinkShiftState shift;
    shift.left = buttons & Qt::LeftButton;
    shift.right = buttons & Qt::RightButton;
    shift.middle = buttons & Qt::MiddleButton;
    // The extra (back, forward) buttons are no press on a link.
    if (!shift.left && !shift.right && !shift.middle)
        return;
    shift.shift = modifiers & Qt::ShiftModifier;
    shift.ctrl = modifiers & Qt::ControlModifier;
    shift.alt = modifiers & Qt::AltModifier;
    shift.doubleClick = doubleClick;
    const LinkPressFlags press(shift);
    if (!press.Follows())
        return;
    const LinkSource source = memoSource(memo);
    LinkPressedPlaceSet(source, shift, pos);
    switch (LinkFollow(source)) {
    case LinkFollowed::Sansyo:
        MemoSansyoKensaku(memo);
        break;
    case LinkFollowed::MainJump:
        if (memo.isMaximized())
            memo.setWindowState(Qt::WindowMinimized);
        else
            memo.MemoRichEdit->setFocus();
        break;
    case LinkFollowed::Nothing:
    case LinkFollowed::Memo:
        break;
    }
}

void MemoLinkCursorSet(TMemoWindow& memo, const QPoint& pos)
{
    LinkCursorSet(memoSource(memo), pos);
}
