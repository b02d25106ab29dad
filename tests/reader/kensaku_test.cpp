// The keyword search through the main window: its statement, its hits
// against a direct scan of the texts, and what it leaves behind.
#include "search_window.h"

#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_button.h"

#include <QApplication>

namespace {

using platform::PromptKind;

struct StatementCase {
    const char* name;
    const char* key1;
    const char* key2;
    int scope;                           // item index; -1: nothing selected
    std::vector<const char*> conditions; // the lines between FROM and ORDER BY
    const char* after1;                  // the key edits afterwards
    const char* after2;
    std::vector<std::int64_t> hits; // in Gyo order; none: the no-hit message
};

// On 法人税, whose A2.db carries the index-kanji columns.
// clang-format off
const StatementCase statementCases[] = {
    {"key 1 empty", "", "役員", 0,
     {"WHERE ( Honbun LIKE '%役員%') ", "AND ( KEY3 = 1 ) "}, "", "役員", {20, 30, 40, 50}},
    {"first kanji of the list wins", "金", "慶", 0,
     {"WHERE ( Honbun LIKE '%金%') ", "AND ( Honbun LIKE '%慶%') ", "AND ( KEY0 = 1 ) "}, "金", "慶", {30}},
    {"list order, not word order", "会社役員", "", 0,
     {"WHERE ( Honbun LIKE '%会社役員%') ", "AND ( KEY3 = 1 ) "}, "会社役員", "", {30}},
    {"asterisk form", "＊－", "＊条", 0, {"WHERE ( Honbun LIKE '%＊%') "}, "－", "条", {60}},
    {"asterisk in one edit only", "＊－", "条", 0,
     {"WHERE ( Honbun LIKE '%＊－%') ", "AND ( Honbun LIKE '%条%') "}, "＊－", "条", {60}},
    {"no index kanji", "法人税", "", 0, {"WHERE ( Honbun LIKE '%法人税%') "}, "法人税", "", {10}},
    {"scope of two lines", "損金", "", 3,
     {"WHERE ( Honbun LIKE '%損金%') ", "AND ( KubunNo >= 700 ) ", "AND ( KubunNo < 800) ",
      "AND ( KEY37 = 1 ) "}, "損金", "", {50}},
    {"scope of one document", "役員", "", 8,
     {"WHERE ( Honbun LIKE '%役員%') ", "AND ( KubunNo = 40) ", "AND ( KEY3 = 1 ) "}, "役員", "", {40}},
    {"nothing selected", "役員", "", -1,
     {"WHERE ( Honbun LIKE '%役員%') ", "AND ( KEY3 = 1 ) "}, "役員", "", {20, 30, 40, 50}},
    {"quote doubled in the pattern", "'みなし", "", 0,
     {"WHERE ( Honbun LIKE '%''みなし%') "}, "'みなし", "", {40}},
    {"percent stays a wildcard", "役員%給与", "", 0,
     {"WHERE ( Honbun LIKE '%役員%給与%') ", "AND ( KEY3 = 1 ) "}, "役員%給与", "", {20, 50}},
    {"underscore is one character", "役員_給与", "", 0,
     {"WHERE ( Honbun LIKE '%役員_給与%') ", "AND ( KEY3 = 1 ) "}, "役員_給与", "", {20, 50}},
    {"digits and the long vowel mark", "35ー2", "ー", 0,
     {"WHERE ( Honbun LIKE '%３５－２%') ", "AND ( Honbun LIKE '%－%') "}, "３５－２", "－", {}},
    {"long vowel mark as a whole character only", "梶[ー", "", 0,
     {"WHERE ( Honbun LIKE '%梶[－%') "}, "梶[－", "", {}},
    {"index kanji as a whole character only", "所費", "", 0,
     {"WHERE ( Honbun LIKE '%所費%') ", "AND ( KEY29 = 1 ) "}, "所費", "", {}},
};
// clang-format on

TEST_F(SearchWindow, StatementHitsAndKeyWordsOnHoujin)
{
    for (const StatementCase& c : statementCases) {
        SCOPED_TRACE(c.name);
        JyobunComboBox[Houjin]->SetItemIndex(c.scope);
        if (c.scope < 0)
            JyobunComboBox[Houjin]->SetText("法法"_sj); // the edit text counts for nothing
        JyobunKeyWord1[Houjin] = JyobunKeyWord2[Houjin] = "before"_sj;
        if (c.hits.empty())
            prompts_.Expect(PromptKind::Message, "該当の条文はありません"_sj);

        LawSearch(Houjin, sjis::fromUtf8(c.key1), sjis::fromUtf8(c.key2));

        db::StringList expected = {"SELECT DISTINCT Gyo,KubunNo ", "FROM A2.db "};
        for (const char* line : c.conditions)
            expected.push_back(sjis::fromUtf8(line));
        expected.push_back("ORDER BY Gyo ");
        EXPECT_EQ(LastLawStatement(), expected);
        EXPECT_TRUE(SqlText.empty());
        EXPECT_EQ(JyobunEditKey1[Houjin]->Text(), sjis::fromUtf8(c.after1));
        EXPECT_EQ(JyobunEditKey2[Houjin]->Text(), sjis::fromUtf8(c.after2));
        if (c.hits.empty()) {
            EXPECT_EQ(JyobunKeyWord1[Houjin], "before"_sj);
            continue;
        }
        EXPECT_EQ(GridGyo(Houjin), c.hits);
        EXPECT_EQ(JyobunKeyWord1[Houjin], sjis::fromUtf8(c.after1));
        EXPECT_EQ(JyobunKeyWord2[Houjin], sjis::fromUtf8(c.after2));
    }
}

TEST_F(SearchWindow, TwoWordsWithinAScopeFindWhatAScanFinds)
{
    const std::string w1 = "課税"_sj, w2 = "仕入"_sj;
    JyobunComboBox[Syohi]->SetItemIndex(1); // 本法関係
    LawSearch(Syohi, w1, w2);

    const auto expected =
        Scan("E2.db", "Gyo", "KubunNo", "Honbun", [&](std::int64_t code, const std::string& text) {
            return code < 200 && sjis::contains(text, w1) && sjis::contains(text, w2);
        });
    ASSERT_GT(expected.size(), 1u);
    EXPECT_EQ(GridGyo(Syohi), expected);
    EXPECT_EQ(LastLawStatement()[4], "AND ( KubunNo < 200) ");
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunSQL[JyobunSQLNo]);

