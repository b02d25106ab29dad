// The reference search through the main window over the sample data: the
// statement per scope, the cited title phrase, the citing articles in the
// grid with their key words, the memo window on the cited article and the
// cases in which nothing changes.
#include "search_window.h"

#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/status_bar.h"
#include "reader/sansyo.h"
#include "reader/scope.h"
#include "reader/tab_reset.h"
#include "windows/memopas.h"
#include "windows/sansyopas.h"

#include <QRadioButton>

#include <algorithm>

namespace {

using platform::PromptKind;

TEST(SansyoHanniSQL, LinePerScopeAndCitedDocument)
{
    struct Case {
        int hanni;
        int kubunNo;
        const char* line;
    };
    const Case cases[] = {
        {0, 10, "AND ( KubunNo = 20 ) "},
        {1, 10, "AND ( KubunNo = 30 ) "},
        {2, 10, "AND ( KubunNo > 10 ) "},
        {3, 10, ""},
        {0, 410, "AND ( KubunNo = 440 ) "},
        {1, 410, "AND ( KubunNo > 459 )"},
        {1, 430, "AND ( KubunNo > 459 )"},
        {0, 30, "AND ( KubunNo = 40 ) "},
        {1, 120, "AND ( KubunNo = 130 ) "},
        {1, 820, "AND ( KubunNo = 830 ) "},
        {1, 920, "AND ( KubunNo = 940 ) "},
        // No ordinance known: the lower-level documents instead.
        {1, 150, "AND ( KubunNo > 150 ) "},
        {1, 460, "AND ( KubunNo > 460 ) "},
        {-1, 10, ""},
    };
    for (const Case& c : cases) {
        SansyoHanni = c.hanni;
        SansyoKubunNo = c.kubunNo;
        EXPECT_EQ(SansyoHanniSQL(), c.line) << c.hanni << " " << c.kubunNo;
    }
    NamepasReset();
}

class SansyoWindow : public SearchWindow {
protected:
    void SetUp() override
    {
        SearchWindow::SetUp();
        before_ = SetSansyoShow([this](TSansyo& form) {
            ++shown_;
            if (answer_)
                answer_(form);
        });
    }
    void TearDown() override
    {
        SetSansyoShow(before_);
        delete MemoWindow;
        MemoWindow = nullptr;
        SearchWindow::TearDown();
    }

    // The dialog is answered with OK on `scope`, the memo choice and its size.
    void Answer(QRadioButton* TSansyo::*scope, int memo = 1, int size = 0)
    {
        answer_ = [scope, memo, size](TSansyo& form) {
            (form.*scope)->setChecked(true);
            form.SansyoRadioGroup2->SetItemIndex(memo);
            form.SansyoRadioGroup3->SetItemIndex(size);
            form.SansyoOkButtonClick();
        };
    }

    // Law tab i active, its grid on the whole main table at `gyo`, then the
    // button.
    void SearchFrom(int i, int gyo)
    {
        Activate(JyobunTabSheet[i]);
        JyobunReset(i);
        ASSERT_TRUE(JyobunMainTable[i]->Locate("Gyo", {std::int64_t{gyo}}));
        main_->BBtnKanrenJyoubunClick();
    }

