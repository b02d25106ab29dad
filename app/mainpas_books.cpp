// The main window's page edits and book grids.
#include "app/mainpas.h"

#include "app/tab_dispatch.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "platform/ui/tool_button.h"
#include "reader/book_jump.h"

void TMain::BooksJumpConnect()
{
    for (ui::Edit* edit : {HbEditPage, SbEditPage, TbEditPage})
        edit->OnKeyPress = [this](char& key) { HbEditPageKeyPress(key); };
    for (ui::DBGrid* grid : {HbooksDBGrid, SbooksDBGrid, TbooksDBGrid})
        grid->OnDblClick = [this] { HbooksDBGridDblClick(); };
}

// Enter only takes the focus to the jump button; the jump waits for it.
void TMain::HbEditPageKeyPress(char& key)
{
    if (key == 13) {
        BBtnJump->setFocus();
        return;
    }
    if (!BooksPageKeyAllowed(key)) {
        platform::ShowMessage("半角数字と小数点しか入力出来ません"_sj);
        key = 0;
    }
}

void TMain::HbooksDBGridDblClick()
{
    TabNo = -1;
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksKanrenOpen(TabNo);
}
