// The main window's reference search: the button and both popup items.
#include "app/mainpas.h"

#include "app/tab_dispatch.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/page_control.h"
#include "platform/ui/tool_button.h"
#include "reader/sansyo.h"

#include <QAction>

void TMain::SansyoConnect()
{
    BBtnKanrenJyoubun->setEnabled(true);
    connect(BBtnKanrenJyoubun, &QToolButton::clicked, this, &TMain::BBtnKanrenJyoubunClick);
    for (QAction* item : {SansyoAction, SansyoAction2}) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, &TMain::BBtnKanrenJyoubunClick);
    }
}

void TMain::BBtnKanrenJyoubunClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo < 0) {
        platform::ShowMessage("条文を選択して下さい"_sj);
        return;
    }
    SansyoCode = 0;
    SansyoKensaku(TabNo);
}