    static std::vector<std::int64_t> SortedGrid(int i)
    {
        std::vector<std::int64_t> rows = GridGyo(i);
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    std::function<void(TSansyo&)> answer_;
    int shown_ = 0;

private:
    SansyoShowFunction before_;
};

struct ScopeCase {
    const char* name;
    QRadioButton* TSansyo::*scope;
    const char* scopeLine; // none for 全範囲
    std::vector<std::int64_t> hits;
    const char* phrase;
};

// 消法３０条 (Gyo 130, KubunNo 110) and the articles that cite it.
// clang-format off
const ScopeCase scopeCases[] = {
    {"政令", &TSansyo::SansyoRadioButtonSeirei, "AND ( KubunNo = 120 ) ", {240, 280, 290, 310},
     "政令で定める"},
    {"省令", &TSansyo::SansyoRadioButtonKisoku, "AND ( KubunNo = 130 ) ", {320}, "財務省令で定める"},
    {"下位", &TSansyo::SansyoRadioButtonKai, "AND ( KubunNo > 110 ) ",
     {240, 280, 290, 310, 320, 510, 660, 700}, "令で定める"},
    {"全範囲", &TSansyo::SansyoRadioButtonAll, nullptr,
     {140, 150, 160, 170, 240, 280, 290, 310, 320, 510, 660, 700}, ""},
};
// clang-format on

TEST_F(SansyoWindow, EachScopeListsTheCitingArticles)
{
    for (const ScopeCase& c : scopeCases) {
        SCOPED_TRACE(c.name);
        JyobunEditBangou[Syohi]->SetText("３０条"_sj);
        const int top = RirekiTop;
        Answer(c.scope);
        SearchFrom(Syohi, 130);

        db::StringList expected = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E3.db ", "WHERE ( MainGyo = 130 ) "};
        if (c.scopeLine)
            expected.push_back(c.scopeLine);
        EXPECT_EQ(LastLawStatement(), expected);
        EXPECT_TRUE(SqlText.empty());
        EXPECT_EQ(SortedGrid(Syohi), c.hits);
        EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunSQL[JyobunSQLNo]);
        EXPECT_FALSE(JyobunMainTable[Syohi]->Filtered());

        const std::string phrase = sjis::fromUtf8(c.phrase);
        EXPECT_EQ(JyobunKeyWord1[Syohi], "第３０条"_sj);
        EXPECT_EQ(JyobunKeyWord2[Syohi], phrase);
        EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), "第３０条"_sj);
        EXPECT_EQ(JyobunEditKey2[Syohi]->Text(), phrase);
        EXPECT_EQ(JyobunEditBangou[Syohi]->Text(), "");
        EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 0);
        EXPECT_EQ(RirekiTop, top + 1);
        EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "検索終了"_sj);
        EXPECT_EQ(SansyoKubunNo, 110);
        EXPECT_EQ(MemoWindow, nullptr) << "何もしない opens no memo window";
    }
    EXPECT_EQ(shown_, 4);
    EXPECT_EQ(Sansyo, nullptr) << "the dialog lives only while it is shown";
}

TEST_F(SansyoWindow, CitingArticleShownWithTheKeyWordsColoured)
{
    // 消令４９条 (Gyo 280) cites 消法３０条 and holds both phrases.
    Answer(&TSansyo::SansyoRadioButtonSeirei);
    SearchFrom(Syohi, 130);
    ASSERT_TRUE(JyobunSQL[JyobunSQLNo]->Locate("Gyo", {std::int64_t{280}}));
    const std::string text = JyobunRichEdit[Syohi]->Text();
    ASSERT_TRUE(sjis::contains(text, "第３０条"_sj));
    ASSERT_TRUE(sjis::contains(text, "政令で定める"_sj));
    EXPECT_NE(JyobunRtfCache[Syohi].find("{\\cf1 "_sj + "第３０条"_sj + "}"), std::string::npos);
    EXPECT_NE(JyobunRtfCache[Syohi].find("{\\cf2 "_sj + "政令で定める"_sj + "}"), std::string::npos);
}

