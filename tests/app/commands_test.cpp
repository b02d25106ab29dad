// The main window's own commands over the sample data: the keyboard of the
// search inputs and grids, clear, home, show all, the selected-text search,
// the colour button, the cursor, the wheel and the page change.
#include "app_fixture.h"
#include "reader/search_window.h"

#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/splitter.h"
#include "reader/book_entry.h"
#include "reader/rireki.h"

#include "support/desktop_input.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <functional>

namespace {

using Commands = SearchWindow;

// Selects the first occurrence of `word` in the view; false when it is absent.
bool SelectWord(ui::RichEdit& view, const std::string& word)
{
    const int at = view.FindText(word, 0, -1);
    if (at < 0)
        return false;
    view.SetSelStart(at);
    view.SetSelLength(static_cast<int>(word.size()));
    return view.SelText() == word;
}

TEST_F(Commands, EnterInASearchInputFocusesTheSearchButtonAndRunsNothing)
{
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_));
    struct Input {
        ui::TabSheet* sheet;
        QWidget* control;
        ui::RichEdit* view;
    };
    const Input inputs[] = {
        {main_->SyohiTab, main_->SEditKey1, main_->SyohiRichEdit},
        {main_->SyohiTab, main_->SComboBox, main_->SyohiRichEdit},
        {main_->GenTab, main_->GEditKey2, main_->GenRichEdit},
        {main_->SbooksTab, main_->SbEditKey1, main_->SbooksRichEdit},
        {main_->SbooksTab, main_->SbComboBox, main_->SbooksRichEdit},
    };
    for (const Input& in : inputs) {
        SCOPED_TRACE(in.control->metaObject()->className());
        Activate(in.sheet);
        in.view->SelectAll();
        ASSERT_GT(in.view->SelLength(), 0);
        in.control->setFocus();

        // Any character drops the view's selection, however it comes.
        const struct {
            const char* what;
            std::function<void()> send;
        } keys[] = {
            {"letter", [&] { TypeText(*in.control, QStringLiteral("a")); }},
            {"paste key", [&] { PressCtrl(*in.control, 'v'); }},
            {"copy key", [&] { PressCtrl(*in.control, 'c'); }},
            {"kana without input method", [&] { TypeText(*in.control, QStringLiteral("\uff71")); }},
            {"input method", [&] { CommitText(*in.control, QStringLiteral("\u8ab2")); }},
        };
        for (const auto& key : keys) {
            SCOPED_TRACE(key.what);
            in.view->SelectAll();
            key.send();
            EXPECT_EQ(in.view->SelLength(), 0);
        }
        EXPECT_EQ(QApplication::focusWidget(),
                  in.control->focusProxy() ? in.control->focusProxy() : in.control);

        in.view->SelectAll();
        QTest::keyClick(in.control, Qt::Key_Return);
        EXPECT_EQ(in.view->SelLength(), 0);
        EXPECT_EQ(QApplication::focusWidget(), main_->BBtnKensaku);
    }
    EXPECT_EQ(JyobunSQLNo, -1) << "no law search ran";
    EXPECT_EQ(BooksSQLNo, -1) << "no book search ran";
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);

    // The next Enter presses the focused button: now the typed words are searched.
    Activate(main_->SyohiTab);
    main_->SEditKey1->SetText("課税"_sj);
    main_->SEditKey1->setFocus();
    QTest::keyClick(main_->SEditKey1, Qt::Key_Return);
    QTest::keyClick(main_->BBtnKensaku, Qt::Key_Return);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "課税"_sj);
    EXPECT_NE(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);

    // A word pasted into a key edit over a selection of the article is what a
    // click on the search button looks for.
    ASSERT_TRUE(SelectWord(*main_->SyohiRichEdit, "課税"_sj));
    main_->SEditKey1->SetText("");
    QTest::mouseClick(main_->SEditKey1, Qt::LeftButton);
    QGuiApplication::clipboard()->setText(QStringLiteral("\u4ed5\u5165")); // 仕入
    PressCtrl(*main_->SEditKey1, 'v');
    EXPECT_EQ(main_->SEditKey1->Text(), "仕入"_sj);
    QTest::mouseClick(main_->BBtnKensaku, Qt::LeftButton);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "仕入"_sj);
    main_->SEditKey1->SetText("課税"_sj);
    PressKey(*main_->BBtnKensaku, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
    EXPECT_EQ(JyobunKeyWord1[Syohi], "課税"_sj) << "the keypad's Enter presses the button too";
}

