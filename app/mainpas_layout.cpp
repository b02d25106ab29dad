#include "app/mainpas.h"

#include "platform/richedit/rich_edit.h"
#include "reader/scope_tables.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/richedit/windows_fonts.h"
#include "platform/ui/hint.h"
#include "platform/ui/label.h"
#include "platform/ui/memo.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/splitter.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QResizeEvent>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

#include <string>
#include <vector>

// References to the members that keep a page's controls.
struct TMain::LawPage {
    ui::TabSheet*& sheet;
    ui::Panel*& panel1;
    ui::Edit*& editKey1;
    ui::Edit*& editKey2;
    ui::Edit*& editBangou;
    ui::ComboBox*& comboBox;
    ui::Panel*& panel2;
    ui::Panel*& panel4;
    ui::TreeView*& treeView;
    ui::Splitter*& splitter2;
    ui::DBGrid*& grid;
    ui::Splitter*& splitter1;
    ui::Panel*& panel3;
    ui::Panel*& panel5;
    ui::RichEdit*& richEdit;
};

struct TMain::BookPage {
    ui::TabSheet*& sheet;
    ui::Panel*& panel1;
    ui::Edit*& editKey1;
    ui::Edit*& editKey2;
    ui::Edit*& editPage;
    ui::ComboBox*& comboBox;
    ui::Panel*& panel2;
    ui::Panel*& panel4;
    ui::DBGrid*& grid;
    ui::Splitter*& splitter1;
    ui::Panel*& panel3;
    ui::Panel*& panel5;
    ui::RichEdit*& richEdit;
    ui::Memo*& memo;
};

namespace {

const char* const RichEditHint = "範囲選択後、マウスを右クリックするとコピーできます";
const char* const ScopeHint = "検索や表示の範囲の設定";

struct PageDesign {
    const char* caption;
    int dropDownCount;
};

const PageDesign LawDesigns[JyobunTabCount] = {
    {"法人税", 20}, {"消費税", 18}, {"会社法民法", 23}, {"所得税", 15}, {"相続税", 16}, {"国通徴印紙", 22},
};

const PageDesign BookDesigns[BooksTabCount] = {
    {"法人目次", 16}, {"消費目次", 10}, {"資産目次", 18},
};

// The scope combo lists the labels of the tab's scope table.
std::vector<std::string> ScopeLabels(const ScopeTable& table)
{
    std::vector<std::string> labels;
    for (const ScopeEntry& entry : table)
        labels.push_back(entry.Label);
    return labels;
}

// The narrow strip with a vertical two-character caption ("一" "覧", "詳" "細").
// Inside its frame it is exactly one character wide, so the characters are
// laid over the whole strip: a character inked to its last column would
// otherwise lose that column to the frame.
class CaptionStrip : public ui::Panel {
public:
    CaptionStrip(const char* first, const char* second)
    {
        SetWidth(14);
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Raised);
        for (const char* text : {first, second}) {
            auto* label = new ui::Label(sjis::fromUtf8(text), this);
            label->setAlignment(Qt::AlignHCenter);
            labels_.push_back(label);
        }
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        ui::Panel::resizeEvent(event);
        int top = frameWidth() + 4;
        for (ui::Label* label : labels_) {
            const int height = label->sizeHint().height();
            label->setGeometry(0, top, width(), height);
            top += height;
        }
    }

private:
    std::vector<ui::Label*> labels_;
};

ui::Edit* KeyEdit()
{
    auto* edit = new ui::Edit;
    edit->setFixedWidth(170);
    return edit;
}

ui::ComboBox* ScopeCombo(const ScopeTable& scopes, int dropDownCount)
{
    auto* combo = new ui::ComboBox;
    combo->setFixedWidth(170);
    combo->SetItems(ScopeLabels(scopes));
    combo->SetText("全範囲"_sj);
    combo->SetDropDownCount(dropDownCount);
    ui::SetHint(*combo, sjis::fromUtf8(ScopeHint));
    return combo;
}

// The top panel: two rows of a caption and its input.
ui::Panel* SearchPanel(const char* numberCaption, const char* scopeCaption, ui::Edit* key1,
                       ui::Edit* key2, ui::Edit* number, ui::ComboBox* scope)
{
    auto* panel = new ui::Panel;
    panel->SetHeight(48);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(new ui::Label("キーワード1"_sj), 0, 0);
    grid->addWidget(key1, 0, 1);
    grid->addWidget(new ui::Label("キーワード２"_sj), 0, 2);
    grid->addWidget(key2, 0, 3);
    grid->addWidget(new ui::Label(sjis::fromUtf8(numberCaption)), 1, 0);
    grid->addWidget(number, 1, 1);
    grid->addWidget(new ui::Label(sjis::fromUtf8(scopeCaption)), 1, 2);
    grid->addWidget(scope, 1, 3);
    grid->setColumnStretch(4, 1);
    return panel;
}

