// The jump by article number: the loosely typed number brought into the form
// of the stored numbers, and the jump from the button over the sample's
// 消費税 tab, from the whole table, a scoped table and a search result.
#include "search_window.h"

#include "platform/ui/combo_box.h"
#include "platform/ui/tool_button.h"
#include "reader/bangou_jump.h"
#include "reader/scope_tables.h"

#include <QTest>

namespace {

// 消費税 (tab 1) articles of the sample.
constexpr int ShoHou2 = 20;    // 消法 ２条
constexpr int ShoHou9no2 = 90; // 消法 ９条の２
constexpr int ShoRei2 = 250;   // 消令 ２条
constexpr int ScopeShoHou = 5; // "消法" in the scope combo of tab 1
constexpr int ScopeShoRei = 6; // "消令"

} // namespace

TEST(BangouNormalize, BringsTypedNumbersIntoTheStoredForm)
{
    struct Case {
        const char* typed;
        const char* scope;
        const char* stored;
    };
    const Case cases[] = {
        {"35", "全範囲", "３５条"},
        {"35の2", "全範囲", "３５条の２"},
        {"35ノ2", "全範囲", "３５条の２"},
        {"35ﾉ2", "全範囲", "３５条の２"},
        {"第35条の2", "全範囲", "３５条の２"},
        {"３５条の２の３", "全範囲", "３５条の２の３"},
        {"附則第3条", "全範囲", "附則第３条"},
        {"別表第1", "全範囲", "別表第１"},
        {"付表1", "全範囲", "付表１"},
        {"2-1-1", "全範囲", "２－１－１"},
        {"2ー1ー1", "全範囲", "２－１－１"},
        {"2-1の2", "全範囲", "２－１の２"},
        {"の2", "全範囲", "条の２"},
        {"35の2", "旧商法", "３５条ノ２"},
        {"280ﾉ2", "旧商法", "２８０条ノ２"},
        {"35", "財基通", "３５"},
        {"35の2", "財基通", "３５条の２"},
        {"35", "", "３５条"},
        // A kanji whose second byte is that of "ﾉ" stays as it is.
        {"舎1", "全範囲", "舎１条"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BangouNormalize(sjis::fromUtf8(c.typed), sjis::fromUtf8(c.scope)), sjis::fromUtf8(c.stored))
            << c.typed << " / " << c.scope;
}

class BangouJumpTest : public SearchWindow {
protected:
    void SetUp() override
    {
        SearchWindow::SetUp();
        Activate(JyobunTabSheet[Syohi]);
    }

    void Jump(const std::string& typed)
    {
        JyobunEditBangou[Syohi]->SetText(typed);
        main_->BBtnJumpClick();
    }
    static std::int64_t CurrentGyo()
    {
        return JyobunMainSource[Syohi]->DataSet()->FieldByName("Gyo").AsInteger();
    }
    static const std::string& JumpFilter(int scope) { return LawScopeTable(Syohi)[scope].JumpFilter; }
};

TEST_F(BangouJumpTest, TheButtonSavesThePlaceAndMovesTheGridToTheNumber)
{
    const int top = RirekiTop;
    Jump("9の2"_sj);
    EXPECT_EQ(CurrentGyo(), ShoHou9no2);
    EXPECT_EQ(JyobunEditBangou[Syohi]->Text(), "９条の２"_sj);
    EXPECT_EQ(JyobunSubTable[Syohi]->FieldByName("Gyo").AsInteger(), ShoHou9no2);
    EXPECT_EQ(RirekiTop, top + 1);
    EXPECT_EQ(Rireki[top].RowKey, 10);

    // The same number in two documents: the first in reading order.
    Jump("2"_sj);
    EXPECT_EQ(CurrentGyo(), ShoHou2);
}

TEST_F(BangouJumpTest, AnEmptyOrUnknownNumberIsReportedAndLeavesTheGrid)
{
    Jump("9の2"_sj);
    const int top = RirekiTop;

    prompts_.Expect(platform::PromptKind::Message, "条文番号を入力してください"_sj);
    Jump("");
    EXPECT_EQ(RirekiTop, top + 1); // the history entry comes first
    EXPECT_EQ(CurrentGyo(), ShoHou9no2);

    prompts_.Expect(platform::PromptKind::Message, "該当の条文はありません"_sj);
    Jump("999"_sj);
    EXPECT_EQ(JyobunEditBangou[Syohi]->Text(), "９９９条"_sj);
    EXPECT_EQ(CurrentGyo(), ShoHou9no2);
}

TEST_F(BangouJumpTest, TheWholeTableKeepsTheScopeItWasFilteredBy)
{
    JyobunComboBox[Syohi]->SetItemIndex(ScopeShoRei);
    main_->HComboBoxChange();
    Jump("2"_sj);
    EXPECT_EQ(CurrentGyo(), ShoRei2);

    prompts_.Expect(platform::PromptKind::Message, "該当の条文はありません"_sj);
    Jump("9の2"_sj);
    EXPECT_EQ(CurrentGyo(), ShoRei2);
}

TEST_F(BangouJumpTest, FromASearchResultTheScopeNarrowsTheWholeTable)
{
    LawSearch(Syohi, "消費税"_sj);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    ASSERT_NE(result, JyobunMainTable[Syohi]);
    const std::string key1 = JyobunKeyWord1[Syohi];

    // Not within 消法: the result stays, the main table keeps the scope.
    JyobunComboBox[Syohi]->SetItemIndex(ScopeShoHou);
    prompts_.Expect(platform::PromptKind::Message, "該当の条文はありません"_sj);
    Jump("71"_sj);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), result);
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), JumpFilter(ScopeShoHou));
    EXPECT_TRUE(JyobunMainTable[Syohi]->Filtered());

    JyobunComboBox[Syohi]->SetItemIndex(ScopeShoRei);
    Jump("2"_sj);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), JumpFilter(ScopeShoRei));
    EXPECT_EQ(CurrentGyo(), ShoRei2);
    EXPECT_EQ(JyobunSubTable[Syohi]->FieldByName("Gyo").AsInteger(), ShoRei2);
    // Key words and their edit stay those of the search.
    EXPECT_EQ(JyobunKeyWord1[Syohi], key1);
    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), key1);
}

TEST_F(BangouJumpTest, EnterInTheNumberEditOnlyFocusesTheJumpButton)
{
    const int top = RirekiTop;
    JyobunEditBangou[Syohi]->SetText("9の2"_sj);
    JyobunEditBangou[Syohi]->setFocus();
    QTest::keyClick(JyobunEditBangou[Syohi], Qt::Key_Return);
    EXPECT_EQ(main_->focusWidget(), main_->BBtnJump);
    EXPECT_EQ(CurrentGyo(), 10);
    EXPECT_EQ(RirekiTop, top);
}

TEST_F(BangouJumpTest, OnABookTabTheButtonJumpsByPage)
{
    Activate(BooksTabSheet[Sbooks]);
    const int top = RirekiTop;
    prompts_.Expect(platform::PromptKind::Message, "ページ番号を入力してください"_sj);
    BooksEditPage[Sbooks]->SetText("");
    main_->BBtnJumpClick();
    EXPECT_EQ(RirekiTop, top + 1);
}
