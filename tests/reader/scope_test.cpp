// Scope changes in the combos: the selected item decides, the active page
// tells the tab, and the filter lands on whatever the grid shows.
#include "search_window.h"

#include "platform/ui/combo_box.h"
#include "reader/scope.h"
#include "reader/scope_tables.h"

#include <QLineEdit>
#include <QTest>

namespace {

// What the user does when picking an item from the list.
void Pick(ui::ComboBox* combo, const char* label)
{
    const int index = combo->findText(QString::fromUtf8(label));
    ASSERT_GE(index, 0) << label;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

std::vector<std::int64_t> MainRows(const char* file, const char* key, const char* code,
                                   const std::function<bool(std::int64_t)>& keep)
{
    db::Table t;
    t.SetTableName(file);
    t.Open();
    std::vector<std::int64_t> keys;
    for (t.First(); !t.Eof(); t.Next())
        if (keep(t.FieldByName(code).AsInteger()))
            keys.push_back(t.FieldByName(key).AsInteger());
    return keys;
}

std::string Labels(const ScopeTable& table)
{
    std::string joined;
    for (const ScopeEntry& e : table)
        joined += (joined.empty() ? "" : ",") + sjis::toUtf8(e.Label);
    return joined;
}

TEST(ScopeTables, LabelsInComboOrder)
{
    const char* const law[] = {
        "全範囲,本法関係,耐用年数関係,措置法関係,震災関係,法法,法令,法規,法基通,連基通,耐令,耐通,措法,措令,措規,"
        "措通,連措通,震災法,震災令,震災規",
        "全範囲,本法関係,地方税関係,措置法関係,震災関係,消法,消令,消規,消基通,消個通,地方,地方令,地方規,措法,措令,"
        "措規,震災法,震災令",
        "全範囲,新法関係,旧法関係,会社法,商法,整備法,会社令,整備令,会社規,商規,計規,電公令,民法,旧商法,有限法,"
        "企会原,旧商規,監査特,監査令",
        "全範囲,本法関係,措置法関係,震災関係,所法,所令,所規,所基通,措法,措令,措規,措通,震災法,震災令,震災規",
        "全範囲,本法関係,措置法関係,震災関係,相法,相令,相規,相基通,財基通,措法,措令,措規,措通,震災法,震災令,震災規",
        "全範囲,国通関係,国徴関係,印紙関係,震災関係,国通,国通令,国通規,国通通,国徴,国徴令,国徴規,国徴通,印紙,"
        "印紙令,印紙規,印紙通,措法,措令,措規,震災法,震災令",
    };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Labels(LawScopeTable(i)), law[i]) << "law tab " << i;
    const char* const books[] = {
        "全範囲,基通逐条解説,耐通逐条解説,措通逐条解説,税務通信,圧縮記帳,回答事例,ケーススタディ,裁決事例,減価償却,"
        "給与退職金,租税判例,調査事例,質疑応答集,事例選集,交際費リベート",
        "全範囲,基通逐条解説,税務通信,勘定科目,裁決事例,実務消費税法,業種区分,簡易課税,回答事例,租税判例",
        "全範囲,所基通逐条,譲渡措通逐条,相基通逐条,相続措通逐条,財産通達逐条,税務通信,株式公社債,裁決事例,財産評価,"
        "資産質疑,資産実務,資産実例,所得質疑,租税判例,等価交換,土地評価,保険税務",
    };
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ(Labels(BookScopeTable(b)), books[b]) << "book tab " << b;
    EXPECT_TRUE(LawScopeTable(6).empty());
    EXPECT_TRUE(BookScopeTable(-1).empty());
}

// The renderings that do not follow from a code, exact to the blank.
TEST(ScopeTables, RenderingsExactToTheBlank)
{
    struct Case {
        int tab; // 0..5 law, 10.. book tab - 10
        const char* label;
        const char* jump;
        const char* result;
        std::vector<std::string> sql;
    };
    const Case cases[] = {
        {0, "全範囲", "", "", {}},
        {0, "耐用年数関係", "(KubunNo >= 70) and (KubunNo < 100)", "(KubunNo >= 70) and (KubunNo < 100)",
         {"AND ( KubunNo >= 70 ) ", "AND ( KubunNo < 100) "}},
        {4, "財基通", "KubunNo = 350", "KubunNo = 350", {"AND ( KubunNo = 350) "}},
        {2, "旧法関係", "KubunNo > 899", "KubunNo > 899", {"AND ( KubunNo > 899) "}},
        {5, "国通関係", "(KubunNo >= 160) and (KubunNo < 190)",
         "((KubunNo > 150) and (KubunNo < 200)) or ((KubunNo > 700) and (KubunNo < 760))",
         {"AND ( ( ( KubunNo > 150) AND ( KubunNo < 200) ) OR ( ( KubunNo > 700) AND ( KubunNo < 760) ) )"}},
        {5, "国徴関係", "(KubunNo >= 260) and (KubunNo < 290)", "(KubunNo > 250) and (KubunNo < 300)",
         {"AND  ( ( KubunNo > 250) AND ( KubunNo < 300) ) "}},
        {5, "印紙関係", "((KubunNo >= 360) and (KubunNo < 390)) or ((KubunNo >= 700) and (KubunNo < 800)) ",
         "((KubunNo > 350) and (KubunNo < 400)) or ((KubunNo > 700) and (KubunNo < 760))",
         {"AND ( ( ( KubunNo > 350) AND ( KubunNo < 400) ) OR ( ( KubunNo > 700) AND ( KubunNo < 760) ) )"}},
        {5, "震災関係", "KubunNo >= 800", "KubunNo >= 800", {"AND ( KubunNo >= 800) "}},
        {10, "回答事例", "BookNo = 40", "BookNo = 40", {"AND ( BookNo = 40 ) "}},
        {11, "回答事例", "BookNo = 90", "BookNo = 90", {"AND ( BookNo = 90 ) "}},
        {12, "租税判例", "BookNo = 95", "BookNo = 95", {"AND ( BookNo = 95 ) "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ScopeTable& table = c.tab < 10 ? LawScopeTable(c.tab) : BookScopeTable(c.tab - 10);
        const ScopeEntry* e = ScopeEntryFind(table, sjis::fromUtf8(c.label));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->JumpFilter, c.jump);
        EXPECT_EQ(e->ResultFilter, c.result);
        EXPECT_EQ(e->SqlLines, c.sql);
    }
}

TEST_F(SearchWindow, ScopeChangeFiltersTheResultInPlace)
{
    const std::string word = "課税"_sj;
    LawSearch(Syohi, word);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    const auto all = GridGyo(Syohi);

    Pick(main_->SComboBox, "消基通");
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), result) << "no new search";
    EXPECT_EQ(result->Filter(), "KubunNo = 140");
    EXPECT_TRUE(result->Filtered());
    const auto expected =
        Scan("E2.db", "Gyo", "KubunNo", "Honbun", [&](std::int64_t code, const std::string& text) {
            return code == 140 && sjis::contains(text, word);
        });
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(GridGyo(Syohi), expected);
    EXPECT_FALSE(JyobunMainTable[Syohi]->Filtered());
    EXPECT_EQ(RirekiTop, 1) << "a scope change stores no history";
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);

    Pick(main_->SComboBox, "全範囲");
    EXPECT_EQ(result->Filter(), "");
    EXPECT_FALSE(result->Filtered());
    EXPECT_EQ(GridGyo(Syohi), all);
}

