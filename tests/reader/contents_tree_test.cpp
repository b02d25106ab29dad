// The contents tree of a law tab in the running main window, over a small
// collection made for it: loading the tree file, following the article and
// jumping from a clicked node.
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tree_view.h"
#include "reader/contents_tree.h"
#include "reader/rireki.h"
#include "support/fake_system.h"
#include "support/prompt_log.h"
#include "support/temp_dir.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

constexpr int Tab = Syohi;

void WriteBytes(const char* name, const std::string& bytes)
{
    QFile f(QString::fromUtf8(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Nodes (absolute index: level, article Gyo):
//   0 消費税法
//   1   第１章                 heading
//   2..13   第１条..第１２条     Gyo 10..120
//   14  第２章                 heading
//   15    第１節               heading
//   16..18    第１３条..        Gyo 130..150
//   19 消費税法施行令
//   20..48  第１条..           Gyo 160..440
//   49      第３０条           Gyo 9999 (no such article)
// Gyo 450 has no node; Gyo 460 names node 999, which the tree lacks.
struct Collection {
    std::string treeFile;
    std::vector<std::pair<int, int>> treeRows; // TreeID, Gyo
};

Collection MakeCollection()
{
    Collection c;
    int node = 0;
    auto line = [&](int depth, const std::string& text, std::optional<int> gyo) {
        c.treeFile += std::string(depth, '\t') + text + "\r\n";
        if (gyo)
            c.treeRows.push_back({node, *gyo});
        ++node;
    };
    auto article = [](int n) { return "第"_sj + sjis::digitsToFullWidth(std::to_string(n)) + "条"_sj; };
    line(0, "消費税法"_sj, {});
    line(1, "第１章"_sj, {});
    for (int n = 1; n <= 12; ++n)
        line(2, article(n), n * 10);
    line(1, "第２章"_sj, {});
    line(2, "第１節"_sj, {});
    for (int n = 13; n <= 15; ++n)
        line(3, article(n), n * 10);
    line(0, "消費税法施行令"_sj, {});
    for (int n = 1; n <= 29; ++n)
        line(1, article(n), 150 + n * 10);
    line(1, article(30), 9999);
    c.treeRows.push_back({999, 460});
    return c;
}

class ContentsTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        NamepasReset();
        const Collection c = MakeCollection();
        db::TableWriter main("E1.db", db::layout::lawMain());
        db::TableWriter text("E2.db", db::layout::lawText());
        for (int gyo = 10; gyo <= 460; gyo += 10) {
            const std::string bangou = sjis::digitsToFullWidth(std::to_string(gyo)) + "条"_sj;
            main.insert({gyo, 110, "消法"_sj, bangou, bangou + "　見出し"_sj});
            text.insert({gyo, 110, "【消費税法】"_sj + bangou + "\r\n課税の本文"_sj});
        }
        main.commit();
        text.commit();
        db::TableWriter("E4.db", db::layout::lawLink()).commit();
        db::TableWriter tree("E5.db", db::layout::lawTree());
        for (const auto& [id, gyo] : c.treeRows)
            tree.insert({id, gyo});
        tree.commit();
        WriteBytes("E6.dl_", c.treeFile);
    }
    void TearDown() override
    {
        reader_.reset();
        NamepasReset();
    }

    // The program's start-up with only the 消費税 tab present, shown.
    void Start()
    {
        system_.tickCount = 1000;
        reader_ = std::make_unique<ReaderSession>("Ronvetta", [] {
            JyobunTabHidden = {1, 0, 1, 1, 1, 1};
            BooksTabHidden = {1, 1, 1};
        });
        main_ = &reader_->MainForm();
        houjin_ = &reader_->HoujinModule();
        main_->SyohiTreeView->setFixedHeight(90);
        main_->show();
    }

    ui::TreeView& tree() { return *main_->SyohiTreeView; }
    db::Table& mainTable() { return houjin_->SMainTable; }
    std::int64_t shownGyo() { return houjin_->SSubTable.FieldByName("Gyo").AsInteger(); }
    void showArticle(int gyo) { ASSERT_TRUE(mainTable().Locate("Gyo", {db::Value(std::int64_t{gyo})})); }
    void clickNode(int node)
    {
        tree().Select(node);
        main_->HoujinTreeViewClick();
    }

    TempDir cwd_;
    FakeSystem system_;
    PromptLog prompts_;
    std::unique_ptr<ReaderSession> reader_;
    TMain* main_ = nullptr;
    THoujin* houjin_ = nullptr;
};

TEST_F(ContentsTree, ShowingTheWindowLoadsTheTreeCollapsedOnItsFirstNode)
{
    Start();
    EXPECT_TRUE(prompts_.shown.empty());
    ASSERT_EQ(tree().Count(), 50);
    EXPECT_EQ(tree().Text(0), "消費税法"_sj);
    EXPECT_EQ(tree().Parent(16), 15);
    EXPECT_EQ(tree().Parent(19), -1);
    EXPECT_EQ(tree().Level(18), 3);
    EXPECT_EQ(tree().Selected(), 0);
    EXPECT_EQ(tree().width(), 235);
    for (int node : {0, 1, 19})
        EXPECT_FALSE(tree().Expanded(node)) << node;
    EXPECT_EQ(main_->StatusBar1->Panels(1).Text().substr(0, 10), "起動時間："_sj);
}

TEST_F(ContentsTree, TreeFilesAreReadByTheirFormat)
{
    Start();
    struct Case {
        std::string bytes;
        std::vector<std::pair<int, std::string>> nodes; // level, text
        std::string error;                              // a part of the message
    };
    const std::vector<Case> cases = {
        // An indented first line is a root; one tab below it a child.
        {"  親\r\n\t子\r\n"_sj, {{0, "親"_sj}, {1, "子"_sj}}, ""},
        {"  親\r\n\t\t孫\r\n"_sj, {}, "2行目"_sj},
        {"a\r\n\tb\r\n\t\t\tc\r\n", {}, "3行目"_sj},
        // Lone CR and LF end lines too; an empty line is a node; the final
        // break adds none; blanks count, the ideographic blank is text.
        {"a\rb\n\r\n c\r\n"_sj, {{0, "a"}, {0, "b"}, {0, ""}, {1, "c"}}, ""},
        {"　全角\r\n 子\n\t\t孫\r\n根"_sj, {{0, "　全角"_sj}, {1, "子"_sj}, {2, "孫"_sj}, {0, "根"_sj}}, ""},
        {"a\n\tb\n\t\tc\n\td\n", {{0, "a"}, {1, "b"}, {2, "c"}, {1, "d"}}, ""},
        {"一行だけ\r\n"_sj, {}, "2行以上"_sj},
        {"", {}, "2行以上"_sj},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sjis::toUtf8(c.bytes));
        WriteBytes("E6.dl_", c.bytes);
        if (!c.error.empty()) {
            try {
                MokujiTreeLoad(Tab);
                ADD_FAILURE() << "no error";
            } catch (const std::exception& e) {
                const std::string message = e.what();
                EXPECT_NE(message.find("E6.dl_"), std::string::npos) << sjis::toUtf8(message);
                EXPECT_NE(message.find(c.error), std::string::npos) << sjis::toUtf8(message);
            }
            EXPECT_EQ(tree().Count(), 0) << "no half-loaded tree";
            continue;
        }
        MokujiTreeLoad(Tab);
        ASSERT_EQ(tree().Count(), static_cast<int>(c.nodes.size()));
        for (int n = 0; n < tree().Count(); ++n) {
            EXPECT_EQ(tree().Level(n), c.nodes[n].first) << n;
            EXPECT_EQ(tree().Text(n), c.nodes[n].second) << n;
        }
        EXPECT_EQ(tree().Selected(), 0);
    }

    QFile::remove(QStringLiteral("E6.dl_"));
    try {
        MokujiTreeLoad(Tab);
        ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("E6.dl_"), std::string::npos);
    }
}