TEST_F(SansyoWindow, TitlePhraseWithAndWithoutDai)
{
    // From the main table: an appendix is cited without "第".
    Answer(&TSansyo::SansyoRadioButtonAll);
    SearchFrom(Syohi, 220);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "別表第１"_sj);
    EXPECT_EQ(SortedGrid(Syohi), (std::vector<std::int64_t>{60, 270}));

    // From a result: the grid's row names 消令４９条, which the main table finds.
    Answer(&TSansyo::SansyoRadioButtonSeirei);
    SearchFrom(Syohi, 130);
    ASSERT_TRUE(JyobunSQL[JyobunSQLNo]->Locate("Gyo", {std::int64_t{280}}));
    FilterApply(*JyobunMainTable[Syohi], "KubunNo = 110");
    Answer(&TSansyo::SansyoRadioButtonAll);
    main_->BBtnKanrenJyoubunClick();
    EXPECT_EQ(JyobunKeyWord1[Syohi], "第４９条"_sj);
    EXPECT_EQ(LastLawStatement()[2], "WHERE ( MainGyo = 280 ) ");
    EXPECT_EQ(SortedGrid(Syohi), (std::vector<std::int64_t>{310, 340, 520}));
    EXPECT_EQ(SansyoKubunNo, 120);
    EXPECT_FALSE(JyobunMainTable[Syohi]->Filtered());
}

TEST_F(SansyoWindow, DaiHanteiOnTheArticleAndOnTheSecondCursor)
{
    struct Case {
        int tab;
        int gyo;
        bool dai;
    };
    const Case cases[] = {
        {Syohi, 130, true},  // 消法３０条
        {Syohi, 200, false}, // 附則第１条
        {Syohi, 230, false}, // 別表第２
        {Syohi, 370, false}, // 消基通: a circular
        {Syohi, 540, true},  // 消個通 is no basic circular
        {Houjin, 40, false}, // 法基通
        {Gen, 340, true},    // ２８０条ノ２
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gyo);
        Activate(JyobunTabSheet[c.tab]);
        ASSERT_TRUE(JyobunMainTable[c.tab]->Locate("Gyo", {std::int64_t{c.gyo}}));
        EXPECT_EQ(JyobunDaiHantei(c.tab), c.dai);
        ASSERT_TRUE(JyobunMainTable2[c.tab]->Locate("Gyo", {std::int64_t{c.gyo}}));
        EXPECT_EQ(JyobunDaiHantei2(c.tab), c.dai);
    }
}

TEST_F(SansyoWindow, CompanyLawScopesAndTheirPhrases)
{
    // 会社法２条 (K 410): its ordinances are every code above 459.
    Answer(&TSansyo::SansyoRadioButtonKisoku);
    SearchFrom(Gen, 20);
    EXPECT_EQ(LastLawStatement()[3], "AND ( KubunNo > 459 )");
    EXPECT_EQ(SortedGrid(Gen), (std::vector<std::int64_t>{180, 190, 200}));
    EXPECT_EQ(JyobunKeyWord2[Gen], "法務省令で定める"_sj);
    EXPECT_EQ(JyobunEditKey2[Gen]->Text(), "法務省令で定める"_sj);
}

TEST_F(SansyoWindow, NoCitingArticleChangesNothing)
{
    Activate(JyobunTabSheet[Gen]);
    JyobunReset(Gen);
    ASSERT_TRUE(JyobunMainTable[Gen]->Locate("Gyo", {std::int64_t{110}}));
    JyobunKeyWord1[Gen] = "before"_sj;
    JyobunEditKey1[Gen]->SetText("before"_sj);
    const int top = RirekiTop;

    // 会社法４５３条 (Gyo 110) is cited by no cabinet-order article (code 440).
    Answer(&TSansyo::SansyoRadioButtonSeirei, 0, 1);
    prompts_.Expect(PromptKind::Message, "この条文を参照している条文はありません"_sj);
    main_->BBtnKanrenJyoubunClick();

    EXPECT_EQ(LastLawStatement()[3], "AND ( KubunNo = 440 ) ");
    EXPECT_EQ(JyobunMainSource[Gen]->DataSet(), JyobunMainTable[Gen]);
    EXPECT_EQ(JyobunMainTable[Gen]->FieldByName("Gyo").AsInteger(), 110);
    EXPECT_EQ(JyobunKeyWord1[Gen], "before"_sj);
    EXPECT_EQ(JyobunEditKey1[Gen]->Text(), "before"_sj);
    EXPECT_EQ(RirekiTop, top);
    EXPECT_EQ(MemoWindow, nullptr);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "検索終了"_sj);
}

