#include "reader/memo_create.h"

#include "app/mainpas.h"
#include "app/tab_dispatch.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/page_control.h"
#include "reader/output.h"
#include "windows/memopas.h"

#include <QString>

namespace {

// Where the article comes from: the active tab's shown article, or the
// clicked link row's target.
void articleTake(TMemoWindow& memo)
{
    if (MemoLinkMode == 0) {
        memo.MemoJyobunTab = JyobunTabIndex(Main->MainPageControl->ActivePage());
        memo.MemoGyo = static_cast<int>(
            JyobunMainSource[memo.MemoJyobunTab]->DataSet()->FieldByName("Gyo").AsInteger());
        memo.MemoRtf = JyobunRtfCache[memo.MemoJyobunTab];
        return;
    }
    db::Table& links = *JyobunLinkTable[MemoTabNo];
    memo.MemoGyo = static_cast<int>(links.FieldByName("GoGyo").AsInteger());
    memo.MemoJyobunTab = static_cast<int>(links.FieldByName("Zeimoku").AsInteger());
    memo.MemoRtf = MemoRtfStream;
}

// A link target's document that cannot be loaded: no other formatted copy
// exists, so the target's plain text (its text table stands on it) is shown.
void linkTargetLoad(TMemoWindow& memo)
{
    try {
        memo.MemoRichEdit->LoadRichText(memo.MemoRtf);
    } catch (const ui::RichTextError&) {
        memo.MemoRichEdit->LoadPlainText(
            JyobunSubTable[memo.MemoJyobunTab]->FieldByName("Honbun").AsString());
    }
}

} // namespace

void MemoWindowFill(TMemoWindow& memo)
{
    articleTake(memo);
    memo.MemoRichEdit->hide();
    const int t = memo.MemoJyobunTab;
    if (MemoLinkMode == 0)
        ArticleCopy(*memo.MemoRichEdit, *JyobunRichEdit[t], memo.MemoRtf);
    else
        linkTargetLoad(memo);

    db::Table& main2 = *JyobunMainTable2[t];
    if (!main2.Locate("Gyo", {std::int64_t{memo.MemoGyo}}))
        platform::ShowMessage("該当の条文はありません"_sj);
    const std::string caption = main2.FieldByName("Kubun").AsString() + " " + main2.FieldByName("Title").AsString();
    memo.setWindowTitle(sjis::toQString(caption));

    memo.MemoRichEdit->SetSelStart(0);
    memo.MemoRichEdit->show();
}
