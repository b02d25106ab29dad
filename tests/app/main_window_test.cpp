#include "app_fixture.h"

#include "app/tab_dispatch.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/hint.h"
#include "platform/ui/memo.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "reader/scope_tables.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFontInfo>
#include <QTextDocument>
#include <QImage>
#include <QLabel>
#include <QMenu>

TEST_F(MainWindowTest, TabDispatchFollowsThisBuildsFlags)
{
    CreateMain();
    EXPECT_EQ(JyobunTabIndex(main_->SyohiTab), 1);
    EXPECT_EQ(JyobunTabIndex(main_->GenTab), 2);
    EXPECT_EQ(JyobunTabIndex(main_->HoujinTab), -1) << "absent";
    EXPECT_EQ(BooksTabIndex(main_->SbooksTab), 1);
    EXPECT_EQ(BooksTabIndex(main_->HbooksTab), -1);
    EXPECT_EQ(JyobunTabIndex(main_->SbooksTab), -1);
    EXPECT_EQ(BooksTabIndex(main_->SyohiTab), -1);
    EXPECT_EQ(JyobunTabIndex(nullptr), -1);
}

TEST_F(MainWindowTest, ControlArraysHoldThePresentTabsAndEverySheet)
{
    // Left over from an earlier run: the start sets them afresh.
    KaiseiNo = 0;
    JyobunSQLNo = 3;
    IndexKanji.fill("");
    CreateMain();
    EXPECT_EQ(JyobunTabSheet, (JyobunArray<ui::TabSheet*>{main_->HoujinTab, main_->SyohiTab, main_->GenTab,
                                                          main_->TokuTab, main_->ZokuTab, main_->MinTab}));
    EXPECT_EQ(BooksTabSheet, (BooksArray<ui::TabSheet*>{main_->HbooksTab, main_->SbooksTab, main_->TbooksTab}));
    EXPECT_EQ(JyobunEditKey1, (JyobunArray<ui::Edit*>{nullptr, main_->SEditKey1, main_->GEditKey1,
                                                      nullptr, nullptr, nullptr}));
    EXPECT_EQ(JyobunComboBox[2], main_->GComboBox);
    EXPECT_EQ(JyobunTreeView[1], main_->SyohiTreeView);
    EXPECT_EQ(JyobunDBGrid[2], main_->GenDBGrid);
    EXPECT_EQ(JyobunRichEdit[1], main_->SyohiRichEdit);
    EXPECT_EQ(JyobunPanel2[2], main_->GenPanel2);
    EXPECT_EQ(JyobunEditBangou[0], nullptr);
    EXPECT_EQ(BooksEditPage, (BooksArray<ui::Edit*>{nullptr, main_->SbEditPage, nullptr}));
    EXPECT_EQ(BooksMemo[1], main_->SbooksMemo);
    EXPECT_EQ(BooksPanel3[1], main_->SbooksPanel3);
    EXPECT_EQ(BooksRichEdit[2], nullptr);
    EXPECT_EQ(KaiseiNo, 110630);
    EXPECT_EQ(JyobunSQLNo, -1);
    EXPECT_EQ(IndexKanji[3], "役"_sj);
    EXPECT_EQ(IndexKanji[50], "金"_sj);
}