TEST_F(ContentsTree, ABadTreeFileIsReportedAndStartUpGoesOn)
{
    WriteBytes("E6.dl_", "a\r\n\t\tb\r\n");
    Start();
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].first, platform::PromptKind::Error);
    EXPECT_NE(prompts_.shown[0].second.find("E6.dl_"), std::string::npos);
    EXPECT_EQ(main_->StatusBar1->Panels(1).Text().substr(0, 10), "起動時間："_sj);
    EXPECT_TRUE(main_->SyohiRichEdit->Text().starts_with("【消費税法】１０条"_sj)) << "the reader runs on";
}

// The selected node shows with up to eight earlier nodes of its level or a
// shallower one above it; a root ends the walk.
TEST_F(ContentsTree, TheTreeFollowsTheArticleWithItsTopLine)
{
    Start();
    struct Case {
        int gyo;
        int selected;
        int top;
    };
    const Case cases[] = {
        {120, 13, 5},  // eight earlier siblings
        {130, 16, 0},  // section, chapter, the chapter before, the root
        {60, 7, 0},    // five siblings, the chapter, the root
        {160, 20, 19}, // the root right above
        {440, 48, 40},
        {450, 48, 40}, // an article without a node leaves the tree alone
        {460, 48, 40}, // a node the tree lacks too
        {130, 16, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gyo);
        showArticle(c.gyo);
        EXPECT_EQ(tree().Selected(), c.selected);
        EXPECT_EQ(tree().TopItem(), c.top);
        EXPECT_EQ(TreeBusy[Tab], 0);
    }
}

