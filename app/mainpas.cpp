#include "app/mainpas.h"

#include "app/kidou.h"
#include "app/startup.h"
#include "app/tab_dispatch.h"
#include "app/window_state.h"
#include "authoring/hyper_launch.h"
#include "platform/app/application.h"
#include "platform/app/system.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/memo.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "reader/contents_tree.h"
#include "reader/panel_layout.h"
#include "reader/kensaku.h"
#include "reader/scope.h"
#include "reader/rireki.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace {

// A title carrying this word shows the colour button (the second developer marker).
const char* const ColorMarker = "Color";

} // namespace

TMain::~TMain()
{
    platform::SetHintHandler(nullptr);
}

void TMain::FormCreate()
{
    platform::SetHintHandler([this] { MainHintShow(); });
    if (platform::Sys().ColorTableSize(*this) >= 0)
        BBtnGlyphLoad();
    MainArraysSet();
    if (WindowStateMaximised())
        setWindowState(Qt::WindowMaximized);
    const std::string title = platform::ApplicationTitle();
    setWindowTitle(sjis::toQString(title));
    ColorSetButton->setEnabled(false);
    ColorSetButton->setVisible(false);
    // The developer items show; each is enabled where its command is wired.
    if (IsDeveloperTitle(title)) {
        HyperLinkAction->setVisible(true);
        HyperLinkAction2->setVisible(true);
        ToolAction->setVisible(true);
        ColorSetButton->setVisible(true);
    }
    if (sjis::contains(title, ColorMarker))
        ColorSetButton->setVisible(true);

    BBtnBack->setEnabled(true);
    BBtnNext->setEnabled(true);
    connect(BBtnBack, &QToolButton::clicked, this, &TMain::BBtnBackClick);
    connect(BBtnNext, &QToolButton::clicked, this, &TMain::BBtnNextClick);
    MainPageControl->OnChanging = [this] { MainPageControlChanging(); };

    BBtnKensaku->setEnabled(true);
    connect(BBtnKensaku, &QToolButton::clicked, this, &TMain::BBtnKensakuClick);
    BBtnMemo->setEnabled(true);
    MemoAction1->setEnabled(true);
    MemoAction2->setEnabled(true);
    connect(BBtnMemo, &QToolButton::clicked, this, &TMain::BBtnMemoClick);
    connect(MemoAction1, &QAction::triggered, this, &TMain::BBtnMemoClick);
    connect(MemoAction2, &QAction::triggered, this, &TMain::BBtnMemoClick);
    LinkAndJumpConnect();
    for (ui::ComboBox* combo : {HComboBox, SComboBox, GComboBox, TComboBox, ZComboBox, MComboBox})
        combo->OnChange = [this] { HComboBoxChange(); };
    for (ui::ComboBox* combo : {HbComboBox, SbComboBox, TbComboBox})
        combo->OnChange = [this] { HbComboBoxChange(); };
    CommandsConnect();
    SansyoConnect();
    BooksJumpConnect();
    OutputConnect();
    WebConnect();
    AuthoringConnect();
    ToolConnect();
}