TEST_F(MainWindowTest, ShowingPresentsThreePagesWithTheCaretInSyohi)
{
    CreateMain();
    const char* const order[] = {"法人税", "法人目次", "消費税", "消費目次", "会社法民法",
                                 "所得税", "相続税", "資産目次", "国通徴印紙"};
    ASSERT_EQ(main_->MainPageControl->PageCount(), 9);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(main_->MainPageControl->Pages(k)->Caption(), sjis::fromUtf8(order[k]));

    main_->show();
    std::vector<std::string> visible;
    for (int k = 0; k < 9; ++k)
        if (main_->MainPageControl->Pages(k)->TabVisible())
            visible.push_back(main_->MainPageControl->Pages(k)->Caption());
    EXPECT_EQ(visible, (std::vector<std::string>{"消費税"_sj, "消費目次"_sj, "会社法民法"_sj}));
    // A screen reader is told of these three tabs and no others.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(main_->MainPageControl->tabBar());
    ASSERT_TRUE(bar);
    QStringList told;
    for (int c = 0; c < bar->childCount(); ++c)
        if (bar->child(c)->role() == QAccessible::PageTab && !bar->child(c)->state().invisible)
            told << bar->child(c)->text(QAccessible::Name);
    EXPECT_EQ(told, (QStringList{QStringLiteral("消費税"), QStringLiteral("消費目次"), QStringLiteral("会社法民法")}));
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SyohiTab);
    // The vertical captions 一覧 and 詳細 span their 14-wide strips, frame
    // included, so that no column of a character is lost to the frame.
    for (ui::Panel* strip : {main_->SyohiPanel4, main_->SyohiPanel5}) {
        EXPECT_EQ(strip->width(), 14);
        const auto labels = strip->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 2);
        for (const QLabel* label : labels) {
            EXPECT_EQ(label->geometry().left(), 0) << label->text().toStdString();
            EXPECT_EQ(label->width(), 14);
            EXPECT_LE(label->fontMetrics().boundingRect(label->text()).width(), 12);
            EXPECT_GT(label->y(), strip->frameWidth());
        }
    }
    EXPECT_EQ(main_->focusWidget(), main_->SEditKey1);
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("Ronvetta"));
    EXPECT_EQ(main_->StatusBar1->Panels(1).Text().rfind("起動時間： "_sj, 0), 0u);
}

TEST_F(MainWindowTest, PagesCarryTheirLabelsHintsAndScopes)
{
    CreateMain();
    EXPECT_EQ(main_->SEditKey1->width(), 170);
    EXPECT_FALSE(main_->SEditBangou->TabStop());
    EXPECT_TRUE(main_->SEditKey2->TabStop());
    EXPECT_EQ(ui::Hint(*main_->SEditBangou), "入力例　「３５条」　（「第」は付けないで下さい）"_sj);
    EXPECT_EQ(ui::Hint(*main_->SyohiRichEdit), "範囲選択後、マウスを右クリックするとコピーできます"_sj);
    EXPECT_EQ(ui::Hint(*main_->SbooksDBGrid), "ダブルクリックで該当の通達・裁決へジャンプ"_sj);
    EXPECT_TRUE(main_->SyohiRichEdit->isReadOnly());
    // Articles and entries show in the memo window's face and size: the
    // Mincho that stands in for "ＭＳ 明朝", 16 pixels, not the window's Gothic.
    for (const ui::RichEdit* view : {main_->SyohiRichEdit, main_->SbooksRichEdit}) {
        const QFontInfo shown(view->document()->defaultFont());
        EXPECT_EQ(shown.family(), QStringLiteral("IPAMincho"));
        EXPECT_EQ(shown.pixelSize(), 16);
    }
    EXPECT_TRUE(main_->SbooksMemo->isHidden());
    EXPECT_EQ(main_->SyohiTreeView->width(), 235);
    EXPECT_EQ(main_->SyohiPanel1->Height(), 48);
    EXPECT_EQ(main_->ButtonPanel->Height(), 50);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Width(), 400);
    EXPECT_TRUE(main_->StatusBar1->font().bold());

    const ui::ComboBox* const law[] = {main_->HComboBox, main_->SComboBox, main_->GComboBox,
                                       main_->TComboBox, main_->ZComboBox, main_->MComboBox};
    const int lawCounts[] = {20, 18, 23, 15, 16, 22};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(law[i]->DropDownCount(), lawCounts[i]);
        EXPECT_EQ(law[i]->Text(), "全範囲"_sj);
        EXPECT_EQ(law[i]->ItemIndex(), -1);
        EXPECT_EQ(ui::Hint(*law[i]), "検索や表示の範囲の設定"_sj);
        ASSERT_EQ(law[i]->Items().size(), LawScopeTable(i).size());
        EXPECT_EQ(law[i]->Items().front(), "全範囲"_sj);
    }
    const ui::ComboBox* const books[] = {main_->HbComboBox, main_->SbComboBox, main_->TbComboBox};
    const int bookCounts[] = {16, 10, 18};
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(books[b]->DropDownCount(), bookCounts[b]);
        EXPECT_EQ(books[b]->Text(), "全範囲"_sj);
        EXPECT_EQ(ui::Hint(*books[b]), "検索や表示の範囲の設定"_sj);
        EXPECT_EQ(books[b]->Items().size(), BookScopeTable(b).size());
    }
}

