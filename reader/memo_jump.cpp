#include "reader/memo_jump.h"

#include "data/namepas.h"
#include "platform/richedit/rich_edit.h"
#include "reader/link.h"
#include "windows/memopas.h"

void MemoHomeMove(TMemoWindow& memo)
{
    if (JyobunTabHidden[memo.MemoJyobunTab] == 1)
        return;
    LinkMainJump(memo.MemoJyobunTab, memo.MemoGyo);
    memo.setWindowState(Qt::WindowMinimized);
    memo.MemoRichEdit->setFocus();
}