void TMain::MainArraysSet()
{
    KaiseiNo = 110630;
    for (int i = 0; i < JyobunTabCount; ++i) {
        if (JyobunTabHidden[i] != 0)
            continue;
        TreeBusy[i] = 0;
        RirekiStored[i] = 0;
        JyobunRtfCache[i].clear();
    }
    MemoLinkMode = 0;
    LinkBusy = 0;
    MemoRtfStream.clear();
    HyperKubunNo = "10";
    HyperLinkOpen = 0;
    RirekiWrapped = 0;
    RirekiCur = 0;
    RirekiTop = 0;
    RirekiLast = 0;
    JyobunSQLNo = -1;
    BooksSQLNo = -1;
    IndexKanjiSet();

    JyobunTabSheet = {HoujinTab, SyohiTab, GenTab, TokuTab, ZokuTab, MinTab};
    BooksTabSheet = {HbooksTab, SbooksTab, TbooksTab};

    const JyobunArray<ui::Edit*> key1 = {HEditKey1, SEditKey1, GEditKey1, TEditKey1, ZEditKey1, MEditKey1};
    const JyobunArray<ui::Edit*> key2 = {HEditKey2, SEditKey2, GEditKey2, TEditKey2, ZEditKey2, MEditKey2};
    const JyobunArray<ui::Edit*> bangou = {HEditBangou, SEditBangou, GEditBangou,
                                           TEditBangou, ZEditBangou, MEditBangou};
    const JyobunArray<ui::ComboBox*> combo = {HComboBox, SComboBox, GComboBox,
                                              TComboBox, ZComboBox, MComboBox};
    const JyobunArray<ui::TreeView*> tree = {HoujinTreeView, SyohiTreeView, GenTreeView,
                                             TokuTreeView, ZokuTreeView, MinTreeView};
    const JyobunArray<ui::DBGrid*> grid = {HoujinDBGrid, SyohiDBGrid, GenDBGrid,
                                           TokuDBGrid, ZokuDBGrid, MinDBGrid};
    const JyobunArray<ui::RichEdit*> rich = {HoujinRichEdit, SyohiRichEdit, GenRichEdit,
                                             TokuRichEdit, ZokuRichEdit, MinRichEdit};
    const JyobunArray<ui::Panel*> panel2 = {HoujinPanel2, SyohiPanel2, GenPanel2,
                                            TokuPanel2, ZokuPanel2, MinPanel2};
    for (int i = 0; i < JyobunTabCount; ++i) {
        if (JyobunTabHidden[i] != 0)
            continue;
        JyobunEditKey1[i] = key1[i];
        JyobunEditKey2[i] = key2[i];
        JyobunEditBangou[i] = bangou[i];
        JyobunComboBox[i] = combo[i];
        JyobunTreeView[i] = tree[i];
        JyobunDBGrid[i] = grid[i];
        JyobunRichEdit[i] = rich[i];
        JyobunPanel2[i] = panel2[i];
    }

    const BooksArray<ui::Edit*> bKey1 = {HbEditKey1, SbEditKey1, TbEditKey1};
    const BooksArray<ui::Edit*> bKey2 = {HbEditKey2, SbEditKey2, TbEditKey2};
    const BooksArray<ui::Edit*> bPage = {HbEditPage, SbEditPage, TbEditPage};
    const BooksArray<ui::ComboBox*> bCombo = {HbComboBox, SbComboBox, TbComboBox};
    const BooksArray<ui::DBGrid*> bGrid = {HbooksDBGrid, SbooksDBGrid, TbooksDBGrid};
    const BooksArray<ui::RichEdit*> bRich = {HbooksRichEdit, SbooksRichEdit, TbooksRichEdit};
    const BooksArray<ui::Memo*> bMemo = {HbooksMemo, SbooksMemo, TbooksMemo};
    const BooksArray<ui::Panel*> bPanel3 = {HbooksPanel3, SbooksPanel3, TbooksPanel3};
    for (int b = 0; b < BooksTabCount; ++b) {
        if (BooksTabHidden[b] != 0)
            continue;
        BooksEditKey1[b] = bKey1[b];
        BooksEditKey2[b] = bKey2[b];
        BooksEditPage[b] = bPage[b];
        BooksComboBox[b] = bCombo[b];
        BooksDBGrid[b] = bGrid[b];
        BooksRichEdit[b] = bRich[b];
        BooksMemo[b] = bMemo[b];
        BooksPanel3[b] = bPanel3[b];
    }
    arraysSet_ = true;
}