TEST_F(SansyoWindow, CancelDoesNothing)
{
    answer_ = [](TSansyo& form) { form.SansyoCancelButtonClick(); };
    main_->StatusBar1->Panels(0).SetText("hint");
    SearchFrom(Syohi, 130);
    EXPECT_EQ(shown_, 1);
    EXPECT_EQ(SansyoHanni, -1);
    EXPECT_EQ(JyobunSQLNo, -1) << "no query taken";
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(RirekiTop, 0);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "hint");
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(SansyoWindow, NoArticleToCite)
{
    // A book tab: no dialog at all.
    Activate(BooksTabSheet[Sbooks]);
    prompts_.Expect(PromptKind::Message, "条文を選択して下さい"_sj);
    main_->BBtnKanrenJyoubunClick();
    EXPECT_EQ(shown_, 0);

    // An empty grid: the message comes after the dialog has been answered.
    Activate(JyobunTabSheet[Syohi]);
    FilterApply(*JyobunMainTable[Syohi], "KubunNo = 9999");
    Answer(&TSansyo::SansyoRadioButtonKai);
    prompts_.Expect(PromptKind::Message, "条文を選択して下さい"_sj);
    main_->BBtnKanrenJyoubunClick();
    EXPECT_EQ(shown_, 1);
    EXPECT_EQ(SansyoKubunNo, 0);
    EXPECT_EQ(RirekiTop, 0);
}

TEST_F(SansyoWindow, LinkPresetFixesTheScope)
{
    // 消法２条 holds links to "政令で定める" (-1) and is cited by 消令２条.
    answer_ = [](TSansyo& form) {
        EXPECT_TRUE(form.SansyoRadioButtonSeirei->isChecked());
        EXPECT_FALSE(form.SansyoGroupBox1->isEnabled());
        form.SansyoOkButtonClick();
    };
    Activate(JyobunTabSheet[Syohi]);
    JyobunMainTable[Syohi]->Locate("Gyo", {std::int64_t{20}});
    SansyoCode = -1;
    SansyoKensaku(Syohi);
    EXPECT_EQ(LastLawStatement()[3], "AND ( KubunNo = 120 ) ");
    EXPECT_EQ(SortedGrid(Syohi), (std::vector<std::int64_t>{250}));
    EXPECT_EQ(JyobunKeyWord1[Syohi], "第２条"_sj);
    EXPECT_EQ(JyobunKeyWord2[Syohi], "政令で定める"_sj);
}

TEST_F(SansyoWindow, MemoWindowOnTheCitedArticle)
{
    // 通常サイズ: the memo opens normally and ends with the focus.
    Answer(&TSansyo::SansyoRadioButtonKai, 0, 1);
    SearchFrom(Syohi, 130);
    ASSERT_NE(MemoWindow, nullptr);
    TMemoWindow* normal = MemoWindow;
    EXPECT_EQ(normal->MemoGyo, 130) << "the cited article, not a citing one";
    EXPECT_EQ(normal->MemoJyobunTab, Syohi);
    EXPECT_FALSE(normal->isMinimized());
    EXPECT_TRUE(normal->isVisible());
    EXPECT_EQ(normal->focusWidget(), normal->MemoRichEdit);

    // 最小サイズ: minimised, and the focus stays in key edit 1.
    Answer(&TSansyo::SansyoRadioButtonSeirei, 0, 0);
    SearchFrom(Syohi, 130);
    ASSERT_NE(MemoWindow, normal);
    EXPECT_TRUE(MemoWindow->isMinimized());
    EXPECT_NE(MemoWindow->focusWidget(), MemoWindow->MemoRichEdit);
    EXPECT_EQ(main_->focusWidget(), JyobunEditKey1[Syohi]);
    delete normal;
}

} // namespace