TEST_F(MainWindowTest, ButtonPanelInOrderWithCaptionsAndHints)
{
    CreateMain();
    const std::pair<ui::ToolButton*, std::pair<const char*, const char*>> buttons[] = {
        {main_->BBtnBack, {"戻る", "直前データの表示"}},
        {main_->BBtnNext, {"進む", "直後データの表示"}},
        {main_->BBtnHome, {"ホーム", "すべてクリア"}},
        {main_->BBtnPrint, {"印刷", "印刷の実行"}},
        {main_->BBtnWord, {"Wordへ", "Wordへ条文を貼付"}},
        {main_->BBtnOpenAll, {"全て開く", "全ての項目を表示"}},
        {main_->BBtnClear, {"クリア", "検索条件の消去"}},
        {main_->BBtnJump, {"ジャンプ", "条文やﾍﾟｰｼﾞ番号で移動"}},
        {main_->BBtnKensaku, {"検索", "検索実行（選択文字があるときは、選択文字検索）"}},
        {main_->BBtnKanrenJyoubun, {"参照条文", "この条文を参照している条文の検索"}},
        {main_->BBtnMemo, {"メ　モ", "最大画面のメモウインドウへ条文の貼付"}},
        {main_->BBtnNet, {"Web", "ホームページの表示"}},
    };
    main_->show();
    int left = -1;
    for (const auto& [button, text] : buttons) {
        EXPECT_EQ(button->Caption(), sjis::fromUtf8(text.first));
        EXPECT_EQ(ui::Hint(*button), sjis::fromUtf8(text.second));
        EXPECT_GT(button->x(), left) << text.first;
        left = button->x();
    }
    EXPECT_TRUE(main_->ColorSetButton->isHidden());
    EXPECT_FALSE(main_->ColorSetButton->isEnabled());
    EXPECT_FALSE(main_->HyperLinkAction->isVisible());
    EXPECT_FALSE(main_->HyperLinkAction2->isVisible());
    EXPECT_FALSE(main_->ToolAction->isVisible());
    EXPECT_FALSE(main_->HomePage1->menuAction()->isVisible());
    EXPECT_TRUE(main_->CloseAction->isEnabled());
}

TEST_F(MainWindowTest, TheDeveloperTitleShowsTheDeveloperItems)
{
    CreateMain(ApplicationTitleText(true));
    EXPECT_TRUE(main_->HyperLinkAction->isVisible());
    EXPECT_TRUE(main_->HyperLinkAction2->isVisible());
    EXPECT_TRUE(main_->ToolAction->isVisible());
    EXPECT_FALSE(main_->ColorSetButton->isHidden());
}

TEST_F(MainWindowTest, TheHintUnderTheMouseGoesToStatusPanelZero)
{
    CreateMain();
    main_->show();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(main_->SComboBox, &enter);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "検索や表示の範囲の設定"_sj);
    QApplication::sendEvent(main_->BBtnKensaku, &enter);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "検索実行（選択文字があるときは、選択文字検索）"_sj);
}

