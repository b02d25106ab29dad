#include "reader/kensaku.h"

#include "app/kidou.h"
#include "app/mainpas.h"
#include "data/hbooks_db.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/status_bar.h"
#include "reader/panel_layout.h"
#include "reader/rireki.h"
#include "reader/scope.h"

namespace {

// Status panel 0 as it was before the search, for a search that fails.
std::string panelBeforeSearch;

bool bothEmpty(const ui::Edit& key1, const ui::Edit& key2)
{
    if (!key1.Text().empty() || !key2.Text().empty())
        return false;
    platform::ShowMessage("キーワードが入力されていません"_sj);
    return true;
}

// A key word inside a quoted LIKE pattern: its quotes doubled, so that the
// statement holds; "%" and "_" stay pattern characters.
std::string likeWord(std::string_view word)
{
    return sjis::replaceAll(word, "'", "''");
}

std::string likeLine(const char* head, const char* field, std::string_view word)
{
    return std::string(head) + " ( " + field + " LIKE '%" + likeWord(word) + "%') ";
}

// The WHERE lines on one or two key words; key 1 empty searches key 2 alone.
void wordLines(const char* field, const std::string& key1, const std::string& key2)
{
    if (key1.empty()) {
        SqlText.push_back(likeLine("WHERE", field, key2));
        return;
    }
    SqlText.push_back(likeLine("WHERE", field, key1));
    if (!key2.empty())
        SqlText.push_back(likeLine("AND", field, key2));
}

void searchAbort()
{
    Main->StatusBar1->Panels(0).SetText(panelBeforeSearch);
    ui::SetScreenCursor(ui::ScreenCursor::Default);
    Main->repaint();
}

// The "＊" form: both edits begin with "＊"; it is cut from both.
bool asteriskForm(ui::Edit& key1, ui::Edit& key2)
{
    const std::string asterisk = "＊"_sj;
    const std::string k1 = key1.Text(), k2 = key2.Text();
    if (k1.rfind(asterisk, 0) != 0 || k2.rfind(asterisk, 0) != 0)
        return false;
    key1.SetText(k1.substr(asterisk.size()));
    key2.SetText(k2.substr(asterisk.size()));
    return true;
}

// The result becomes the grid's dataset and leaves the main table
// unfiltered; the main table is unfiltered once the grid has left it, so the
// article is built once, for the result's row.
void resultBind(db::Query& q, db::Table& mainTable, db::DataSource& source)
{
    q.Refresh();
    source.SetDataSet(&q);
    FilterApply(mainTable, "");
}

// Full-width digits; the prolonged sound mark becomes "－", one occurrence
// at a time. Whole characters only: a byte search would find it across a
// character ending in 81 and a following "[" and break that character.
void keyEditNormalise(ui::Edit& edit)
{
    edit.SetText(SuujiZenkaku(edit.Text()));
    const std::string choon = "ー"_sj, minus = "－"_sj;
    std::string text = edit.Text();
    for (std::size_t at; (at = sjis::find(text, choon)) != sjis::npos;) {
        text = text.substr(0, at) + minus + text.substr(at + choon.size());
        edit.SetText(text);
    }
}

} // namespace

std::string SuujiZenkaku(std::string_view s)
{
    return sjis::digitsToFullWidth(s);
}

void KensakuStart()
{
    LapTime = platform::Sys().TickCount();
    ui::StatusPanel& panel = Main->StatusBar1->Panels(0);
    panelBeforeSearch = panel.Text();
    panel.SetText("検索中"_sj);
    ui::SetScreenCursor(ui::ScreenCursor::HourGlass);
    Main->repaint();
}

void KensakuEnd()
{
    LapTime = (platform::Sys().TickCount() - LapTime) * 10;
    Main->StatusBar1->Panels(0).SetText("検索終了"_sj);
    Main->StatusBar1->Panels(1).SetText("検索時間： "_sj + LapTimeText(LapTime) + " 秒"_sj);
    ui::SetScreenCursor(ui::ScreenCursor::Default);
    Main->repaint();
}