    // The first hit is shown with both words coloured.
    EXPECT_EQ(JyobunSubTable[Syohi]->FieldByName("Gyo").AsInteger(), expected.front());
    EXPECT_NE(JyobunRtfCache[Syohi].find("{\\cf1 " + w1 + "}"), std::string::npos);
    EXPECT_NE(JyobunRtfCache[Syohi].find("{\\cf2 " + w2 + "}"), std::string::npos);
    EXPECT_TRUE(sjis::contains(JyobunRichEdit[Syohi]->Text(), w1));

    ui::StatusBar& bar = *main_->StatusBar1;
    EXPECT_EQ(bar.Panels(0).Text(), "検索終了"_sj);
    EXPECT_GT(LapTime, 0);
    EXPECT_EQ(bar.Panels(1).Text(), "検索時間： "_sj + LapTimeText(LapTime) + " 秒"_sj);
    EXPECT_EQ(ui::CurrentScreenCursor(), ui::ScreenCursor::Default);
    EXPECT_EQ(RirekiTop, 1) << "the view before the search is in the history";
}

TEST_F(SearchWindow, ShortWordFindsEveryArticleHoldingIt)
{
    const std::string word = "課税"_sj;
    LawSearch(Syohi, word);
    const auto expected =
        Scan("E2.db", "Gyo", "KubunNo", "Honbun",
             [&](std::int64_t, const std::string& text) { return sjis::contains(text, word); });
    EXPECT_GT(expected.size(), 10u);
    EXPECT_EQ(GridGyo(Syohi), expected);
}

TEST_F(SearchWindow, NoHitLeavesGridKeyWordsAndHistory)
{
    LawSearch(Syohi, "課税"_sj);
    db::Dataset* shown = JyobunMainSource[Syohi]->DataSet();
    const auto rows = GridGyo(Syohi);
    const int top = RirekiTop;

    prompts_.Expect(PromptKind::Message, "該当の条文はありません"_sj);
    LawSearch(Syohi, "恐竜"_sj, "35"_sj);

    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), shown);
    EXPECT_EQ(GridGyo(Syohi), rows);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "課税"_sj);
    EXPECT_EQ(JyobunKeyWord2[Syohi], "");
    EXPECT_EQ(RirekiTop, top);
    EXPECT_EQ(JyobunEditKey2[Syohi]->Text(), "３５"_sj) << "normalised all the same";
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "検索終了"_sj);
    EXPECT_EQ(main_->StatusBar1->Panels(1).Text(), "検索時間： "_sj + LapTimeText(LapTime) + " 秒"_sj);
}

TEST_F(SearchWindow, EmptyKeyEditsStartNothing)
{
    main_->StatusBar1->Panels(0).SetText("hint");
    prompts_.Expect(PromptKind::Message, "キーワードが入力されていません"_sj);
    LawSearch(Syohi, "", "");
    prompts_.Expect(PromptKind::Message, "キーワードが入力されていません"_sj);
    BookSearch(Sbooks, "", "");
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "hint");
    EXPECT_EQ(JyobunSQLNo, -1);
    EXPECT_EQ(BooksSQLNo, -1);
    EXPECT_EQ(RirekiTop, 0);
}