TEST_F(SearchWindow, ScopeChangeOnTheWholeTableFiltersTheMainTable)
{
    Activate(main_->SyohiTab);
    Pick(main_->SComboBox, "地方税関係");
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), "(KubunNo >= 600) and (KubunNo < 700)");
    EXPECT_EQ(GridGyo(Syohi),
              MainRows("E1.db", "Gyo", "KubunNo", [](std::int64_t c) { return c >= 600 && c < 700; }));

    // Typing leaves no item selected: nothing changes.
    QTest::keyClicks(main_->SComboBox->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(main_->SComboBox->ItemIndex(), -1);
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), "(KubunNo >= 600) and (KubunNo < 700)");

    // Selecting from code runs no handler.
    main_->SComboBox->SetItemIndex(0);
    EXPECT_TRUE(JyobunMainTable[Syohi]->Filtered());
}

TEST_F(SearchWindow, ActivePageTellsTheTabNotTheSender)
{
    Activate(main_->GenTab);
    main_->GComboBox->SetItemIndex(main_->GComboBox->findText(QStringLiteral("会社法")));
    Pick(main_->SComboBox, "消法");
    EXPECT_EQ(JyobunMainTable[Gen]->Filter(), "KubunNo = 410");
    EXPECT_FALSE(JyobunMainTable[Syohi]->Filtered());

    // On a book page the law handler finds no law tab.
    Activate(main_->SbooksTab);
    main_->HComboBoxChange();
    Pick(main_->SbComboBox, "勘定科目");
    EXPECT_EQ(BooksMainTable[Sbooks]->Filter(), "BookNo = 30");
    EXPECT_EQ(GridBookSeq(Sbooks),
              MainRows("F1.db", "BookSeq", "BookNo", [](std::int64_t n) { return n == 30; }));
    EXPECT_EQ(JyobunMainTable[Gen]->Filter(), "KubunNo = 410");

    Pick(main_->SbComboBox, "全範囲");
    EXPECT_FALSE(BooksMainTable[Sbooks]->Filtered());
    EXPECT_EQ(GridBookSeq(Sbooks), MainRows("F1.db", "BookSeq", "BookNo", [](std::int64_t) { return true; }));
}

TEST_F(SearchWindow, JumpFiltersGoOnTheMainTable)
{
    LawSearch(Syohi, "課税"_sj);
    main_->SComboBox->SetItemIndex(2); // 地方税関係
    JyobunJumpHanniFilter(Syohi);
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), "(KubunNo >= 600) and (KubunNo < 700)");
    EXPECT_FALSE(JyobunMainSource[Syohi]->DataSet()->Filtered());

    BookSearch(Sbooks, "課税"_sj);
    main_->SbComboBox->SetItemIndex(3); // 勘定科目
    BooksJumpHanniFilter(Sbooks);
    EXPECT_EQ(BooksMainTable[Sbooks]->Filter(), "BookNo = 30");
    EXPECT_FALSE(BooksMainSource[Sbooks]->DataSet()->Filtered());

    // Nothing selected, or no such tab: nothing happens.
    main_->SComboBox->SetItemIndex(-1);
    JyobunJumpHanniFilter(Syohi);
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), "(KubunNo >= 600) and (KubunNo < 700)");
    JyobunHanniSQL(6);
    BooksHanniSQL(-1);
    JyobunHanniFilter(-1);
    EXPECT_TRUE(SqlText.empty());
}

} // namespace
