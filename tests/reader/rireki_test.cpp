// The navigation history over the real start-up path: the main window and
// both data modules on a small data set made by the data tool, searches run
// by the keyword search, pages changed as the user changes them.
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "reader/kensaku.h"
#include "reader/rireki.h"
#include "support/fake_system.h"
#include "support/sample_data.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const char* const Kubun = "110\t消法\t消費税法\n410\t会社法\t会社法\n";

// 課税 is in articles 1, 2 and 4, 免税 in 3 and 5; 4 is long, 5 short.
std::string Articles()
{
    std::string long4 = "第４条　国内において事業者が行った資産の譲渡等には、課税する。\n";
    for (int k = 0; k < 12; ++k)
        long4 += "２　前項の規定にかかわらず、次に掲げるものについては、この限りでない。\n";
    return "@ 消法 １条 趣旨\n第１条　この法律は、課税の対象を定める。\n"
           "@ 消法 ２条 定義\n第２条　課税資産の譲渡等をいう。\n"
           "@ 消法 ３条 人格のない社団\n第３条　免税事業者の規定を適用する。\n"
           "@ 消法 ４条 課税の対象\n" + long4 +
           "@ 消法 ５条 納税義務者\n第５条　免税。\n";
}

const char* const Tree = "消費税法\n\t=> 消法:１条\n\t=> 消法:２条\n\t=> 消法:３条\n"
                         "\t=> 消法:４条\n\t=> 消法:５条\n";

const char* const GenArticles = "@ 会社法 １条 趣旨\n第１条　会社の設立を定める。\n"
                                "@ 会社法 ２条 定義\n第２条　会社とは株式会社をいう。\n";
const char* const GenTree = "会社法\n\t=> 会社法:１条\n\t=> 会社法:２条\n";

const char* const Books = "@book 1 1 | 逐条 | 逐条解説 | 初版 | 見本出版\n"
                          "1 | 第１章 | 第１章　課税の対象\n"
                          "2 | １－１ | 　免税事業者 => E:消法:３条\n"
                          "3 | １－２ | 　課税資産の譲渡 => E:消法:２条\n";

void WriteUtf8(const QString& name, const std::string& text)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

// A place as the tests name it: the grid's dataset, its row and key word 1.
struct Place {
    db::Dataset* ds;
    int row;
    std::string key1;
};

bool SameEntry(const TCasheData& a, const TCasheData& b)
{
    return a.TabSheet == b.TabSheet && a.DataSet == b.DataSet && a.Filter == b.Filter &&
           a.Filtered == b.Filtered && a.RowKey == b.RowKey && a.SelStart == b.SelStart &&
           a.KeyWord1 == b.KeyWord1 && a.KeyWord2 == b.KeyWord2 && a.NumberText == b.NumberText &&
           a.ScopeIndex == b.ScopeIndex && a.PanelHeight == b.PanelHeight &&
           a.TreeWidth == b.TreeWidth;
}

class RirekiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data_ = new TempDir(TempDir::Use::Aside);
        const QDir dir(QString::fromStdString(data_->Path()));
        const QString src = dir.filePath(QStringLiteral("src"));
        QDir().mkpath(src);
        WriteUtf8(src + QStringLiteral("/kubun.txt"), Kubun);
        WriteUtf8(src + QStringLiteral("/E-articles.txt"), Articles());
        WriteUtf8(src + QStringLiteral("/E-tree.txt"), Tree);
        WriteUtf8(src + QStringLiteral("/G-articles.txt"), GenArticles);
        WriteUtf8(src + QStringLiteral("/G-tree.txt"), GenTree);
        WriteUtf8(src + QStringLiteral("/F-books.txt"), Books);
        const MkdataRun run = RunMkdata({QStringLiteral("sample"), src, dir.filePath(QStringLiteral("out"))});
        ASSERT_EQ(run.exitCode, 0) << run.errors;
    }
    static void TearDownTestSuite()
    {
        delete data_;
        data_ = nullptr;
    }

    // Start-up as the program runs it: flags, names, the main window, the
    // law and book data modules, the first showing.
    void SetUp() override
    {
        oldDir_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(data_->Path()) + QStringLiteral("/out"));
        NamepasReset();
        reader_ = std::make_unique<ReaderSession>("Ronvetta");
        main_ = &reader_->MainForm();
        houjin_ = &reader_->HoujinModule();
        main_->show();
        ASSERT_EQ(main_->MainPageControl->ActivePage(), main_->SyohiTab);
        mainTable_ = JyobunMainTable[Syohi];
    }
    void TearDown() override
    {
        reader_.reset();
        NamepasReset();
        QDir::setCurrent(oldDir_);
    }

    // Gyo of the 消費税 article with this number, read without moving the grid.
    int GyoOf(const char* bangou)
    {
        db::Table& t = *JyobunMainTable2[Syohi];
        EXPECT_TRUE(t.Locate("Bangou", {sjis::fromUtf8(bangou)})) << bangou;
        return static_cast<int>(t.FieldByName("Gyo").AsInteger());
    }

    void LawSearch(const char* word)
    {
        main_->SEditKey1->SetText(sjis::fromUtf8(word));
        main_->SEditKey2->SetText("");
        JyobunKensaku(Syohi);
    }
    // The user picks a row of the grid.
    static void RowPick(db::DataSource* source, const char* field, int key)
    {
        ASSERT_TRUE(source->DataSet()->Locate(field, {db::Value(std::int64_t{key})}));
    }
    void UserPagePick(ui::TabSheet* sheet)
    {
        main_->MainPageControl->setCurrentWidget(sheet);
        ASSERT_EQ(main_->MainPageControl->ActivePage(), sheet);
    }

    Place LawShown() const
    {
        db::Dataset* ds = JyobunMainSource[Syohi]->DataSet();
        return {ds, static_cast<int>(ds->FieldByName("Gyo").AsInteger()), JyobunKeyWord1[Syohi]};
    }

    static void ExpectRing(int top, int cur, int last)
    {
        EXPECT_EQ(RirekiTop, top);
        EXPECT_EQ(RirekiCur, cur);
        EXPECT_EQ(RirekiLast, last);
    }

    static TempDir* data_;
    QString oldDir_;
    FakeSystem system_;
    ScriptedPrompts prompts_;
    std::unique_ptr<ReaderSession> reader_;
    TMain* main_ = nullptr;
    THoujin* houjin_ = nullptr;
    db::Table* mainTable_ = nullptr;
};

TempDir* RirekiTest::data_ = nullptr;

// The worked example: searches, and the Back and Next buttons, from a fresh
// start, with the grid moved between them so that "as now" shows.
TEST_F(RirekiTest, ReplaysTheExampleWalk)
{
    const int g1 = GyoOf("１条"), g2 = GyoOf("２条"), g3 = GyoOf("３条");
    db::Dataset* const q0 = JyobunSQL[0];
    db::Dataset* const q1 = JyobunSQL[1];
    db::Dataset* const q2 = JyobunSQL[2];
    RowPick(JyobunMainSource[Syohi], "Gyo", g2);
    const Place A{mainTable_, g2, ""};
    const Place B{q0, g2, "課税"_sj};    // the result, its second row picked
    const Place Bnow{q0, g1, "課税"_sj}; // the same result, moved to its first row
    const Place C{q1, g3, "免税"_sj};
    const Place D{q2, g3, "事業者"_sj};
    const auto move = [](int gyo) { return [gyo] { RowPick(JyobunMainSource[Syohi], "Gyo", gyo); }; };
    const auto back = [&] { main_->BBtnBack->click(); };
    const auto next = [&] { main_->BBtnNext->click(); };

    struct Step {
        const char* action;
        std::function<void()> run;
        int top, cur, last;
        std::vector<std::pair<int, Place>> written;
        Place shown;
    };
    const std::vector<Step> steps = {
        {"search while at A", [&] { LawSearch("課税"); }, 1, 1, 1, {{0, A}}, {q0, g1, "課税"_sj}},
        {"pick the second row", move(g2), 1, 1, 1, {}, B},
        {"search while at B", [&] { LawSearch("免税"); }, 2, 2, 2, {{1, B}}, C},
        {"Back", back, 3, 1, 2, {{2, C}}, B},
        {"pick the first row", move(g1), 3, 1, 2, {}, Bnow},
        {"Back", back, 4, 0, 2, {{3, Bnow}, {1, Bnow}}, A},
        {"Back at the oldest", back, 4, 0, 2, {{4, A}, {0, A}}, A},
        {"Next", next, 5, 1, 2, {{4, A}, {0, A}}, Bnow},
        {"Next", next, 6, 2, 2, {{5, Bnow}, {1, Bnow}}, C},
        {"Next at the newest", next, 6, 2, 2, {}, C},
        {"search while at C", [&] { LawSearch("事業者"); }, 7, 7, 7, {{6, C}}, D},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        const auto before = Rireki;
        step.run();
        ExpectRing(step.top, step.cur, step.last);
        for (int n = 0; n < RirekiCount; ++n) {
            const auto it = std::find_if(step.written.begin(), step.written.end(),
                                         [n](const auto& w) { return w.first == n; });
            if (it == step.written.end()) {
                EXPECT_TRUE(SameEntry(Rireki[n], before[n])) << "entry " << n << " changed";
                continue;
            }
            const Place& p = it->second;
            EXPECT_EQ(Rireki[n].TabSheet, main_->SyohiTab) << n;
            EXPECT_EQ(Rireki[n].DataSet, p.ds) << n;
            EXPECT_EQ(Rireki[n].RowKey, p.row) << n;
            EXPECT_EQ(Rireki[n].KeyWord1, p.key1) << n;
        }
        const Place shown = LawShown();
        EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SyohiTab);
        EXPECT_EQ(shown.ds, step.shown.ds);
        EXPECT_EQ(shown.row, step.shown.row);
        EXPECT_EQ(shown.key1, step.shown.key1);
        EXPECT_EQ(main_->SEditKey1->Text(), step.shown.key1);
        EXPECT_EQ(JyobunSubTable[Syohi]->FieldByName("Gyo").AsInteger(), step.shown.row)
            << "the text follows the grid";
    }
}

