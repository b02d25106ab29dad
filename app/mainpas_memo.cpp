#include "app/mainpas.h"

#include "app/tab_dispatch.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/page_control.h"
#include "windows/memopas.h"

// The article of the active law tab into a new memo window.
void TMain::BBtnMemoClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo < 0) {
        platform::ShowMessage("条文を選択して下さい"_sj);
        return;
    }
    MemoWindowOpen();
}
