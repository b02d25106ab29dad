#include "reader/memo_kensaku.h"

#include "app/mainpas.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "platform/ui/radio_group.h"
#include "reader/kensaku.h"
#include "reader/rireki.h"
#include "reader/sansyo.h"
#include "reader/tab_reset.h"
#include "windows/memopas.h"
#include "windows/sansyopas.h"

#include <string>

void MemoSentakuKensaku(TMemoWindow& memo)
{
    ui::RichEdit& view = *memo.MemoRichEdit;
    if (view.SelLength() == 0) {
        platform::ShowMessage("条文本文でキーワードを選択して下さい。"_sj);
        return;
    }
    const int t = memo.MemoJyobunTab;
    Main->MainPageControl->SetActivePage(JyobunTabSheet[t]);
    JyobunClear(t);
    JyobunEditKey1[t]->SetText(view.SelText());
    // A hit binds a result query that no tab was showing.
    const db::Dataset* before = JyobunMainSource[t]->DataSet();
    JyobunKensaku(t);
    if (JyobunMainSource[t]->DataSet() == before)
        return;
    view.setFocus();
    memo.setWindowState(Qt::WindowMinimized);
    view.setFocus();
}

void MemoSansyoKensaku(TMemoWindow& memo)
{
    const int t = memo.MemoJyobunTab;
    db::Table& main2 = *JyobunMainTable2[t];
    main2.Locate("Gyo", {std::int64_t{memo.MemoGyo}});
    SansyoKubunNo = static_cast<int>(main2.FieldByName("KubunNo").AsInteger());
    SansyoHanni = -1;
    SansyoMemo = -1;
    SansyoSize = -1;
    // The memo's search never opens a further memo window.
    SansyoDialogRun([](TSansyo& dialog) {
        dialog.SansyoRadioGroup2->SetItemIndex(1);
        dialog.SansyoRadioGroup2->setEnabled(false);
    });
    if (SansyoHanni == -1)
        return;

    db::Query& q = *JyobunSQLNext(t);
    KensakuStart();
    const std::string title = SansyoCitedTitle(main2);
    if (!SansyoResultOpen(t, memo.MemoGyo, q))
        return;
    RirekiSave();
    Main->MainPageControl->SetActivePage(JyobunTabSheet[t]);
    SansyoResultShow(t, q, title);
    KensakuEnd();

    memo.MemoRichEdit->setFocus();
    if (SansyoSize == 0)
        memo.setWindowState(Qt::WindowMinimized);
    else if (SansyoSize == 1)
        memo.setWindowState(Qt::WindowNoState);
}