// Back and Next cross between a law and a book tab: each entry brings its own
// page back and sets only its own tab's controls.
TEST_F(RirekiTest, WalksAcrossLawAndBookTabs)
{
    const int g2 = GyoOf("２条");
    RowPick(JyobunMainSource[Syohi], "Gyo", g2);
    main_->SEditBangou->SetText("２条"_sj);
    main_->SyohiTreeView->setFixedWidth(250);
    main_->SyohiPanel2->SetHeight(140);
    EXPECT_EQ(RirekiStored[Syohi], 0);
    UserPagePick(main_->SbooksTab); // [0] = the law place
    ExpectRing(1, 1, 1);
    EXPECT_EQ(RirekiStored[Syohi], 1);
    RirekiStored[Syohi] = 0; // as a tree jump leaves it

    const int bookPanel = main_->SbooksPanel3->Height();
    const int firstSeq = static_cast<int>(BooksMainTable[Sbooks]->FieldByName("BookSeq").AsInteger());
    main_->SbEditKey1->SetText("課税"_sj);
    main_->SbEditPage->SetText("3");
    BooksKensaku(Sbooks); // [1] = the whole book list
    ExpectRing(2, 2, 2);
    db::Dataset* const bq0 = BooksSQL[0];
    ASSERT_EQ(BooksMainSource[Sbooks]->DataSet(), bq0);
    main_->SbooksPanel3->SetHeight(120);
    main_->SyohiPanel2->SetHeight(172);

    RirekiBack(); // to [1], on the book page
    ExpectRing(3, 1, 2);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SbooksTab);
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), BooksMainTable[Sbooks]);
    EXPECT_EQ(BooksMainTable[Sbooks]->FieldByName("BookSeq").AsInteger(), firstSeq);
    EXPECT_EQ(BooksKeyWord1[Sbooks], "");
    EXPECT_EQ(main_->SbEditKey1->Text(), "");
    EXPECT_EQ(main_->SbEditPage->Text(), "3");
    EXPECT_EQ(main_->SbooksPanel3->Height(), bookPanel);
    EXPECT_EQ(main_->SyohiPanel2->Height(), 172) << "the law tab is left alone";
    EXPECT_EQ(RirekiStored[Syohi], 0) << "book entries leave the law tabs' flags";

    main_->SbooksPanel3->SetHeight(130);
    RirekiBack(); // to [0], on the law page
    ExpectRing(4, 0, 2);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SyohiTab);
    EXPECT_EQ(LawShown().ds, mainTable_);
    EXPECT_EQ(LawShown().row, g2);
    EXPECT_EQ(main_->SEditBangou->Text(), "２条"_sj);
    EXPECT_EQ(main_->SyohiPanel2->Height(), 140);
    EXPECT_EQ(main_->SyohiTreeView->width(), 250);
    EXPECT_EQ(RirekiStored[Syohi], 1);
    EXPECT_EQ(main_->SbooksPanel3->Height(), 130) << "the book tab is left alone";

    RirekiNext(); // to [1] as the second Back left it
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SbooksTab);
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), BooksMainTable[Sbooks]);
    EXPECT_EQ(main_->SbooksPanel3->Height(), 130);
    RirekiNext(); // to [2], the book result
    ExpectRing(6, 2, 2);
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), bq0);
    EXPECT_EQ(BooksKeyWord1[Sbooks], "課税"_sj);
    EXPECT_EQ(main_->SbEditKey1->Text(), "課税"_sj);
    EXPECT_EQ(main_->SbooksPanel3->Height(), 120);

    // A book entry written over a law entry keeps the slot's tree width.
    RirekiJyobunStore(Syohi, 50);
    EXPECT_EQ(Rireki[50].TreeWidth, 250);
    RirekiBooksStore(Sbooks, 50);
    EXPECT_EQ(Rireki[50].TabSheet, main_->SbooksTab);
    EXPECT_EQ(Rireki[50].TreeWidth, 250);
}