// Whole characters only: two bytes read across two characters (所費 holds
// the bytes of 株) would narrow the search to articles the words need not be in.
void IndexKanjiSQL()
{
    for (std::size_t k = 0; k < IndexKanji.size(); ++k) {
        if (sjis::contains(SearchWord, IndexKanji[k])) {
            SqlText.push_back("AND ( KEY" + std::to_string(k) + " = 1 ) ");
            return;
        }
    }
}

void ResultQueryOpen(db::Query& q)
{
    q.SetFilter("");
    q.SetFiltered(false);
    q.Close();
    q.SQL() = SqlText;
    ui::SetScreenCursor(ui::ScreenCursor::HourGlass);
    try {
        q.Open();
    } catch (...) {
        try {
            q.SQL() = SqlText;
            q.Open();
        } catch (...) {
            try {
                q.Close();
                q.SQL().clear();
                q.SQL() = {db::JoinLines(SqlText)};
                q.Open();
            } catch (...) {
                SqlText.clear();
                searchAbort();
                throw;
            }
        }
    }
    SqlText.clear();
}

void JyobunKensaku(int i)
{
    ui::Edit& key1 = *JyobunEditKey1[i];
    ui::Edit& key2 = *JyobunEditKey2[i];
    if (bothEmpty(key1, key2))
        return;
    KensakuStart();
    keyEditNormalise(key1);
    keyEditNormalise(key2);
    db::Query& q = *JyobunSQLNext(i);

    SqlText.clear();
    SqlText.push_back("SELECT DISTINCT Gyo,KubunNo ");
    SqlText.push_back("FROM " + JyobunSubTableName[i] + " ");
    if (asteriskForm(key1, key2))
        SqlText.push_back(likeLine("WHERE", "Honbun", "＊"_sj));
    else
        wordLines("Honbun", key1.Text(), key2.Text());
    JyobunHanniSQL(i);
    SearchWord = key1.Text() + key2.Text();
    if (i == Houjin)
        IndexKanjiSQL();
    SqlText.push_back("ORDER BY Gyo ");

    ResultQueryOpen(q);
    q.First();
    if (q.Bof() && q.Eof()) {
        platform::ShowMessage("該当の条文はありません"_sj);
        KensakuEnd();
        return;
    }
    RirekiSave();
    JyobunKeyWord1[i] = key1.Text();
    JyobunKeyWord2[i] = key2.Text();
    resultBind(q, *JyobunMainTable[i], *JyobunMainSource[i]);
    JyobunGridWidthSet(i);
    KensakuEnd();
}

void BooksKensaku(int b)
{
    ui::Edit& key1 = *BooksEditKey1[b];
    ui::Edit& key2 = *BooksEditKey2[b];
    if (bothEmpty(key1, key2))
        return;
    keyEditNormalise(key1);
    keyEditNormalise(key2);
    KensakuStart();
    db::Query& q = *BooksSQLNext(b);

    SqlText.clear();
    SqlText.push_back("SELECT DISTINCT BookSeq,BookNo,BookRenban ");
    SqlText.push_back("FROM " + BooksSubTableName[b] + " ");
    wordLines("Mokuji", key1.Text(), key2.Text());
    BooksHanniSQL(b);
    SqlText.push_back("ORDER BY BookSeq ");

    ResultQueryOpen(q);
    q.First();
    if (q.Bof() && q.Eof()) {
        platform::ShowMessage("該当の文献目次はありません"_sj);
        KensakuEnd();
        return;
    }
    RirekiSave();
    BooksKeyWord1[b] = key1.Text();
    BooksKeyWord2[b] = key2.Text();
    resultBind(q, *BooksMainTable[b], *BooksMainSource[b]);
    BooksGridWidthSet(b);
    BooksSubTable[b]->Open();
    KensakuEnd();
}
