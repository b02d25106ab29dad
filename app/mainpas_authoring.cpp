// The main window's link editor items; developer builds only show and enable them.
#include "app/mainpas.h"

#include "app/startup.h"
#include "app/tab_dispatch.h"
#include "authoring/hyper_launch.h"
#include "platform/app/application.h"
#include "platform/ui/page_control.h"

#include <QAction>

void TMain::AuthoringConnect()
{
    const bool developer = IsDeveloperTitle(platform::ApplicationTitle());
    for (QAction* item : {HyperLinkAction, HyperLinkAction2}) {
        item->setEnabled(developer);
        connect(item, &QAction::triggered, this, &TMain::HyperLinkAction2Click);
    }
}

void TMain::HyperLinkAction2Click()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo >= 0)
        HyperLinkFormOpen(TabNo);
}