TEST_F(RirekiTest, PageChangeByTheUserStoresThePlaceLeft)
{
    const int g3 = GyoOf("３条");
    RowPick(JyobunMainSource[Syohi], "Gyo", g3);
    main_->SEditBangou->SetText("３条"_sj);
    UserPagePick(main_->GenTab);
    ExpectRing(1, 1, 1);
    EXPECT_EQ(Rireki[0].TabSheet, main_->SyohiTab);
    EXPECT_EQ(Rireki[0].RowKey, g3);
    EXPECT_EQ(Rireki[0].NumberText, "３条"_sj);

    main_->SEditBangou->SetText("");
    RirekiBack();
    ExpectRing(2, 0, 1); // the program's own page change stores nothing
    EXPECT_EQ(Rireki[1].TabSheet, main_->GenTab);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SyohiTab);
    EXPECT_EQ(main_->SEditBangou->Text(), "３条"_sj);
    EXPECT_EQ(LawShown().row, g3);
    EXPECT_EQ(main_->focusWidget(), main_->SyohiRichEdit);
}

TEST_F(RirekiTest, BackGoesOnPastEntryZeroOnlyOnceTheRingHasWrapped)
{
    const auto numberedSave = [&](int k) {
        main_->SEditBangou->SetText(std::to_string(k));
        RirekiSave();
    };
    for (int k = 0; k < 100; ++k)
        numberedSave(k);
    ExpectRing(100, 100, 100);
    EXPECT_EQ(RirekiWrapped, 0);
    numberedSave(100);
    ExpectRing(0, 0, 0);
    EXPECT_EQ(RirekiWrapped, 1);

    main_->SEditBangou->SetText("now");
    for (const char* shown : {"100", "99", "98"}) {
        RirekiBack();
        EXPECT_EQ(main_->SEditBangou->Text(), shown);
    }
    ExpectRing(3, 98, 0);
    EXPECT_EQ(Rireki[0].NumberText, "now");
    // Forward again over the seam, up to the newest place and no further.
    for (const char* shown : {"99", "100", "now", "now"}) {
        RirekiNext();
        EXPECT_EQ(main_->SEditBangou->Text(), shown);
    }
    ExpectRing(6, 0, 0);
}

TEST_F(RirekiTest, NoScopeSelectedRestoresAsTheFirstScope)
{
    ui::ComboBox* combo = main_->SComboBox;
    ASSERT_GT(combo->count(), 3);
    combo->SetItemIndex(-1);
    RirekiSave();
    combo->SetItemIndex(3);
    RirekiSave();
    combo->SetItemIndex(1);
    EXPECT_EQ(Rireki[0].ScopeIndex, -1);
    RirekiBack();
    EXPECT_EQ(combo->ItemIndex(), 3);
    RirekiBack();
    EXPECT_EQ(combo->ItemIndex(), 0);
}

