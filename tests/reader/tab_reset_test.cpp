// Clear, reset and show-all: the states they leave a tab in.
#include "search_window.h"

#include "platform/ui/combo_box.h"
#include "reader/scope.h"
#include "reader/tab_reset.h"

#include <QApplication>

namespace {

std::int64_t Current(db::Dataset* ds, const char* field)
{
    return ds->FieldByName(field).AsInteger();
}

TEST_F(SearchWindow, OpenAllKeepsTheArticleAndItsColours)
{
    const std::string word = "課税"_sj;
    LawSearch(Syohi, word);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    result->MoveTo(2);
    const std::int64_t g = Current(result, "Gyo");
    JyobunComboBox[Syohi]->SetItemIndex(5);

    JyobunOpenAll(Syohi);

    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(JyobunMainTable[Syohi]->RecordCount(), 70);
    EXPECT_EQ(Current(JyobunMainTable[Syohi], "Gyo"), g);
    EXPECT_EQ(Current(JyobunSubTable[Syohi], "Gyo"), g);
    EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 0);
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);
    EXPECT_NE(JyobunRtfCache[Syohi].find("{\\cf1 " + word + "}"), std::string::npos);
    EXPECT_FALSE(JyobunMainTable[Syohi]->ControlsDisabled());
}

TEST_F(SearchWindow, OpenAllDropsAScopeFilterOrFallsBackToTheFirstArticle)
{
    Activate(main_->SyohiTab);
    main_->SComboBox->SetItemIndex(2);
    JyobunHanniFilter(Syohi);
    ASSERT_TRUE(JyobunMainTable[Syohi]->Filtered());
    JyobunMainTable[Syohi]->MoveTo(1);
    const std::int64_t g = Current(JyobunMainTable[Syohi], "Gyo");
    JyobunOpenAll(Syohi);
    EXPECT_FALSE(JyobunMainTable[Syohi]->Filtered());
    EXPECT_EQ(JyobunMainTable[Syohi]->Filter(), "");
    EXPECT_EQ(Current(JyobunMainTable[Syohi], "Gyo"), g);

    // A result filtered down to nothing.
    LawSearch(Syohi, "課税"_sj);
    JyobunMainSource[Syohi]->DataSet()->SetFilter("KubunNo = 1");
    JyobunMainSource[Syohi]->DataSet()->SetFiltered(true);
    JyobunMainTable[Syohi]->MoveTo(5);
    JyobunOpenAll(Syohi);
    EXPECT_EQ(JyobunMainTable[Syohi]->RecNo(), 0);
}

TEST_F(SearchWindow, ResetShowsTheWholeTableUncoloured)
{
    const std::string word = "課税"_sj;
    JyobunComboBox[Syohi]->SetItemIndex(1);
    LawSearch(Syohi, word, "仕入"_sj);
    JyobunMainTable[Syohi]->MoveTo(4);

    JyobunReset(Syohi);

    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_FALSE(JyobunMainTable[Syohi]->Filtered());
    EXPECT_EQ(JyobunMainTable[Syohi]->RecNo(), 0);
    EXPECT_EQ(Current(JyobunSubTable[Syohi], "Gyo"), GridGyo(Syohi).front());
    EXPECT_EQ(JyobunKeyWord1[Syohi], "");
    EXPECT_EQ(JyobunKeyWord2[Syohi], "");
    EXPECT_EQ(JyobunRtfCache[Syohi].find("\\cf1 "), std::string::npos);
    EXPECT_EQ(JyobunRtfCache[Syohi].find("\\cf2 "), std::string::npos);
    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), word) << "edits and scope untouched";
    EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 1);
    EXPECT_FALSE(JyobunMainTable[Syohi]->ControlsDisabled());
}

TEST_F(SearchWindow, ClearEmptiesTheInputsOnly)
{
    LawSearch(Syohi, "課税"_sj, "仕入"_sj);
    JyobunEditBangou[Syohi]->SetText("３０条"_sj);
    JyobunComboBox[Syohi]->SetItemIndex(4);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    JyobunEditKey2[Syohi]->setFocus();
    ASSERT_EQ(main_->focusWidget(), JyobunEditKey2[Syohi]);

    JyobunClear(Syohi);

    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), "");
    EXPECT_EQ(JyobunEditKey2[Syohi]->Text(), "");
    EXPECT_EQ(JyobunEditBangou[Syohi]->Text(), "");
    EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 0);
    EXPECT_EQ(JyobunComboBox[Syohi]->Text(), "全範囲"_sj);
    EXPECT_EQ(main_->focusWidget(), JyobunEditKey1[Syohi]);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), result);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "課税"_sj);
}

TEST_F(SearchWindow, BookResetsFollowTheLawOnes)
{
    const std::string word = "課税"_sj;
    BookSearch(Sbooks, word);
    db::Dataset* result = BooksMainSource[Sbooks]->DataSet();
    result->MoveTo(1);
    const std::int64_t seq = Current(result, "BookSeq");
    BooksEditPage[Sbooks]->SetText("１２"_sj);

    BooksOpenAll(Sbooks);
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), BooksMainTable[Sbooks]);
    EXPECT_EQ(Current(BooksMainTable[Sbooks], "BookSeq"), seq);
    EXPECT_EQ(Current(BooksSubTable[Sbooks], "BookSeq"), seq);
    EXPECT_EQ(BooksComboBox[Sbooks]->ItemIndex(), 0);
    EXPECT_EQ(BooksKeyWord1[Sbooks], word);

    BooksClear(Sbooks);
    EXPECT_EQ(BooksEditKey1[Sbooks]->Text(), "");
    EXPECT_EQ(BooksEditPage[Sbooks]->Text(), "");
    EXPECT_EQ(BooksKeyWord1[Sbooks], word);

    BooksReset(Sbooks);
    EXPECT_EQ(BooksMainTable[Sbooks]->RecNo(), 0);
    EXPECT_EQ(BooksKeyWord1[Sbooks], "");
    EXPECT_EQ(GridBookSeq(Sbooks).size(), 126u);
}

} // namespace