TEST_F(Commands, EnterOrSpaceInAGridMovesOneRecordAndStopsAtTheEnd)
{
    struct Grid {
        ui::TabSheet* sheet;
        ui::DBGrid* grid;
    };
    for (const Grid& g :
         {Grid{main_->SyohiTab, main_->SyohiDBGrid}, Grid{main_->SbooksTab, main_->SbooksDBGrid}}) {
        Activate(g.sheet);
        db::Dataset* ds = g.grid->DataSource()->DataSet();
        ds->First();
        QTest::keyClick(g.grid, Qt::Key_Return);
        EXPECT_EQ(ds->RecNo(), 1);
        QTest::keyClick(g.grid, Qt::Key_Space);
        EXPECT_EQ(ds->RecNo(), 2);
        QTest::keyClick(g.grid, Qt::Key_B);
        EXPECT_EQ(ds->RecNo(), 2) << "other keys leave the record";
        ds->Last();
        const int last = ds->RecNo();
        QTest::keyClick(g.grid, Qt::Key_Space);
        EXPECT_EQ(ds->RecNo(), last);
    }
    // The grid follows a search result as well.
    LawSearch(Syohi, "課税"_sj);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    const std::int64_t second = GridGyo(Syohi).at(1);
    QTest::keyClick(main_->SyohiDBGrid, Qt::Key_Return);
    EXPECT_EQ(result->FieldByName("Gyo").AsInteger(), second);
    EXPECT_EQ(JyobunSubTable[Syohi]->FieldByName("Gyo").AsInteger(), second);
}

TEST_F(Commands, ClearEmptiesTheInputsAndPushesNoHistory)
{
    LawSearch(Syohi, "課税"_sj, "仕入"_sj);
    JyobunComboBox[Syohi]->SetItemIndex(2);
    JyobunEditBangou[Syohi]->SetText("３０条"_sj);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    const int top = RirekiTop;

    main_->BBtnClear->click();

    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), "");
    EXPECT_EQ(JyobunEditKey2[Syohi]->Text(), "");
    EXPECT_EQ(JyobunEditBangou[Syohi]->Text(), "");
    EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 0);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), result) << "the result stays";
    EXPECT_EQ(JyobunKeyWord1[Syohi], "課税"_sj);
    EXPECT_EQ(RirekiTop, top);
}

TEST_F(Commands, HomeResetsTheLawTabAndReloadsItsTreeAfterAHistoryPush)
{
    const std::string word = "課税"_sj;
    JyobunComboBox[Syohi]->SetItemIndex(1);
    LawSearch(Syohi, word);
    JyobunPanel2[Syohi]->SetHeight(300);
    JyobunTreeView[Syohi]->Select(5);
    LinkBusy = 1;
    MemoLinkMode = 1;
    const int top = RirekiTop;

    main_->BBtnHome->click();

    EXPECT_EQ(LinkBusy, 0);
    EXPECT_EQ(MemoLinkMode, 0);
    EXPECT_NE(RirekiTop, top);
    EXPECT_EQ(Rireki[top].TabSheet, main_->SyohiTab);
    EXPECT_EQ(Rireki[top].KeyWord1, word) << "the place before home is in the history";
    EXPECT_EQ(Rireki[top].PanelHeight, 300);

    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), "");
    EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 0);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(JyobunMainTable[Syohi]->RecNo(), 0);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "");
    EXPECT_EQ(JyobunPanel2[Syohi]->Height(), 172);
    EXPECT_EQ(JyobunTreeView[Syohi]->Selected(), 0);
    EXPECT_EQ(JyobunTreeView[Syohi]->width(), 235);
    for (int n = 0; n < JyobunTreeView[Syohi]->Count(); ++n)
        EXPECT_FALSE(JyobunTreeView[Syohi]->Expanded(n) && n != 0) << "node " << n;
}

// True when some character of the view is red (key word 1).
bool ShowsRed(const ui::RichEdit& view)
{
    for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().foreground().color() == QColor(255, 0, 0))
                return true;
    return false;
}

