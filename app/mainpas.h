// The main window: the button panel, one page per law collection and per
// book family, the status bar, the menus and popups. Its handlers call the
// reader's logic; the logic reaches the pages' controls through the per-tab
// arrays that MainArraysSet fills.
#pragma once

#include "data/namepas.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QMenuBar;

namespace ui {
class DBGrid;
class PageControl;
class Panel;
class Splitter;
class StatusBar;
class ToolButton;
} // namespace ui

class TMain : public QMainWindow {
    Q_OBJECT
public:
    TMain();
    ~TMain() override;

    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void MainArraysSet();
    void BBtnGlyphLoad();
    void MainHintShow();
    void MainPageControlChanging();
    void MainPageControlChange();
    void BBtnBackClick();
    void BBtnNextClick();
    void HoujinSplitter2Moved();
    void HoujinTreeViewClick();
    void CloseActionClick();
    void HComboBoxChange();
    void HbComboBoxChange();
    void BBtnKensakuClick();
    void BBtnMemoClick();
    // Links in the law article views, the jump button, the number edits.
    void LinkAndJumpConnect();
    void HoujinRichEditMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                 bool doubleClick, const QPoint& pos);
    void HoujinRichEditMouseMove(const QPoint& pos);
    void BBtnJumpClick();
    void HEditBangouKeyPress(char& key);
    // The window's own commands (mainpas_commands.cpp).
    void CommandsConnect();
    void BBtnHomeClick();
    void BBtnOpenAllClick();
    void BBtnClearClick();
    void SentakuAction2Click();
    void ColorSetButtonClick();
    void HComboBoxKeyPress(char& key);
    void HoujinDBGridKeyPress(ui::DBGrid& sender, char& key);
    void HoujinDBGridMouseMove();
    bool FormMouseWheel();
    // The reference search (mainpas_sansyo.cpp).
    void SansyoConnect();
    void BBtnKanrenJyoubunClick();
    // Page edits and book grids (mainpas_books.cpp).
    void BooksJumpConnect();
    void HbEditPageKeyPress(char& key);
    void HbooksDBGridDblClick();
    // Printing, clipboard and Word (mainpas_output.cpp).
    void OutputConnect();
    void BBtnPrintClick();
    void CopyActionClick();
    void AllSelectActionClick();
    void DBGridCopyActionClick();
    void BBtnWordClick();
    // Web pages, help page and About (mainpas_web.cpp).
    void WebConnect();
    void BBtnNetMouseDown(Qt::MouseButton button, QPoint pos);
    void RonvettaHomePageClick();
    void HoureiDataBaseClick();
    void KokuzeiTutatuClick();
    void TaxAnswerClick();
    void KokuzeiRosenClick();
    void HuhukuSaiketuClick();
    void KokuzeiSitugiClick();
    void KokuzeiHpClick();
    void OrvelKawaseClick();
    void HTML1Click();
    void About1Click();
    // The link editor of developer builds (mainpas_authoring.cpp).
    void AuthoringConnect();
    void HyperLinkAction2Click();
    // The tool form of developer builds (mainpas_tool.cpp).
    void ToolConnect();
    void ToolActionClick();

    // Button panel, left to right.
    ui::Panel* ButtonPanel = nullptr;
    ui::ToolButton* BBtnBack = nullptr;
    ui::ToolButton* BBtnNext = nullptr;
    ui::ToolButton* BBtnHome = nullptr;
    ui::ToolButton* BBtnPrint = nullptr;
    ui::ToolButton* BBtnWord = nullptr;
    ui::ToolButton* BBtnOpenAll = nullptr;
    ui::ToolButton* BBtnClear = nullptr;
    ui::ToolButton* BBtnJump = nullptr;
    ui::ToolButton* BBtnKensaku = nullptr;
    ui::ToolButton* BBtnKanrenJyoubun = nullptr;
    ui::ToolButton* BBtnMemo = nullptr;
    ui::ToolButton* BBtnNet = nullptr;
    ui::ToolButton* ColorSetButton = nullptr;

    ui::PageControl* MainPageControl = nullptr;
    ui::StatusBar* StatusBar1 = nullptr;

    // Main menu.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* PrintAction = nullptr;
    QAction* CloseAction = nullptr;
    QMenu* HomePage1 = nullptr;
    QAction* MenuRonvettaHomePage = nullptr;
    QAction* MenuHoureiDataBase = nullptr;
    QAction* MenuKokuzeiTutatu = nullptr;
    QAction* MenuTaxAnswer = nullptr;
    QAction* MenuKokuzeiRosen = nullptr;
    QAction* MenuHuhukuSaiketu = nullptr;
    QMenu* Help1 = nullptr;
    QAction* HTML1 = nullptr;
    QAction* About1 = nullptr;

    // Popup of the rich edits.
    QMenu* EditPopMenu1 = nullptr;
    QAction* SentakuAction2 = nullptr;
    QAction* CopyAction = nullptr;
    QAction* AllSelectAction = nullptr;
    QAction* PrintAciton2 = nullptr;
    QAction* WordAction2 = nullptr;
    QAction* SansyoAction2 = nullptr;
    QAction* MemoAction2 = nullptr;
    QAction* HyperLinkAction2 = nullptr;

    // Popup of the result grids.
    QMenu* DBGridPopupMenu1 = nullptr;
    QAction* DBGridCopyAction = nullptr;
    QAction* PrintAction1 = nullptr;
    QAction* WordAction1 = nullptr;
    QAction* SansyoAction = nullptr;
    QAction* MemoAction1 = nullptr;
    QAction* HyperLinkAction = nullptr;
    QAction* ToolAction = nullptr;

    // Popup of the web button.
    QMenu* NetPopupMenu1 = nullptr;
    QAction* HTML2 = nullptr;
    QAction* RonvettaHomePage = nullptr;
    QAction* HoureiDataBase = nullptr;
    QAction* KokuzeiTutatu = nullptr;
    QAction* KokuzeiSitugi = nullptr;
    QAction* TaxAnswer = nullptr;
    QAction* KokuzeiHp = nullptr;
    QAction* KokuzeiRosen = nullptr;
    QAction* HuhukuSaiketu = nullptr;
    QAction* OrvelKawase = nullptr;

    // Houjin page
    ui::TabSheet* HoujinTab = nullptr;
    ui::Panel* HoujinPanel1 = nullptr;
    ui::Edit* HEditKey1 = nullptr;
    ui::Edit* HEditKey2 = nullptr;
    ui::Edit* HEditBangou = nullptr;
    ui::ComboBox* HComboBox = nullptr;
    ui::Panel* HoujinPanel2 = nullptr;
    ui::Panel* HoujinPanel4 = nullptr;
    ui::TreeView* HoujinTreeView = nullptr;
    ui::Splitter* HoujinSplitter2 = nullptr;
    ui::DBGrid* HoujinDBGrid = nullptr;
    ui::Splitter* HoujinSplitter1 = nullptr;
    ui::Panel* HoujinPanel3 = nullptr;
    ui::Panel* HoujinPanel5 = nullptr;
    ui::RichEdit* HoujinRichEdit = nullptr;
    // Syohi page
    ui::TabSheet* SyohiTab = nullptr;
    ui::Panel* SyohiPanel1 = nullptr;
    ui::Edit* SEditKey1 = nullptr;
    ui::Edit* SEditKey2 = nullptr;
    ui::Edit* SEditBangou = nullptr;
    ui::ComboBox* SComboBox = nullptr;
    ui::Panel* SyohiPanel2 = nullptr;
    ui::Panel* SyohiPanel4 = nullptr;
    ui::TreeView* SyohiTreeView = nullptr;
    ui::Splitter* SyohiSplitter2 = nullptr;
    ui::DBGrid* SyohiDBGrid = nullptr;
    ui::Splitter* SyohiSplitter1 = nullptr;
    ui::Panel* SyohiPanel3 = nullptr;
    ui::Panel* SyohiPanel5 = nullptr;
    ui::RichEdit* SyohiRichEdit = nullptr;
    // Gen page
    ui::TabSheet* GenTab = nullptr;
    ui::Panel* GenPanel1 = nullptr;
    ui::Edit* GEditKey1 = nullptr;
    ui::Edit* GEditKey2 = nullptr;
    ui::Edit* GEditBangou = nullptr;
    ui::ComboBox* GComboBox = nullptr;
    ui::Panel* GenPanel2 = nullptr;
    ui::Panel* GenPanel4 = nullptr;
    ui::TreeView* GenTreeView = nullptr;
    ui::Splitter* GenSplitter2 = nullptr;
    ui::DBGrid* GenDBGrid = nullptr;
    ui::Splitter* GenSplitter1 = nullptr;
    ui::Panel* GenPanel3 = nullptr;
    ui::Panel* GenPanel5 = nullptr;
    ui::RichEdit* GenRichEdit = nullptr;
    // Toku page
    ui::TabSheet* TokuTab = nullptr;
    ui::Panel* TokuPanel1 = nullptr;
    ui::Edit* TEditKey1 = nullptr;
    ui::Edit* TEditKey2 = nullptr;
    ui::Edit* TEditBangou = nullptr;
    ui::ComboBox* TComboBox = nullptr;
    ui::Panel* TokuPanel2 = nullptr;
    ui::Panel* TokuPanel4 = nullptr;
    ui::TreeView* TokuTreeView = nullptr;
    ui::Splitter* TokuSplitter2 = nullptr;
    ui::DBGrid* TokuDBGrid = nullptr;
    ui::Splitter* TokuSplitter1 = nullptr;
    ui::Panel* TokuPanel3 = nullptr;
    ui::Panel* TokuPanel5 = nullptr;
    ui::RichEdit* TokuRichEdit = nullptr;
    // Zoku page
    ui::TabSheet* ZokuTab = nullptr;
    ui::Panel* ZokuPanel1 = nullptr;
    ui::Edit* ZEditKey1 = nullptr;
    ui::Edit* ZEditKey2 = nullptr;
    ui::Edit* ZEditBangou = nullptr;
    ui::ComboBox* ZComboBox = nullptr;
    ui::Panel* ZokuPanel2 = nullptr;
    ui::Panel* ZokuPanel4 = nullptr;
    ui::TreeView* ZokuTreeView = nullptr;
    ui::Splitter* ZokuSplitter2 = nullptr;
    ui::DBGrid* ZokuDBGrid = nullptr;
    ui::Splitter* ZokuSplitter1 = nullptr;
    ui::Panel* ZokuPanel3 = nullptr;
    ui::Panel* ZokuPanel5 = nullptr;
    ui::RichEdit* ZokuRichEdit = nullptr;
    // Min page
    ui::TabSheet* MinTab = nullptr;
    ui::Panel* MinPanel1 = nullptr;
    ui::Edit* MEditKey1 = nullptr;
    ui::Edit* MEditKey2 = nullptr;
    ui::Edit* MEditBangou = nullptr;
    ui::ComboBox* MComboBox = nullptr;
    ui::Panel* MinPanel2 = nullptr;
    ui::Panel* MinPanel4 = nullptr;
    ui::TreeView* MinTreeView = nullptr;
    ui::Splitter* MinSplitter2 = nullptr;
    ui::DBGrid* MinDBGrid = nullptr;
    ui::Splitter* MinSplitter1 = nullptr;
    ui::Panel* MinPanel3 = nullptr;
    ui::Panel* MinPanel5 = nullptr;
    ui::RichEdit* MinRichEdit = nullptr;
    // Hbooks page
    ui::TabSheet* HbooksTab = nullptr;
    ui::Panel* HbooksPanel1 = nullptr;
    ui::Edit* HbEditKey1 = nullptr;
    ui::Edit* HbEditKey2 = nullptr;
    ui::Edit* HbEditPage = nullptr;
    ui::ComboBox* HbComboBox = nullptr;
    ui::Panel* HbooksPanel2 = nullptr;
    ui::Panel* HbooksPanel4 = nullptr;
    ui::DBGrid* HbooksDBGrid = nullptr;
    ui::Splitter* HbooksSplitter1 = nullptr;
    ui::Panel* HbooksPanel3 = nullptr;
    ui::Panel* HbooksPanel5 = nullptr;
    ui::RichEdit* HbooksRichEdit = nullptr;
    ui::Memo* HbooksMemo = nullptr;
    // Sbooks page
    ui::TabSheet* SbooksTab = nullptr;
    ui::Panel* SbooksPanel1 = nullptr;
    ui::Edit* SbEditKey1 = nullptr;
    ui::Edit* SbEditKey2 = nullptr;
    ui::Edit* SbEditPage = nullptr;
    ui::ComboBox* SbComboBox = nullptr;
    ui::Panel* SbooksPanel2 = nullptr;
    ui::Panel* SbooksPanel4 = nullptr;
    ui::DBGrid* SbooksDBGrid = nullptr;
    ui::Splitter* SbooksSplitter1 = nullptr;
    ui::Panel* SbooksPanel3 = nullptr;
    ui::Panel* SbooksPanel5 = nullptr;
    ui::RichEdit* SbooksRichEdit = nullptr;
    ui::Memo* SbooksMemo = nullptr;
    // Tbooks page
    ui::TabSheet* TbooksTab = nullptr;
    ui::Panel* TbooksPanel1 = nullptr;
    ui::Edit* TbEditKey1 = nullptr;
    ui::Edit* TbEditKey2 = nullptr;
    ui::Edit* TbEditPage = nullptr;
    ui::ComboBox* TbComboBox = nullptr;
    ui::Panel* TbooksPanel2 = nullptr;
    ui::Panel* TbooksPanel4 = nullptr;
    ui::DBGrid* TbooksDBGrid = nullptr;
    ui::Splitter* TbooksSplitter1 = nullptr;
    ui::Panel* TbooksPanel3 = nullptr;
    ui::Panel* TbooksPanel5 = nullptr;
    ui::RichEdit* TbooksRichEdit = nullptr;
    ui::Memo* TbooksMemo = nullptr;

signals:
    // The window was closed; the application ends.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A page's controls are made into the members named by `page`.
    struct LawPage;
    struct BookPage;
    void MakeLawPage(TJyobunTab tab, const LawPage& page);
    void MakeBookPage(TBooksTab tab, const BookPage& page);
    void MakeButtonPanel();
    void MakeMenus();
    void AttachPopup(QWidget* control, QMenu* popup);

    bool arraysSet_ = false;
};
