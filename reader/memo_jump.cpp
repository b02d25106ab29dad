#include "reader/memo_jump.h"

#include "app/mainpas.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/page_control.h"
#include "reader/rireki.h"
#include "reader/tab_reset.h"
#include "windows/memopas.h"

void MemoMainJump(int z, std::int64_t gyo)
{
    RirekiSave();
    Main->MainPageControl->SetActivePage(JyobunTabSheet[z]);
    JyobunClear(z);
    JyobunReset(z);
    if (!JyobunMainTable[z]->Locate("Gyo", {gyo}))
        platform::ShowMessage("該当の条文はありません"_sj);
}

void MemoHomeMove(TMemoWindow& memo)
{
    if (JyobunTabHidden[memo.MemoJyobunTab] == 1)
        return;
    MemoMainJump(memo.MemoJyobunTab, memo.MemoGyo);
    memo.setWindowState(Qt::WindowMinimized);
    memo.MemoRichEdit->setFocus();
}
