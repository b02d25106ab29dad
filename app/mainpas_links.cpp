// The main window's links in the article views and the jump button.
#include "app/mainpas.h"

#include "app/tab_dispatch.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "platform/ui/tool_button.h"
#include "reader/bangou_jump.h"
#include "reader/book_jump.h"
#include "reader/link.h"
#include "reader/rireki.h"

#include <optional>

void TMain::LinkAndJumpConnect()
{
    for (ui::RichEdit* rich :
         {HoujinRichEdit, SyohiRichEdit, GenRichEdit, TokuRichEdit, ZokuRichEdit, MinRichEdit}) {
        connect(rich, &ui::RichEdit::mousePressed, this,
                [this](Qt::MouseButton, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                       bool doubleClick, QPoint pos) {
                    HoujinRichEditMouseDown(buttons, modifiers, doubleClick, pos);
                });
        connect(rich, &ui::RichEdit::mouseMoved, this,
                [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) { HoujinRichEditMouseMove(pos); });
    }
    BBtnJump->setEnabled(true);
    connect(BBtnJump, &QToolButton::clicked, this, &TMain::BBtnJumpClick);
    for (ui::Edit* edit : {HEditBangou, SEditBangou, GEditBangou, TEditBangou, ZEditBangou, MEditBangou})
        edit->OnKeyPress = [this](char& key) { HEditBangouKeyPress(key); };
}

// Only the buttons held, the modifier keys and the double-click mark decide
// what a press on a link does.
void TMain::HoujinRichEditMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                    bool doubleClick, const QPoint& pos)
{
    LinkShiftState shift;
    shift.left = buttons.testFlag(Qt::LeftButton);
    shift.right = buttons.testFlag(Qt::RightButton);
    shift.middle = buttons.testFlag(Qt::MiddleButton);
    // The extra (back, forward) buttons are no press on a link.
    if (!shift.left && !shift.right && !shift.middle)
        return;
    shift.shift = modifiers.testFlag(Qt::ShiftModifier);
    shift.ctrl = modifiers.testFlag(Qt::ControlModifier);
    shift.alt = modifiers.testFlag(Qt::AltModifier);
    shift.doubleClick = doubleClick;
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        if (const std::optional<LinkSource> source = LinkSourceOf(TabNo))
            LinkPressedPlaceSet(*source, shift, pos);
    LinkPress(TabNo, shift);
}

void TMain::HoujinRichEditMouseMove(const QPoint& pos)
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        LinkCursorSet(TabNo, pos.x(), pos.y());
}

// The history first, whatever the tab: even an empty number leaves an entry.
void TMain::BBtnJumpClick()
{
    RirekiSave();
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunBangouJump(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksPageJump(TabNo);
}

// Enter only takes the focus to the jump button; the jump waits for it.
void TMain::HEditBangouKeyPress(char& key)
{
    if (key == 13)
        BBtnJump->setFocus();
}
