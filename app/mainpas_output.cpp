// The main window's print, copy and Word commands.
#include "app/mainpas.h"

#include "app/tab_dispatch.h"
#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/page_control.h"
#include "platform/ui/tool_button.h"
#include "reader/output.h"

#include <QAction>

void TMain::OutputConnect()
{
    for (ui::ToolButton* button : {BBtnPrint, BBtnWord})
        button->setEnabled(true);
    connect(BBtnPrint, &QToolButton::clicked, this, &TMain::BBtnPrintClick);
    connect(BBtnWord, &QToolButton::clicked, this, &TMain::BBtnWordClick);
    const auto wire = [this](QAction* item, void (TMain::*handler)()) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, handler);
    };
    for (QAction* item : {PrintAction, PrintAciton2, PrintAction1})
        wire(item, &TMain::BBtnPrintClick);
    for (QAction* item : {WordAction1, WordAction2})
        wire(item, &TMain::BBtnWordClick);
    wire(CopyAction, &TMain::CopyActionClick);
    wire(AllSelectAction, &TMain::AllSelectActionClick);
    wire(DBGridCopyAction, &TMain::DBGridCopyActionClick);
}

void TMain::BBtnPrintClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunPrint(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksPrint(TabNo);
}

void TMain::CopyActionClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunSelCopy(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksSelCopy(TabNo);
}

void TMain::AllSelectActionClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunRichEdit[TabNo]->SelectAll();
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksRichEdit[TabNo]->SelectAll();
}

// The grid's copy takes the article or entry shown below the grid.
void TMain::DBGridCopyActionClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunAllCopy(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksAllCopy(TabNo);
}

void TMain::BBtnWordClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo == -1) {
        platform::ShowMessage("条文を選択して下さい"_sj);
        return;
    }
    JyobunAllCopy(TabNo);
    if (platform::Sys().ClipboardText().empty())
        platform::ShowMessage("条文の選択して下さい"_sj);
    else
        WordExport();
}