// The caret goes 350 positions ahead (or to the end of a short text) so that
// the text after it shows, then back to the stored place.
TEST_F(RirekiTest, CaretGoesAheadFirstThenBackToItsPlace)
{
    struct Case {
        const char* article;
        bool nearEnd;
    };
    ui::RichEdit* rich = main_->SyohiRichEdit;
    for (const Case& c : {Case{"５条", true}, Case{"４条", false}}) {
        SCOPED_TRACE(c.article);
        RowPick(JyobunMainSource[Syohi], "Gyo", GyoOf(c.article));
        const int length = static_cast<int>(rich->Text().size());
        const int place = c.nearEnd ? length - 4 : 10;
        const int ahead = std::min(place + 350, length);
        ASSERT_EQ(ahead == length, c.nearEnd) << "text of " << length << " bytes";
        rich->SetSelStart(place);
        RirekiSave();
        RowPick(JyobunMainSource[Syohi], "Gyo", GyoOf("１条"));

        std::vector<int> carets;
        const auto watch = QObject::connect(rich, &QTextEdit::cursorPositionChanged,
                                            [&] { carets.push_back(rich->SelStart()); });
        RirekiBack();
        QObject::disconnect(watch);
        ASSERT_GE(carets.size(), 2u);
        EXPECT_EQ(carets[carets.size() - 2], ahead);
        EXPECT_EQ(carets.back(), place);
        EXPECT_EQ(rich->SelStart(), place);
    }
}

// A pooled query handed out again shows its new rows to every entry that
// keeps it.
TEST_F(RirekiTest, HistoryKeepsThePooledQueryNotItsRows)
{
    const int g3 = GyoOf("３条"), g5 = GyoOf("５条");
    RowPick(JyobunMainSource[Syohi], "Gyo", g3);
    LawSearch("課税");
    db::Dataset* const q0 = JyobunSQL[0];
    ASSERT_EQ(LawShown().ds, q0);
    RirekiBack(); // the result leaves the grid; its query is free again
    for (int k = 1; k < JyobunSQLCount; ++k)
        JyobunSQLNext(Syohi);
    LawSearch("免税");
    ASSERT_EQ(LawShown().ds, q0);
    RirekiBack(); // the place before 免税
    RirekiBack(); // the 課税 result's entry
    EXPECT_EQ(LawShown().ds, q0);
    EXPECT_EQ(LawShown().key1, "課税"_sj);
    ASSERT_EQ(q0->RecordCount(), 2);
    EXPECT_EQ(std::get<std::int64_t>(q0->ValueAt(0, 0)), g3);
    EXPECT_EQ(std::get<std::int64_t>(q0->ValueAt(1, 0)), g5);
    EXPECT_EQ(LawShown().row, g3) << "the stored row is gone: the grid stays where it is";
}

// The key words come back before the grid's dataset, so the article rebuilt
// on the way (while the text is hidden) is coloured with them.
TEST_F(RirekiTest, RestoredArticleCarriesTheRestoredKeyWords)
{
    ui::RichEdit* rich = main_->SyohiRichEdit;
    const std::string red = "{\\cf1 " + "課税"_sj + "}";
    RowPick(JyobunMainSource[Syohi], "Gyo", GyoOf("３条"));
    LawSearch("課税");
    ASSERT_NE(JyobunRtfCache[Syohi].find(red), std::string::npos);
    RirekiBack();
    EXPECT_EQ(JyobunRtfCache[Syohi].find(red), std::string::npos);

    std::vector<bool> hiddenAtLoad;
    const auto watch = QObject::connect(rich, &QTextEdit::textChanged,
                                        [&] { hiddenAtLoad.push_back(rich->isHidden()); });
    RirekiNext();
    QObject::disconnect(watch);
    EXPECT_NE(JyobunRtfCache[Syohi].find(red), std::string::npos);
    ASSERT_FALSE(hiddenAtLoad.empty());
    EXPECT_TRUE(hiddenAtLoad.back()) << "the shown text was loaded while hidden";
    EXPECT_FALSE(rich->isHidden());
}

// A tab whose table could not be opened at start-up keeps a place without a
// row; storing it and coming back to it raise nothing.
TEST_F(RirekiTest, ClosedGridDatasetIsStoredWithoutRowAndComesBack)
{
    houjin_->GMainTable.Close();
    UserPagePick(main_->GenTab);
    UserPagePick(main_->SyohiTab);
    ExpectRing(2, 2, 2);
    EXPECT_EQ(Rireki[1].DataSet, &houjin_->GMainTable);
    EXPECT_EQ(Rireki[1].RowKey, 0);
    RirekiBack();
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->GenTab);
    EXPECT_FALSE(main_->GenRichEdit->isHidden());
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(RirekiTest, FailedRebuildLeavesTheTextShown)
{
    LawSearch("課税");
    JyobunSubTable[Syohi]->AfterScroll = [](db::Dataset&) { throw db::Error("rebuild failed"); };
    EXPECT_THROW(RirekiBack(), db::Error);
    EXPECT_FALSE(main_->SyohiRichEdit->isHidden());
}

} // namespace