TEST_F(Commands, HomeAndBackShowTheirKeyWordsAlsoWhereTheRowStays)
{
    // 消法 １条 is the first hit and the first article: home leaves the row.
    LawSearch(Syohi, "課税"_sj);
    ASSERT_EQ(JyobunMainSource[Syohi]->DataSet()->FieldByName("Gyo").AsInteger(),
              (JyobunMainTable[Syohi]->First(), JyobunMainTable[Syohi]->FieldByName("Gyo").AsInteger()));
    main_->BBtnOpenAll->click();
    ASSERT_EQ(JyobunMainTable[Syohi]->RecNo(), 0);
    ASSERT_TRUE(ShowsRed(*main_->SyohiRichEdit));
    main_->BBtnHome->click();
    EXPECT_FALSE(ShowsRed(*main_->SyohiRichEdit));
    EXPECT_EQ(JyobunRtfCache[Syohi].find("\\cf1 "), std::string::npos);
    main_->BBtnBack->click(); // the same row with the search's key words
    EXPECT_EQ(JyobunMainTable[Syohi]->RecNo(), 0);
    EXPECT_TRUE(ShowsRed(*main_->SyohiRichEdit));

    // A book entry on the first row likewise.
    Activate(main_->SbooksTab);
    BooksMainTable[Sbooks]->First();
    ui::RichEdit& entry = *main_->SbooksRichEdit;
    BooksKeyWord1[Sbooks] = entry.Text().substr(0, 4);
    BooksHonbunShow(Sbooks);
    ASSERT_TRUE(ShowsRed(entry));
    main_->BBtnHome->click();
    EXPECT_FALSE(ShowsRed(entry));
}

TEST_F(Commands, HomeAfterTheTreeSplitterMovedFitsTheGridToItsSettledWidth)
{
    Activate(main_->SyohiTab);
    main_->resize(900, 600);
    QApplication::processEvents();
    // The user drags the splitter 150 pixels to the left.
    ui::Splitter* splitter = main_->SyohiSplitter2;
    const QPointF at(2, splitter->height() / 2);
    const auto mouse = [&](QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, pos, splitter->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(splitter, &e);
    };
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, at - QPointF(150, 0), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at - QPointF(150, 0), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    ASSERT_EQ(main_->SyohiTreeView->width(), 85);

    main_->BBtnHome->click();
    QTest::qWait(50);
    ui::DBGrid* grid = main_->SyohiDBGrid;
    EXPECT_EQ(main_->SyohiTreeView->width(), 235);
    EXPECT_EQ(grid->ColumnWidth(1), grid->width() - 62 - 35);
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
}

TEST_F(Commands, HomeOnABookTabResetsItAndItsTextPanel)
{
    BookSearch(Sbooks, "課税"_sj);
    BooksPanel3[Sbooks]->SetHeight(200);
    const int top = RirekiTop;

    main_->BBtnHome->click();

    EXPECT_EQ(Rireki[top].TabSheet, main_->SbooksTab);
    EXPECT_EQ(BooksEditKey1[Sbooks]->Text(), "");
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), BooksMainTable[Sbooks]);
    EXPECT_EQ(BooksKeyWord1[Sbooks], "");
    EXPECT_EQ(BooksPanel3[Sbooks]->Height(), 97);
}

TEST_F(Commands, OpenAllStoresTheResultThenShowsTheWholeTableAtTheSameArticle)
{
    const std::string word = "課税"_sj;
    LawSearch(Syohi, word);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    result->MoveTo(2);
    const std::int64_t g = result->FieldByName("Gyo").AsInteger();
    const int top = RirekiTop;

    main_->BBtnOpenAll->click();

    EXPECT_EQ(Rireki[top].DataSet, result);
    EXPECT_EQ(Rireki[top].RowKey, g);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(JyobunMainTable[Syohi]->FieldByName("Gyo").AsInteger(), g);
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);

    BookSearch(Sbooks, word);
    BooksMainSource[Sbooks]->DataSet()->MoveTo(1);
    const std::int64_t seq = BooksMainSource[Sbooks]->DataSet()->FieldByName("BookSeq").AsInteger();
    main_->BBtnOpenAll->click();
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet(), BooksMainTable[Sbooks]);
    EXPECT_EQ(BooksMainTable[Sbooks]->FieldByName("BookSeq").AsInteger(), seq);
}

