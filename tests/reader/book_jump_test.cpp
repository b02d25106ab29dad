// The book tab's page jump, the page edit's key filter and the double click
// that follows an entry, over the sample's 消費目次 tab.
#include "search_window.h"

#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/tool_button.h"
#include "reader/book_jump.h"
#include "reader/scope_tables.h"

#include "support/desktop_input.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTest>

#include <functional>

namespace {

constexpr int Tab = Sbooks;
// Scope items of the 消費目次 combo.
constexpr int ScopeZeimuTusin = 2; // 税務通信 (BookNo 20)
constexpr int ScopeSaiketu = 4;    // 裁決事例 (BookNo 60)

} // namespace

class BookJumpTest : public SearchWindow {
protected:
    void SetUp() override
    {
        SearchWindow::SetUp();
        Activate(BooksTabSheet[Tab]);
    }

    void PageJump(const std::string& page)
    {
        BooksEditPage[Tab]->SetText(page);
        main_->BBtnJumpClick();
    }
    static db::Dataset& Shown() { return *BooksMainSource[Tab]->DataSet(); }
    static std::int64_t Field(db::Dataset& ds, const char* name) { return ds.FieldByName(name).AsInteger(); }

    enum class Place { Cell, RowTitle, ColumnTitle };
    // The user clicks the grid's row of entry `seq`, then double-clicks the
    // grid at `place`.
    void DoubleClickEntry(int seq, Place place = Place::Cell)
    {
        ASSERT_TRUE(Shown().Locate("BookSeq", {db::Value(std::int64_t{seq})}));
        ui::DBGrid& grid = *BooksDBGrid[Tab];
        const QModelIndex cell = grid.model()->index(Shown().RecNo(), 3);
        grid.scrollTo(cell);
        const QPoint at = grid.visualRect(cell).center();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
        QHeaderView* titles = place == Place::RowTitle ? grid.verticalHeader() : grid.horizontalHeader();
        switch (place) {
        case Place::Cell:
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
            break;
        case Place::RowTitle:
            QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, QPoint(titles->width() / 2, at.y()));
            break;
        case Place::ColumnTitle:
            QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, QPoint(at.x(), titles->height() / 2));
            break;
        }
    }
    // The law article that entry `seq` names in the jump table file.
    static std::int64_t JumpGyo(int seq)
    {
        db::Table jumps;
        jumps.SetTableName("F4.db");
        jumps.Open();
        EXPECT_TRUE(jumps.Locate("BookSeq", {db::Value(std::int64_t{seq})}));
        return jumps.FieldByName("Gyo").AsInteger();
    }
};

TEST_F(BookJumpTest, APageIsFoundInTheMainTableUnderItsFilter)
{
    // No scope: the first entry of that page in the table, whatever its book.
    PageJump("12");
    EXPECT_EQ(Shown().FieldByName("BookPage").AsFloat(), 12.0);
    EXPECT_EQ(Field(Shown(), "BookNo"), 1);
    PageJump("15.5");
    EXPECT_EQ(Shown().FieldByName("BookPage").AsFloat(), 15.5);
    EXPECT_EQ(BooksSubTable[Tab]->FieldByName("BookPage").AsFloat(), 15.5);

    // The scope the user chose filters the main table: pages of other books are not found.
    BooksComboBox[Tab]->SetItemIndex(ScopeSaiketu);
    main_->HbComboBoxChange();
    const std::int64_t before = Field(Shown(), "BookSeq");
    prompts_.Expect(platform::PromptKind::Message, "該当の文献目次はありません"_sj);
    PageJump("12");
    EXPECT_EQ(Field(Shown(), "BookSeq"), before);
    PageJump("9");
    EXPECT_EQ(Field(Shown(), "BookNo"), 60);
    EXPECT_EQ(Shown().FieldByName("BookPage").AsFloat(), 9.0);
}

TEST_F(BookJumpTest, AnEmptyOrUnreadablePageIsReported)
{
    prompts_.Expect(platform::PromptKind::Message, "ページ番号を入力してください"_sj);
    prompts_.Expect(platform::PromptKind::Message, "該当の文献目次はありません"_sj);
    prompts_.Expect(platform::PromptKind::Message, "該当の文献目次はありません"_sj);
    const std::int64_t before = Field(Shown(), "BookSeq");
    PageJump("");
    PageJump("1.2.3");
    PageJump(".");
    EXPECT_EQ(Field(Shown(), "BookSeq"), before);
    EXPECT_EQ(prompts_.Shown().size(), 3u);
}

TEST_F(BookJumpTest, FromASearchResultTheScopeNarrowsTheMainTableAndTheGridReturnsToIt)
{
    BookSearch(Tab, "消費税"_sj);
    db::Dataset* result = BooksMainSource[Tab]->DataSet();
    ASSERT_NE(result, BooksMainTable[Tab]);

    // Not found: the grid stays on the result, the main table keeps the scope's filter.
    BooksComboBox[Tab]->SetItemIndex(ScopeSaiketu);
    prompts_.Expect(platform::PromptKind::Message, "該当の文献目次はありません"_sj);
    PageJump("12");
    EXPECT_EQ(BooksMainSource[Tab]->DataSet(), result);
    EXPECT_TRUE(BooksMainTable[Tab]->Filtered());
    EXPECT_EQ(BooksMainTable[Tab]->Filter(), BookScopeTable(Tab)[ScopeSaiketu].JumpFilter);

    // Found: the grid shows the main table under the scope, at that page of that book.
    BooksComboBox[Tab]->SetItemIndex(ScopeZeimuTusin);
    PageJump("12");
    ASSERT_EQ(BooksMainSource[Tab]->DataSet(), BooksMainTable[Tab]);
    EXPECT_EQ(Field(Shown(), "BookNo"), 20);
    EXPECT_EQ(Shown().FieldByName("BookPage").AsFloat(), 12.0);
    for (std::int64_t seq : GridBookSeq(Tab))
        EXPECT_TRUE(seq >= 22 && seq <= 36) << seq; // the entries of 税務通信 only
    // The entry pane follows, still coloured by the search's key word.
    EXPECT_EQ(BooksKeyWord1[Tab], "消費税"_sj);
    EXPECT_EQ(BooksSubTable[Tab]->FieldByName("BookSeq").AsInteger(), Field(Shown(), "BookSeq"));
}

