// Scope changes in the combos: the selected item decides, the active page
// tells the tab, and the filter lands on whatever the grid shows.
#include "search_window.h"

#include "platform/ui/combo_box.h"
#include "reader/scope.h"

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