TEST_F(SearchWindow, BookSearchWithinABook)
{
    const std::string w1 = "課税"_sj, w2 = "仕入"_sj;
    BooksComboBox[Sbooks]->SetItemIndex(1); // 基通逐条解説, book 1
    BookSearch(Sbooks, w1, w2);

    const auto expected =
        Scan("F1.db", "BookSeq", "BookNo", "Mokuji", [&](std::int64_t book, const std::string& text) {
            return book == 1 && sjis::contains(text, w1) && sjis::contains(text, w2);
        });
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(GridBookSeq(Sbooks), expected);
    EXPECT_EQ(LastBookStatement(), (db::StringList{"SELECT DISTINCT BookSeq,BookNo,BookRenban ",
                                                   "FROM F1.db ", "WHERE ( Mokuji LIKE '%"_sj + w1 + "%') ",
                                                   "AND ( Mokuji LIKE '%"_sj + w2 + "%') ",
                                                   "AND ( BookNo = 1 ) ", "ORDER BY BookSeq "}));
    EXPECT_EQ(BooksKeyWord1[Sbooks], w1);
    EXPECT_EQ(BooksKeyWord2[Sbooks], w2);
    EXPECT_TRUE(BooksSubTable[Sbooks]->Active());
    EXPECT_EQ(BooksSubTable[Sbooks]->FieldByName("BookSeq").AsInteger(), expected.front());
    EXPECT_EQ(RirekiTop, 1);

    db::Dataset* shown = BooksMainSource[Sbooks]->DataSet();
    prompts_.Expect(PromptKind::Message, "該当の文献目次はありません"_sj);
    BookSearch(Sbooks, "恐竜"_sj);
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), shown);
    EXPECT_EQ(BooksKeyWord1[Sbooks], w1);
    EXPECT_EQ(RirekiTop, 1);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "検索終了"_sj);
}

// Answers every prompt and keeps it.
class RecordingPrompts : public platform::Prompter {
public:
    RecordingPrompts() : before_(platform::SetPrompter(this)) {}
    ~RecordingPrompts() override { platform::SetPrompter(before_); }
    platform::Answer Ask(PromptKind kind, const std::string& text, const std::string&) override
    {
        shown.push_back({kind, text});
        return platform::Answer::Ok;
    }
    std::vector<std::pair<PromptKind, std::string>> shown;

private:
    platform::Prompter* before_;
};

TEST_F(SearchWindow, StatementThatCannotRunEndsTheSearchCleanly)
{
    JyobunSubTableName[Syohi] = "E9.db"; // no such file
    main_->StatusBar1->Panels(0).SetText("hint");
    db::Dataset* shown = JyobunMainSource[Syohi]->DataSet();
    RecordingPrompts prompts;

    EXPECT_FALSE(platform::RunGuarded([&] { LawSearch(Syohi, "課税"_sj); }));

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].first, PromptKind::Error);
    EXPECT_TRUE(sjis::contains(prompts.shown[0].second, "E9.db")) << sjis::toUtf8(prompts.shown[0].second);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "hint");
    EXPECT_EQ(ui::CurrentScreenCursor(), ui::ScreenCursor::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), shown);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "");
    EXPECT_EQ(RirekiTop, 0);
    EXPECT_TRUE(SqlText.empty());
}

TEST_F(SearchWindow, SearchButtonTakesTheArticleSelection)
{
    Activate(main_->SyohiTab);
    ui::RichEdit& view = *JyobunRichEdit[Syohi];
    const std::string word = "消費税"_sj;
    const auto at = sjis::find(view.Text(), word);
    ASSERT_NE(at, sjis::npos);
    view.SetSelStart(static_cast<int>(at));
    view.SetSelLength(static_cast<int>(word.size()));
    JyobunEditKey1[Syohi]->SetText("typed"_sj);
    JyobunEditKey2[Syohi]->SetText("typed"_sj);
    JyobunEditBangou[Syohi]->SetText("１条"_sj);

    ASSERT_TRUE(main_->BBtnKensaku->isEnabled());
    main_->BBtnKensaku->click();

    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), word);
    EXPECT_EQ(JyobunEditKey2[Syohi]->Text(), "");
    EXPECT_EQ(JyobunEditBangou[Syohi]->Text(), "");
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);
    const auto expected =
        Scan("E2.db", "Gyo", "KubunNo", "Honbun",
             [&](std::int64_t, const std::string& text) { return sjis::contains(text, word); });
    EXPECT_EQ(GridGyo(Syohi), expected);

    // Without a selection the edits are searched as typed.
    JyobunRichEdit[Syohi]->SetSelLength(0);
    JyobunEditKey1[Syohi]->SetText("仕入"_sj);
    main_->BBtnKensaku->click();
    EXPECT_EQ(JyobunKeyWord1[Syohi], "仕入"_sj);
}

} // namespace