TEST_F(BookJumpTest, ThePageEditTakesDigitsAndThePointOnly)
{
    ui::Edit* edit = BooksEditPage[Tab];
    edit->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    const struct {
        const char* what;
        std::function<void()> send;
        std::size_t refused;
    } inputs[] = {
        {"typed", [&] { TypeText(*edit, QStringLiteral("12a.5")); }, 1},
        {"paste key", [&] { PressCtrl(*edit, 'v'); }, 1},
        {"copy key", [&] { PressCtrl(*edit, 'c'); }, 1},
        {"characters beyond ASCII", [&] { TypeText(*edit, QStringLiteral("\u00e9\u00a5\uff71")); }, 3},
        {"input method", [&] { CommitText(*edit, QStringLiteral("\uff11\uff12")); }, 2},
    };
    std::size_t refused = 0;
    for (const auto& in : inputs) {
        SCOPED_TRACE(in.what);
        for (std::size_t i = 0; i < in.refused; ++i)
            prompts_.Expect(platform::PromptKind::Message, "半角数字と小数点しか入力出来ません"_sj);
        in.send();
        refused += in.refused;
        EXPECT_EQ(edit->Text(), "12.5");
        EXPECT_EQ(prompts_.Shown().size(), refused);
    }
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), "12.");
    EXPECT_EQ(prompts_.Shown().size(), refused);

    // The input method stays out of the page edit and the scope combo, not of the key edits.
    EXPECT_FALSE(InputMethodAccepted(*edit));
    EXPECT_FALSE(InputMethodAccepted(*BooksComboBox[Tab]));
    EXPECT_TRUE(InputMethodAccepted(*BooksEditKey1[Tab]));
    EXPECT_TRUE(InputMethodAccepted(*JyobunEditBangou[Syohi]));
    edit->setFocus();

    // Enter only moves to the jump button.
    const std::int64_t before = Field(Shown(), "BookSeq");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(main_->focusWidget(), main_->BBtnJump);
    EXPECT_EQ(Field(Shown(), "BookSeq"), before);
}

TEST_F(BookJumpTest, ADoubleClickFollowsTheEntryToItsLawArticle)
{
    struct Case {
        int seq;
        int tab;
        Place place;
    };
    // 消基通 １－１－１; 会社法 ４５３条; an entry with a web address as well goes to its article.
    // A double click anywhere on the grid follows the current entry.
    for (const Case c :
         {Case{2, Syohi, Place::Cell}, Case{30, Gen, Place::RowTitle}, Case{21, Syohi, Place::ColumnTitle}}) {
        SCOPED_TRACE(c.seq);
        Activate(BooksTabSheet[Tab]);
        BooksEditPage[Tab]->SetText("5");
        JyobunEditKey1[c.tab]->SetText("控除"_sj);
        const int top = RirekiTop;
        DoubleClickEntry(c.seq, c.place);
        EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[c.tab]);
        EXPECT_EQ(JyobunMainSource[c.tab]->DataSet(), JyobunMainTable[c.tab]);
        EXPECT_EQ(JyobunMainTable[c.tab]->FieldByName("Gyo").AsInteger(), JumpGyo(c.seq));
        EXPECT_EQ(JyobunEditKey1[c.tab]->Text(), "");
        EXPECT_EQ(JyobunComboBox[c.tab]->ItemIndex(), 0);
        EXPECT_EQ(RirekiTop, top + 1);
        EXPECT_TRUE(system_.opened.empty());

        // Back returns to the entry on the book tab.
        main_->BBtnBackClick();
        EXPECT_EQ(main_->MainPageControl->ActivePage(), BooksTabSheet[Tab]);
        EXPECT_EQ(Field(Shown(), "BookSeq"), c.seq);
        EXPECT_EQ(BooksEditPage[Tab]->Text(), "5");
    }
}

TEST_F(BookJumpTest, ADoubleClickWithoutAJumpOpensTheEntrysWebAddress)
{
    const int top = RirekiTop;
    DoubleClickEntry(32);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), BooksTabSheet[Tab]);
    ASSERT_EQ(system_.opened.size(), 1u);
    EXPECT_EQ(system_.opened[0], "https://www.nta.go.jp/law/shitsugi/shohi/01.htm");
    EXPECT_EQ(RirekiTop, top);

    // An entry with neither does nothing.
    DoubleClickEntry(1);
    EXPECT_EQ(system_.opened.size(), 1u);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), BooksTabSheet[Tab]);
}

TEST_F(BookJumpTest, AJumpToAnAbsentLawTabDoesNothing)
{
    JyobunTabHidden[Gen] = 1;
    const int top = RirekiTop;
    DoubleClickEntry(30);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), BooksTabSheet[Tab]);
    EXPECT_EQ(RirekiTop, top);
    EXPECT_TRUE(system_.opened.empty());
}