ui::DBGrid* ResultGrid()
{
    auto* grid = new ui::DBGrid;
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setShowGrid(true);
    grid->horizontalHeader()->setVisible(true);
    grid->verticalHeader()->setVisible(true);
    return grid;
}

ui::RichEdit* TextView()
{
    auto* edit = new ui::RichEdit;
    edit->SetReadOnly(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setFont(ui::ArticleFont());
    ui::SetHint(*edit, sjis::fromUtf8(RichEditHint));
    return edit;
}

QFont FormFont()
{
    QFont font(sjis::toQString("ＭＳ Ｐゴシック"_sj));
    font.setPixelSize(12);
    return font;
}

QBoxLayout* Flush(QBoxLayout* layout)
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

TMain::TMain()
{
    ui::installWindowsFonts();
    setFont(FormFont());

    auto* client = new QWidget;
    auto* column = Flush(new QVBoxLayout(client));
    MakeMenus();
    MakeButtonPanel();
    column->addWidget(ButtonPanel);

    MainPageControl = new ui::PageControl;
    MainPageControl->SetTabWidth(68);
    column->addWidget(MainPageControl, 1);
    MakeLawPage(Houjin, {HoujinTab, HoujinPanel1, HEditKey1, HEditKey2, HEditBangou, HComboBox, HoujinPanel2,
                         HoujinPanel4, HoujinTreeView, HoujinSplitter2, HoujinDBGrid, HoujinSplitter1,
                         HoujinPanel3, HoujinPanel5, HoujinRichEdit});
    MakeBookPage(Hbooks, {HbooksTab, HbooksPanel1, HbEditKey1, HbEditKey2, HbEditPage, HbComboBox, HbooksPanel2,
                          HbooksPanel4, HbooksDBGrid, HbooksSplitter1, HbooksPanel3, HbooksPanel5,
                          HbooksRichEdit, HbooksMemo});
    MakeLawPage(Syohi, {SyohiTab, SyohiPanel1, SEditKey1, SEditKey2, SEditBangou, SComboBox, SyohiPanel2,
                        SyohiPanel4, SyohiTreeView, SyohiSplitter2, SyohiDBGrid, SyohiSplitter1, SyohiPanel3,
                        SyohiPanel5, SyohiRichEdit});
    MakeBookPage(Sbooks, {SbooksTab, SbooksPanel1, SbEditKey1, SbEditKey2, SbEditPage, SbComboBox, SbooksPanel2,
                          SbooksPanel4, SbooksDBGrid, SbooksSplitter1, SbooksPanel3, SbooksPanel5,
                          SbooksRichEdit, SbooksMemo});
    MakeLawPage(Gen, {GenTab, GenPanel1, GEditKey1, GEditKey2, GEditBangou, GComboBox, GenPanel2, GenPanel4,
                      GenTreeView, GenSplitter2, GenDBGrid, GenSplitter1, GenPanel3, GenPanel5, GenRichEdit});
    MakeLawPage(Toku, {TokuTab, TokuPanel1, TEditKey1, TEditKey2, TEditBangou, TComboBox, TokuPanel2, TokuPanel4,
                       TokuTreeView, TokuSplitter2, TokuDBGrid, TokuSplitter1, TokuPanel3, TokuPanel5,
                       TokuRichEdit});
    MakeLawPage(Zoku, {ZokuTab, ZokuPanel1, ZEditKey1, ZEditKey2, ZEditBangou, ZComboBox, ZokuPanel2, ZokuPanel4,
                       ZokuTreeView, ZokuSplitter2, ZokuDBGrid, ZokuSplitter1, ZokuPanel3, ZokuPanel5,
                       ZokuRichEdit});
    MakeBookPage(Tbooks, {TbooksTab, TbooksPanel1, TbEditKey1, TbEditKey2, TbEditPage, TbComboBox, TbooksPanel2,
                          TbooksPanel4, TbooksDBGrid, TbooksSplitter1, TbooksPanel3, TbooksPanel5,
                          TbooksRichEdit, TbooksMemo});
    MakeLawPage(Min, {MinTab, MinPanel1, MEditKey1, MEditKey2, MEditBangou, MComboBox, MinPanel2, MinPanel4,
                      MinTreeView, MinSplitter2, MinDBGrid, MinSplitter1, MinPanel3, MinPanel5, MinRichEdit});

    MainPageControl->OnChange = [this] { MainPageControlChange(); };

    StatusBar1 = new ui::StatusBar;
    QFont bold = font();
    bold.setBold(true);
    StatusBar1->setFont(bold);
    StatusBar1->AddPanel(400);
    StatusBar1->AddPanel(50);
    column->addWidget(StatusBar1);
    setCentralWidget(client);

    // 618 x 429 client pixels below the menu, centred on the screen.
    resize(618, 429 + MainMenu1->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

void TMain::MakeLawPage(TJyobunTab tab, const LawPage& p)
{
    const PageDesign& design = LawDesigns[tab];
    p.sheet = new ui::TabSheet(MainPageControl, sjis::fromUtf8(design.caption));
    auto* page = Flush(new QVBoxLayout(p.sheet));

    p.editKey1 = KeyEdit();
    p.editKey2 = KeyEdit();
    p.editBangou = KeyEdit();
    p.editBangou->SetTabStop(false);
    ui::SetHint(*p.editBangou, "入力例　「３５条」　（「第」は付けないで下さい）"_sj);
    p.comboBox = ScopeCombo(LawScopeTable(tab), design.dropDownCount);
    p.panel1 = SearchPanel("条 文 番 号", "範        囲", p.editKey1, p.editKey2, p.editBangou,
                           p.comboBox);
    page->addWidget(p.panel1);

    p.panel2 = new ui::Panel;
    p.panel2->SetHeight(180);
    auto* list = Flush(new QHBoxLayout(p.panel2));
    p.panel4 = new CaptionStrip("一", "覧");
    list->addWidget(p.panel4);
    p.treeView = new ui::TreeView;
    p.treeView->setFixedWidth(235);
    p.treeView->setIndentation(16);
    p.treeView->setFont(FormFont());
    list->addWidget(p.treeView);
    p.splitter2 = new ui::Splitter(Qt::Vertical);
    list->addWidget(p.splitter2);
    p.grid = ResultGrid();
    p.grid->AddColumn("区分"_sj, "Kubun", 62);
    p.grid->AddColumn("条文番号＆表題"_sj, "Title", 400);
    list->addWidget(p.grid, 1);
    p.splitter2->SetControls(p.treeView, p.grid, true);
    p.splitter2->OnMoved = [this] { HoujinSplitter2Moved(); };
    p.treeView->OnClick = [this] { HoujinTreeViewClick(); };
    AttachPopup(p.grid, DBGridPopupMenu1);
    page->addWidget(p.panel2);

    p.splitter1 = new ui::Splitter(Qt::Horizontal);
    page->addWidget(p.splitter1);

    p.panel3 = new ui::Panel;
    auto* text = Flush(new QHBoxLayout(p.panel3));
    p.panel5 = new CaptionStrip("詳", "細");
    text->addWidget(p.panel5);
    p.richEdit = TextView();
    text->addWidget(p.richEdit);
    AttachPopup(p.richEdit, EditPopMenu1);
    page->addWidget(p.panel3, 1);

    p.splitter1->SetControls(p.panel2, p.panel3, true);
    p.splitter1->SetMinSize(50);
}

void TMain::MakeBookPage(TBooksTab tab, const BookPage& p)
{
    const PageDesign& design = BookDesigns[tab];
    p.sheet = new ui::TabSheet(MainPageControl, sjis::fromUtf8(design.caption));
    auto* page = Flush(new QVBoxLayout(p.sheet));

    p.editKey1 = KeyEdit();
    p.editKey2 = KeyEdit();
    p.editPage = KeyEdit();
    p.editPage->SetTabStop(false);
    p.editPage->SetImeMode(ui::ImeMode::Close);
    p.comboBox = ScopeCombo(BookScopeTable(tab), design.dropDownCount);
    p.comboBox->SetImeMode(ui::ImeMode::Close);
    p.panel1 = SearchPanel("ﾍﾟｰｼﾞ 番 号", "範         囲", p.editKey1, p.editKey2, p.editPage,
                           p.comboBox);
    page->addWidget(p.panel1);

    p.panel2 = new ui::Panel;
    auto* list = Flush(new QHBoxLayout(p.panel2));
    p.panel4 = new CaptionStrip("一", "覧");
    list->addWidget(p.panel4);
    p.grid = ResultGrid();
    ui::SetHint(*p.grid, "ダブルクリックで該当の通達・裁決へジャンプ"_sj);
    p.grid->AddColumn("書籍略称"_sj, "BookNameShort", 126);
    p.grid->AddColumn("号"_sj, "Gou", 41, Qt::AlignRight | Qt::AlignVCenter);
    p.grid->AddColumn("ﾍﾟｰｼﾞ"_sj, "BookPage", 62);
    p.grid->AddColumn("問題番号＆目次"_sj, "Mokuji", 300);
    list->addWidget(p.grid, 1);
    AttachPopup(p.grid, DBGridPopupMenu1);
    page->addWidget(p.panel2, 1);

    p.splitter1 = new ui::Splitter(Qt::Horizontal);
    page->addWidget(p.splitter1);

    p.panel3 = new ui::Panel;
    p.panel3->SetHeight(72);
    auto* text = Flush(new QHBoxLayout(p.panel3));
    p.panel5 = new CaptionStrip("詳", "細");
    text->addWidget(p.panel5);
    p.richEdit = TextView();
    text->addWidget(p.richEdit);
    AttachPopup(p.richEdit, EditPopMenu1);
    // Takes the rich edit's place while a book page is printed.
    p.memo = new ui::Memo;
    p.memo->hide();
    text->addWidget(p.memo);
    page->addWidget(p.panel3);

    p.splitter1->SetControls(p.panel3, p.panel2, false);
    p.splitter1->SetMinSize(38);
}