TEST_F(MainWindowTest, ResizingReturnsThePanelsToTheirHeights)
{
    CreateMain();
    main_->show();
    main_->SyohiPanel2->SetHeight(100);
    main_->GenPanel2->SetHeight(60);
    main_->SbooksPanel3->SetHeight(150);
    main_->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(main_->SyohiPanel2->Height(), 172);
    EXPECT_EQ(main_->GenPanel2->Height(), 172);
    EXPECT_EQ(main_->SbooksPanel3->Height(), 97);
    EXPECT_EQ(main_->SyohiPanel2->height(), 172) << "laid out";
    // The grid's last column fills the grid.
    ui::DBGrid* grid = main_->SyohiDBGrid;
    EXPECT_EQ(grid->ColumnWidth(1), grid->width() - 62 - 35);
}

TEST_F(MainWindowTest, WindowStateFileDecidesTheFirstState)
{
    const std::pair<const char*, bool> cases[] = {
        {"1\r\n", true}, {"1", true}, {"1\r\n0\r\n", true}, {"0\r\n", false},
        {"2\r\n", false}, {" 1\r\n", false}, {"1 \r\n", false}, {"", false}, {nullptr, false},
    };
    for (const auto& [content, maximised] : cases) {
        QFile::remove(QStringLiteral("C3.dl_"));
        if (content)
            WriteFile(QStringLiteral("C3.dl_"), content);
        NamepasReset();
        CreateMain();
        EXPECT_EQ(main_->windowState().testFlag(Qt::WindowMaximized), maximised)
            << (content ? content : "absent");
        CloseReader();
    }
}

TEST_F(MainWindowTest, ClosingWritesTheWindowState)
{
    CreateMain();
    main_->show();
    int closed = 0;
    QObject::connect(main_, &TMain::Closed, [&] { ++closed; });
    main_->close();
    EXPECT_EQ(ReadFile(QStringLiteral("C3.dl_")), QByteArray("0\r\n"));
    EXPECT_EQ(closed, 1);

    main_->setWindowState(Qt::WindowMaximized);
    main_->show();
    main_->close();
    EXPECT_EQ(ReadFile(QStringLiteral("C3.dl_")), QByteArray("1\r\n"));
}

TEST_F(MainWindowTest, AStateFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses)
{
    QDir().mkdir(QStringLiteral("C3.dl_"));
    CreateMain();
    main_->show();
    prompts_.Expect(platform::PromptKind::Error, "Cannot create file C3.dl_");
    EXPECT_TRUE(main_->close());
    EXPECT_FALSE(main_->isVisible());
}

namespace {

QRgb GlyphCentre(const ui::ToolButton* button)
{
    return button->icon().pixmap(16, 16).toImage().pixel(8, 8);
}

} // namespace

TEST_F(MainWindowTest, ToolButtonBitmapsAreLoadedOnlyOnAPaletteDisplay)
{
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    red.setPixel(0, 15, qRgb(0, 255, 0)); // the transparent colour
    for (int n = 1; n <= 12; ++n) {
        if (n != 5) { // "D5.dl_" is missing
            ASSERT_TRUE(red.save(QStringLiteral("D%1.dl_").arg(n), "BMP"));
        }
    }

    system_.colorTableSize = -1;
    CreateMain();
    EXPECT_NE(GlyphCentre(main_->BBtnBack), qRgb(255, 0, 0));
    EXPECT_NE(GlyphCentre(main_->BBtnNet), qRgb(255, 0, 0));
    CloseReader();

    NamepasReset();
    system_.colorTableSize = 256;
    CreateMain();
    const ui::ToolButton* const loaded[] = {main_->BBtnBack, main_->BBtnNext, main_->BBtnHome,
                                            main_->BBtnPrint, main_->BBtnOpenAll, main_->BBtnClear,
                                            main_->BBtnJump, main_->BBtnKensaku, main_->BBtnKanrenJyoubun,
                                            main_->BBtnMemo, main_->BBtnNet};
    for (const ui::ToolButton* button : loaded)
        EXPECT_EQ(GlyphCentre(button), qRgb(255, 0, 0)) << button->Caption();
    EXPECT_NE(GlyphCentre(main_->BBtnWord), qRgb(255, 0, 0)) << "keeps its own glyph";
    EXPECT_FALSE(main_->BBtnWord->icon().isNull());
}