TEST_F(Commands, SelectedTextSearchTakesTheSelectionOrAsksForOne)
{
    const std::string word = "課税"_sj;
    Activate(main_->SyohiTab);
    main_->SEditKey2->SetText("仕入"_sj);
    main_->SEditBangou->SetText("３０条"_sj);
    ASSERT_TRUE(SelectWord(*main_->SyohiRichEdit, word));
    main_->SentakuAction2->trigger();
    EXPECT_EQ(main_->SEditKey1->Text(), word);
    EXPECT_EQ(main_->SEditKey2->Text(), "");
    EXPECT_EQ(main_->SEditBangou->Text(), "");
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);
    EXPECT_NE(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);

    struct Missing {
        ui::TabSheet* sheet;
        ui::RichEdit* view;
        ui::Edit* key1;
        const char* message;
    };
    for (const Missing& m : {Missing{main_->SyohiTab, main_->SyohiRichEdit, main_->SEditKey1,
                                     "条文本文でキーワードを選択して下さい。"},
                             Missing{main_->SbooksTab, main_->SbooksRichEdit, main_->SbEditKey1,
                                     "目次ウインドウでキーワードを選択して下さい。"}}) {
        Activate(m.sheet);
        m.key1->SetText("消費"_sj);
        m.view->SetSelStart(0);
        const int sqlNo = JyobunSQLNo + BooksSQLNo;
        prompts_.Expect(platform::PromptKind::Message, sjis::fromUtf8(m.message));
        main_->SentakuAction2->trigger();
        EXPECT_EQ(m.key1->Text(), "消費"_sj) << "nothing changes";
        EXPECT_EQ(JyobunSQLNo + BooksSQLNo, sqlNo);
    }

    BookSearch(Sbooks, "相続"_sj);
    ASSERT_TRUE(SelectWord(*main_->SbooksRichEdit, word) || SelectWord(*main_->SbooksRichEdit, "相続"_sj));
    const std::string selected = main_->SbooksRichEdit->SelText();
    main_->SentakuAction2->trigger();
    EXPECT_EQ(BooksKeyWord1[Sbooks], selected);
    EXPECT_EQ(main_->SbEditPage->Text(), "");
}

TEST_F(Commands, PopupShortcutsWorkWhileTheirControlHasTheFocus)
{
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_));
    Activate(main_->SyohiTab);
    const std::string word = "課税"_sj;

    // Ctrl+K belongs to the article view's popup only: in the grid it does nothing.
    main_->SyohiDBGrid->setFocus();
    ASSERT_TRUE(SelectWord(*main_->SyohiRichEdit, word));
    QTest::keyClick(main_->SyohiDBGrid, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(JyobunSQLNo, -1);

    main_->SyohiRichEdit->setFocus();
    ASSERT_TRUE(SelectWord(*main_->SyohiRichEdit, word));
    QTest::keyClick(main_->SyohiRichEdit, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);
    EXPECT_NE(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);

    // The reference search of the grid's popup, on a book tab, says why it cannot run.
    Activate(main_->SbooksTab);
    main_->SbooksDBGrid->setFocus();
    prompts_.Expect(platform::PromptKind::Message, "条文を選択して下さい"_sj);
    const std::size_t shown = prompts_.Shown().size();
    QTest::keyClick(main_->SbooksDBGrid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts_.Shown().size(), shown + 1);
}

