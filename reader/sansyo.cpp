#include "reader/sansyo.h"

#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "reader/kensaku.h"
#include "reader/panel_layout.h"
#include "reader/rireki.h"
#include "reader/scope.h"
#include "reader/tab_reset.h"
#include "windows/memopas.h"
#include "windows/sansyopas.h"

#include <array>
#include <utility>

namespace {

// The dataset that law tab i's grid shows, or none when it has no row.
db::Dataset* GridRow(int i)
{
    db::Dataset* d = JyobunMainSource[i]->DataSet();
    return d && d->Active() && !d->IsEmpty() ? d : nullptr;
}

// The main table on the article that the grid's current row names: when the
// grid shows a result, the main table is unfiltered and located on its Gyo.
db::Table& CitedArticle(int i)
{
    db::Table& main = *JyobunMainTable[i];
    db::Dataset* d = JyobunMainSource[i]->DataSet();
    if (d != &main && d && d->Active() && !d->IsEmpty()) {
        FilterApply(main, "");
        main.Locate("Gyo", {d->FieldByName("Gyo").AsValue()});
    }
    return main;
}

// Circulars, appendices, supplementary provisions and transitional
// treatments are not cited as "第" + number.
bool DaiHantei(db::Dataset& article)
{
    const std::int64_t k = article.FieldByName("KubunNo").AsInteger();
    for (int circular : {40, 80, 140, 240, 340, 350})
        if (k == circular)
            return false;
    const std::string bangou = article.FieldByName("Bangou").AsString();
    for (const char* word : {"別表", "附則", "付表", "経過的取扱"})
        if (sjis::contains(bangou, sjis::fromUtf8(word)))
            return false;
    return true;
}

std::string KubunLine(const char* op, int code)
{
    return "AND ( KubunNo " + std::string(op) + " " + std::to_string(code) + " ) ";
}

// The ordinance of an act or its order; 0 when the table knows none.
int KisokuCode(int k)
{
    // clang-format off
    static constexpr std::array<std::pair<int, int>, 16> codes = {{
        {10, 30}, {20, 30}, {110, 130}, {120, 130}, {210, 230}, {220, 230},
        {310, 330}, {320, 330}, {610, 630}, {620, 630}, {710, 730}, {720, 730},
        {810, 830}, {820, 830}, {910, 940}, {920, 940},
    }};
    // clang-format on
    for (const auto& [from, to] : codes)
        if (from == k)
            return to;
    return 0;
}

// SqlText := the statement for the articles of law tab i citing `mainGyo`
// within the scope SansyoHanni.
void SansyoSQLSet(int i, int mainGyo)
{
    SqlText.clear();
    SqlText.push_back("SELECT DISTINCT Gyo,KubunNo ");
    SqlText.push_back("FROM " + JyobunTable3Name[i] + " ");
    SqlText.push_back("WHERE ( MainGyo = " + std::to_string(mainGyo) + " ) ");
    if (std::string scope = SansyoHanniSQL(); !scope.empty())
        SqlText.push_back(std::move(scope));
}

// The cited article goes into a new memo window, in the size chosen.
void MemoOpen()
{
    MemoLinkMode = 0;
    LinkBusy = 0;
    auto* memo = new TMemoWindow();
    MemoWindow = memo;
    if (SansyoSize == 0)
        memo->showMinimized();
    else
        memo->showNormal();
}

} // namespace

std::string SansyoHanniSQL()
{
    const int k = SansyoKubunNo;
    switch (SansyoHanni) {
    case 0:
        return KubunLine("=", k == 410 ? 440 : k + 10);
    case 1:
        if (k > 400 && k < 460)
            return "AND ( KubunNo > 459 )";
        // A link preset to 省令 on a document without a known ordinance:
        // the lower-level documents, which hold any ordinance of it.
        if (const int n = KisokuCode(k))
            return KubunLine("=", n);
        return KubunLine(">", k);
    case 2:
        return KubunLine(">", k);
    default:
        return {};
    }
}

bool JyobunDaiHantei(int i)
{
    return DaiHantei(CitedArticle(i));
}

bool JyobunDaiHantei2(int i)
{
    return DaiHantei(*JyobunMainTable2[i]);
}

std::string SansyoCitedTitle(db::Dataset& article)
{
    const std::string bangou = article.FieldByName("Bangou").AsString();
    return DaiHantei(article) ? "第"_sj + bangou : bangou;
}

bool SansyoResultOpen(int i, int mainGyo, db::Query& q)
{
    SansyoSQLSet(i, mainGyo);
    ResultQueryOpen(q);
    q.First();
    if (!q.IsEmpty())
        return true;
    platform::ShowMessage("この条文を参照している条文はありません"_sj);
    KensakuEnd();
    return false;
}

std::string SansyoKeyPhrase(int i)
{
    switch (SansyoHanni) {
    case 0:
        return "政令で定める"_sj;
    case 1:
        return i == Gen ? "法務省令で定める"_sj : "財務省令で定める"_sj;
    case 2:
        return "令で定める"_sj;
    default:
        return {};
    }
}

void SansyoResultShow(int i, db::Query& q, const std::string& title)
{
    JyobunKeyWord1[i] = title;
    JyobunKeyWord2[i] = SansyoKeyPhrase(i);
    FilterApply(*JyobunMainTable[i], "");
    q.Refresh();
    JyobunMainSource[i]->SetDataSet(&q);
    JyobunGridWidthSet(i);
    JyobunClear(i);
    JyobunEditKey1[i]->SetText(title);
    JyobunEditKey2[i]->SetText(JyobunKeyWord2[i]);
}

void SansyoKensaku(int i)
{
    db::Dataset* d = GridRow(i);
    SansyoKubunNo = d ? static_cast<int>(d->FieldByName("KubunNo").AsInteger()) : 0;
    SansyoHanni = SansyoMemo = SansyoSize = -1;
    SansyoDialogRun();
    if (SansyoHanni == -1)
        return;
    db::Query& q = *JyobunSQLNext(i);
    if (!d) {
        platform::ShowMessage("条文を選択して下さい"_sj);
        return;
    }
    KensakuStart();
    const std::string title = SansyoCitedTitle(CitedArticle(i));
    if (!SansyoResultOpen(i, static_cast<int>(d->FieldByName("Gyo").AsInteger()), q))
        return;
    RirekiSave();
    if (SansyoMemo == 0)
        MemoOpen();
    SansyoResultShow(i, q, title);
    if (SansyoMemo == 0 && SansyoSize == 1)
        MemoWindow->MemoRichEdit->setFocus();
    KensakuEnd();
}