TEST_F(ContentsTree, AClickShowsTheNodesArticleOrTheNextNodes)
{
    Start();
    showArticle(200);
    const std::string before = JyobunRtfCache[Tab];

    // A real click on the chapter heading: no article of its own, so the
    // article of the node after it; the tree stays on the clicked node.
    tree().Select(1);
    QTest::mouseClick(tree().viewport(), Qt::LeftButton, {},
                      tree().visualItemRect(tree().currentItem()).center());
    EXPECT_EQ(shownGyo(), 10);
    EXPECT_EQ(mainTable().FieldByName("Gyo").AsInteger(), 10);
    EXPECT_NE(JyobunRtfCache[Tab], before);
    EXPECT_EQ(tree().Selected(), 1);
    EXPECT_EQ(TreeBusy[Tab], 0);

    clickNode(14); // a heading followed by a heading: nothing happens
    EXPECT_EQ(shownGyo(), 10);
    clickNode(17);
    EXPECT_EQ(shownGyo(), 140);
    EXPECT_EQ(TreeBusy[Tab], 0);
    for (const char* scope : {"", "(Gyo > 100)"}) { // without and with a scope on
        mainTable().SetFilter(scope);
        mainTable().SetFiltered(*scope);
        showArticle(140);
        clickNode(49); // an article the main table lacks: the row stays, not the first
        EXPECT_EQ(shownGyo(), 140);
        EXPECT_EQ(mainTable().FieldByName("Gyo").AsInteger(), 140);
        EXPECT_EQ(TreeBusy[Tab], 0);
    }

    // While the tree is busy a click does nothing.
    TreeBusy[Tab] = 1;
    clickNode(3);
    EXPECT_EQ(shownGyo(), 140);
    TreeBusy[Tab] = 0;
}

TEST_F(ContentsTree, AClickOnAResultShowsTheWholeCollectionKeepingTheKeyWords)
{
    Start();
    db::Query& q = *JyobunSQLNext(Tab);
    q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ", "WHERE ( Gyo >= 300 ) ", "ORDER BY Gyo "};
    q.Open();
    JyobunMainSource[Tab]->SetDataSet(&q);
    mainTable().SetFilter("(Gyo > 400)");
    mainTable().SetFiltered(true);
    main_->SComboBox->SetItemIndex(2);
    main_->SEditKey1->SetText("課税"_sj);
    JyobunKeyWord1[Tab] = "課税"_sj;

    clickNode(5);
    EXPECT_EQ(JyobunMainSource[Tab]->DataSet(), &mainTable());
    EXPECT_FALSE(mainTable().Filtered());
    EXPECT_EQ(mainTable().Filter(), "");
    EXPECT_EQ(main_->SyohiDBGrid->model()->rowCount(), 46);
    EXPECT_EQ(main_->SComboBox->ItemIndex(), 0);
    EXPECT_EQ(main_->SEditKey1->Text(), "課税"_sj);
    EXPECT_EQ(JyobunKeyWord1[Tab], "課税"_sj);
    EXPECT_EQ(shownGyo(), 40);
    EXPECT_NE(JyobunRtfCache[Tab].find("\\cf1"), std::string::npos) << "key word still red";
}

TEST_F(ContentsTree, TheGridShowsSixRowsBelowTheTarget)
{
    Start();
    ui::DBGrid& grid = *main_->SyohiDBGrid;
    main_->SyohiPanel2->SetHeight(300);
    QCoreApplication::processEvents();
    ASSERT_LT(grid.rowAt(grid.viewport()->height() - 1), 25) << "the target starts out of view";

    clickNode(30); // Gyo 260, row 25
    EXPECT_EQ(mainTable().RecNo(), 25);
    EXPECT_GE(grid.rowAt(grid.viewport()->height() - 1), 31);
    EXPECT_LE(grid.rowAt(0), 25);

    clickNode(47); // Gyo 430, row 42 of 46: the row stays current
    EXPECT_EQ(mainTable().RecNo(), 42);
    EXPECT_EQ(shownGyo(), 430);
    EXPECT_EQ(grid.currentIndex().row(), 42);
}

// A run of tree jumps adds one history entry: the place before the first.
TEST_F(ContentsTree, TheFirstClickAfterAStoredEntrySavesOneEntry)
{
    Start();
    const int top = RirekiTop;
    clickNode(3);
    EXPECT_EQ(RirekiTop, top) << "nothing stored yet";

    RirekiSave(); // a search or a jump stores the place
    ASSERT_EQ(RirekiStored[Tab], 1);
    clickNode(3); // the article already shown: nothing
    EXPECT_EQ(RirekiTop, top + 1);
    clickNode(5);
    EXPECT_EQ(RirekiTop, top + 2);
    EXPECT_EQ(Rireki[top + 1].RowKey, 20) << "the place before the jump";
    EXPECT_EQ(RirekiStored[Tab], 0);
    clickNode(7);
    clickNode(9);
    EXPECT_EQ(RirekiTop, top + 2);
    EXPECT_EQ(shownGyo(), 80);
}

} // namespace