TEST_F(Commands, ColourButtonRecoloursTheShownArticleWithoutASearch)
{
    Activate(main_->SyohiTab);
    const std::string word = "課税"_sj;
    ASSERT_NE(main_->SyohiRichEdit->FindText(word, 0, -1), -1);
    JyobunMainTable[Syohi]->MoveTo(3);
    const std::int64_t g = JyobunMainTable[Syohi]->FieldByName("Gyo").AsInteger();

    struct Case {
        const char* key1;
        const char* key2;
        const char* word1;
        const char* word2;
    };
    const Case cases[] = {
        {"12-34", "", "１２－３４", ""},
        {"", "5ー6", "", "５－６"},
        {"課税", "a-b", "課税", "a－b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key1);
        main_->SEditKey1->SetText(sjis::fromUtf8(c.key1));
        main_->SEditKey2->SetText(sjis::fromUtf8(c.key2));
        main_->ColorSetButtonClick();
        EXPECT_EQ(main_->SEditKey1->Text(), sjis::fromUtf8(c.word1));
        EXPECT_EQ(main_->SEditKey2->Text(), sjis::fromUtf8(c.word2));
        EXPECT_EQ(JyobunKeyWord1[Syohi], sjis::fromUtf8(c.word1));
        EXPECT_EQ(JyobunKeyWord2[Syohi], sjis::fromUtf8(c.word2));
    }
    EXPECT_NE(JyobunRtfCache[Syohi].find("{\\cf1 " + word + "}"), std::string::npos);
    EXPECT_EQ(JyobunSQLNo, -1) << "nothing searched";
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(JyobunMainTable[Syohi]->FieldByName("Gyo").AsInteger(), g);

    // Both edits empty: the key words stay.
    main_->SEditKey1->SetText("");
    main_->SEditKey2->SetText("");
    main_->ColorSetButtonClick();
    EXPECT_EQ(JyobunKeyWord1[Syohi], word);

    // A book tab has nothing to recolour.
    Activate(main_->SbooksTab);
    main_->SbEditKey1->SetText("1-2");
    main_->ColorSetButtonClick();
    EXPECT_EQ(main_->SbEditKey1->Text(), "1-2");
}

TEST_F(Commands, PageChangeRefitsTheGrids)
{
    ui::DBGrid* grid = main_->GenDBGrid;
    Activate(main_->GenTab);
    main_->resize(900, 600);
    QApplication::processEvents();
    const int fitted = grid->ColumnWidth(1);
    Activate(main_->SyohiTab);
    grid->SetColumnWidth(1, 30);
    main_->MainPageControl->tabBar()->setCurrentIndex(main_->MainPageControl->indexOf(main_->GenTab)); // as a click does
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->GenTab);
    EXPECT_EQ(grid->ColumnWidth(1), fitted);
}

TEST_F(Commands, MovingOverTheListsEndsTheLinkCursor)
{
    for (QWidget* area : {main_->SyohiDBGrid->viewport(), static_cast<QWidget*>(main_->SyohiPanel4),
                          static_cast<QWidget*>(main_->GenPanel5), main_->GenTreeView->viewport()}) {
        ui::SetScreenCursor(ui::ScreenCursor::HandPoint);
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), area->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
        EXPECT_EQ(ui::CurrentScreenCursor(), ui::ScreenCursor::Default) << area->metaObject()->className();
    }
}

TEST_F(Commands, TheWheelScrollsTheArticle)
{
    Activate(main_->SyohiTab);
    main_->resize(700, 500);
    std::string text;
    for (int n = 0; n < 200; ++n)
        text += "第" + std::to_string(n) + "行\r\n";
    main_->SyohiRichEdit->LoadPlainText(sjis::fromUtf8(text));
    QApplication::processEvents();
    ASSERT_EQ(main_->SyohiRichEdit->FirstVisibleLine(), 0);
    QWidget* viewport = main_->SyohiRichEdit->viewport();
    QWheelEvent wheel(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_GT(main_->SyohiRichEdit->FirstVisibleLine(), 0);
}

TEST_F(MainWindowTest, TheColourButtonWorksOnlyInTheDeveloperBuild)
{
    CreateMain();
    EXPECT_TRUE(main_->ColorSetButton->isHidden());
    EXPECT_FALSE(main_->ColorSetButton->isEnabled());
    CloseReader();

    CreateMain(ApplicationTitleText(true));
    main_->show();
    QApplication::processEvents();
    EXPECT_EQ(main_->width(), 618) << "the extra button widens nothing";
    EXPECT_FALSE(main_->ColorSetButton->isHidden());
    EXPECT_TRUE(main_->ColorSetButton->isEnabled());
    EXPECT_TRUE(main_->HyperLinkAction->isEnabled());
    EXPECT_TRUE(main_->HyperLinkAction2->isEnabled());
}

} // namespace