void TMain::BBtnGlyphLoad()
{
    ui::ToolButton* const order[] = {BBtnBack, BBtnNext, BBtnHome, BBtnPrint,
                                           BBtnWord, BBtnOpenAll, BBtnClear, BBtnJump,
                                           BBtnKensaku, BBtnKanrenJyoubun, BBtnMemo, BBtnNet};
    int n = 1;
    for (ui::ToolButton* button : order)
        // A file that cannot be read leaves the form's own glyph.
        button->LoadGlyph("D" + std::to_string(n++) + ".dl_");
}

void TMain::FormShow()
{
    for (int i = 0; i < JyobunTabCount; ++i)
        JyobunTabSheet[i]->SetTabVisible(JyobunTabHidden[i] == 0);
    for (int b = 0; b < BooksTabCount; ++b)
        BooksTabSheet[b]->SetTabVisible(BooksTabHidden[b] == 0);
    for (int i = 0; i < JyobunTabCount; ++i) {
        if (JyobunTabHidden[i] == 0 && JyobunTabSheet[i]->TabVisible()) {
            MainPageControl->SetActivePage(JyobunTabSheet[i]);
            JyobunEditKey1[i]->setFocus();
            break;
        }
    }
    // One tab's faulty tree file is reported and leaves the others loading.
    for (int i = 0; i < JyobunTabCount; ++i)
        if (JyobunTabHidden[i] == 0)
            platform::RunGuarded([i] { MokujiTreeLoad(i); });
    KidouEnd();
}

void TMain::FormResize()
{
    if (!arraysSet_)
        return;
    AllGridWidthSet();
    for (int i = 0; i < JyobunTabCount; ++i)
        if (JyobunTabHidden[i] == 0)
            JyobunPanelHeightSet(i);
    for (int b = 0; b < BooksTabCount; ++b)
        if (BooksTabHidden[b] == 0)
            BooksPanelHeightSet(b);
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo >= 0) {
        JyobunRichEdit[TabNo]->repaint();
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo >= 0)
        BooksRichEdit[TabNo]->repaint();
}

void TMain::FormClose()
{
    WindowStateSave(isMaximized() && !isMinimized());
}

void TMain::CloseActionClick()
{
    close();
}

void TMain::MainHintShow()
{
    StatusBar1->Panels(0).SetText(platform::ApplicationHint());
}

// The user picks another page: the place being left goes into the history.
void TMain::MainPageControlChanging()
{
    RirekiSave();
}

void TMain::MainPageControlChange()
{
    AllGridWidthSet();
}

void TMain::BBtnBackClick()
{
    RirekiBack();
}

void TMain::BBtnNextClick()
{
    RirekiNext();
}

// One handler for the scope combos of all tabs: the active page tells the tab.
void TMain::HComboBoxChange()
{
    TabNo = -1;
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        JyobunHanniFilter(TabNo);
}

void TMain::HbComboBoxChange()
{
    TabNo = -1;
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksHanniFilter(TabNo);
}

// A selection in the article view is searched instead of the key edits.
void TMain::BBtnKensakuClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        if (JyobunRichEdit[TabNo]->SelLength() > 0) {
            JyobunEditBangou[TabNo]->SetText("");
            JyobunEditKey1[TabNo]->SetText(JyobunRichEdit[TabNo]->SelText());
            JyobunEditKey2[TabNo]->SetText("");
        }
        JyobunKensaku(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        if (BooksRichEdit[TabNo]->SelLength() > 0) {
            BooksEditPage[TabNo]->SetText("");
            BooksEditKey1[TabNo]->SetText(BooksRichEdit[TabNo]->SelText());
            BooksEditKey2[TabNo]->SetText("");
        }
        BooksKensaku(TabNo);
    }
}

void TMain::HoujinSplitter2Moved()
{
    AllGridWidthSet();
}

void TMain::HoujinTreeViewClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo != -1 && TreeBusy[TabNo] == 0)
        MokujiTreeJump(TabNo);
}

void TMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMain::closeEvent(QCloseEvent* event)
{
    // What the link editor holds is posted first; when it cannot be, both stay open.
    if (!HyperLinkFormClose()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit Closed();
}
