#include "authoring/hyperpas.h"

#include "authoring/hyper_register.h"
#include "authoring/hyper_rows.h"
#include "authoring/hyper_search.h"
#include "authoring/reference_parser.h"
#include "authoring/str_to_int.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/text/sjis.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/label.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <initializer_list>

namespace {

QString Caption(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QPushButton* Button(const char* utf8, QWidget* parent)
{
    return new ui::Button(Caption(utf8), parent);
}

// Codes of the registration page's buttons, row by row.
const std::vector<std::vector<int>>& CodeRows()
{
    static const std::vector<std::vector<int>> rows = {
        {10, 20, 30, 40, 50, 70, 80, 710, 720, 730, 740, 750, 810, 820, 830},
        {110, 120, 130, 140, 610, 620, 630, 210, 220, 230, 240, 310, 320, 330, 340, 350},
        {410, 420, 430, 440, 450, 460, 470, 480, 490, 510, 910, 920, 930, 940, 950, 960},
        {160, 170, 180, 190, 260, 270, 280, 290, 360, 370, 380, 390}};
    return rows;
}

} // namespace

THyperLink::THyperLink()
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the close handler releases the form
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(Caption("HyperLink"));
    setFont(QFont(Caption("ＭＳ Ｐゴシック")));

    Table1 = new db::Table("Table1");
    Table2 = new db::Table("Table2");
    Table3 = new db::Table("Table3");
    Table4 = new db::Table("Table4");
    DataSource1 = new db::DataSource("DataSource1");
    DataSource2 = new db::DataSource("DataSource2");
    DataSource1->SetDataSet(Table1);
    DataSource2->SetDataSet(Table2);
    for (db::Table* t : {Table1, Table2}) {
        t->SetTableName("条文本文.db"_sj);
        t->SetReadOnly(false);
    }
    Table2->SetTableName("リンク条文.DB"_sj);
    Table3->SetTableName("マスタ条文.DB"_sj);
    Table4->SetTableName("条文本文.db"_sj);
    Table2->SetMasterSource(DataSource1);
    Table2->SetMasterFields("ＫＥＹ"_sj);
    Table2->SetIndexFieldNames("ＫＥＹ;リンク条文番号;条件"_sj);
    // The cited document's short label, from the master by its code.
    Table2->AddLookupField("リンク条文区分２"_sj, db::FieldType::Text, "リンク条文番号"_sj, "連番"_sj,
                           "条文区分"_sj);
    Table2->FieldByName("リンク条文区分２"_sj).SetLookupDataSet(Table3);
    Table1->AfterScroll = [this](db::Dataset&) { Table1AfterScroll(); };

    auto* layout = new QVBoxLayout(this);
    MakeArticlePanel();
    PageControl1 = new ui::PageControl(this);
    MakeListPage();
    MakeLinkListPage();
    MakeRegisterPage();
    MakeBodyEditor();
    layout->addWidget(Panel1);
    layout->addWidget(PageControl1);
    layout->addWidget(DBRichEdit1, 1);
    Connect();

    try {
        FormCreate();
    } catch (...) {
        ReleaseTables(); // no destructor runs for a form that was never made
        throw;
    }
}

THyperLink::~THyperLink()
{
    if (HyperLink == this)
        HyperLink = nullptr;
    ReleaseTables();
}

void THyperLink::ReleaseTables()
{
    // Details and bound controls let go of their sources before the tables go.
    delete Table2;
    delete DataSource2;
    delete DataSource1;
    delete Table1;
    delete Table3;
    delete Table4;
    Table1 = Table2 = Table3 = Table4 = nullptr;
    DataSource1 = DataSource2 = nullptr;
}

void THyperLink::MakeArticlePanel()
{
    Panel1 = new ui::Panel(this);
    auto* grid = new QGridLayout(Panel1);
    Button6 = Button("Clear", Panel1);
    Button3 = Button("削　除", Panel1);
    NavFirst = Button("|<", Panel1);
    NavPrior = Button("<", Panel1);
    NavNext = Button(">", Panel1);
    NavLast = Button(">|", Panel1);
    NavCancel = Button("×", Panel1);
    Button4 = Button("追　加", Panel1);
    Button48 = Button("改　正　日", Panel1);
    Button7 = Button("SpecialPaste", Panel1);
    Button5 = Button("閉じる", Panel1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Button6, Button3, NavFirst, NavPrior, NavNext, NavLast, NavCancel, Button4,
                           Button48, Button7, Button5})
        buttons->addWidget(b);
    grid->addLayout(buttons, 0, 0, 1, 8);

    Edit1 = new ui::Edit(Panel1);
    Edit2 = new ui::Edit(Panel1);
    ComboBox1 = new ui::ComboBox(Panel1);
    ComboBox1->SetText("全範囲"_sj);
    grid->addWidget(new ui::Label("KeyJump", Panel1), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(new ui::Label("GyoJump", Panel1), 1, 2);
    grid->addWidget(Edit2, 1, 3);
    grid->addWidget(ComboBox1, 1, 4, 1, 2);

    struct Bound {
        ui::DBEdit*& edit;
        const char* field;
        const char* label;
    };
    const Bound bound[] = {{DBEdit1, "ＫＥＹ", "ＫＥＹ"},       {DBEdit2, "行", "行"},
                           {DBEdit3, "条文連番", "条文連番"}, {DBEdit4, "条文区分", "条文区分"},
                           {DBEdit5, "改正", "改正"},         {DBEdit6, "番号のみ", "番号のみ"},
                           {DBEdit7, "表題", "表題"},         {DBEdit8, "条文本文", "条文番号"}};
    int n = 0;
    for (const Bound& b : bound) {
        b.edit = new ui::DBEdit(Panel1);
        b.edit->setFont(QFont(Caption("ＭＳ 明朝")));
        b.edit->SetDataSource(DataSource1);
        b.edit->SetDataField(sjis::fromUtf8(b.field));
        const int row = 2 + n / 4;
        const int col = (n % 4) * 2;
        grid->addWidget(new ui::Label(sjis::fromUtf8(b.label), Panel1), row, col);
        grid->addWidget(b.edit, row, col + 1);
        ++n;
    }
    DBEdit1->setReadOnly(true);
    DBEdit4->setReadOnly(true);
    for (ui::Edit* e :
         std::initializer_list<ui::Edit*>{DBEdit1, DBEdit2, DBEdit3, DBEdit5, DBEdit6, Edit1, Edit2})
        e->SetImeMode(ui::ImeMode::Close); // numbers only
}

void THyperLink::MakeListPage()
{
    TabSheet3 = new ui::TabSheet(PageControl1, "条文一覧"_sj);
    auto* layout = new QVBoxLayout(TabSheet3);
    DBGrid2 = new ui::DBGrid(TabSheet3);
    DBGrid2->setFont(QFont(Caption("ＭＳ 明朝")));
    DBGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid2->SetDataSource(DataSource1);
    DBGrid2->AddColumn("ＫＥＹ"_sj, "ＫＥＹ"_sj, 34);
    DBGrid2->AddColumn("行"_sj, "行"_sj, 53);
    DBGrid2->AddColumn("条文連番"_sj, "条文連番"_sj, 53);
    DBGrid2->AddColumn("条文区分"_sj, "条文区分"_sj, 54);
    DBGrid2->AddColumn("改正"_sj, "改正"_sj, 49);
    DBGrid2->AddColumn("番号のみ"_sj, "番号のみ"_sj, 54);
    DBGrid2->AddColumn("条文番号"_sj, "条文本文"_sj, 165);
    DBGrid2->AddColumn("表題"_sj, "表題"_sj, 238);
    layout->addWidget(DBGrid2, 1);

    auto* bar = new QHBoxLayout;
    ComboBox2 = new ui::ComboBox(TabSheet3);
    ComboBox2->SetItems(HyperSearchHistory());
    ComboBox2->SetDropDownCount(15);
    ComboBox2->SetText("");
    Button63 = Button("全対象検索", TabSheet3);
    Button64 = Button("後半検索", TabSheet3);
    Button57 = Button("クリアー", TabSheet3);
    bar->addWidget(ComboBox2, 1);
    bar->addWidget(Button63);
    bar->addWidget(Button64);
    bar->addWidget(Button57);
    for (const char* n : {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１０"}) {
        KouButtons.push_back(Button(n, TabSheet3));
        bar->addWidget(KouButtons.back());
    }
    Edit8 = new ui::Edit(TabSheet3);
    Button72 = Button("Jump", TabSheet3);
    Button73 = Button("Clear", TabSheet3);
    bar->addWidget(Edit8);
    bar->addWidget(Button72);
    bar->addWidget(Button73);
    layout->addLayout(bar);
}

void THyperLink::MakeLinkListPage()
{
    TabSheet1 = new ui::TabSheet(PageControl1, "リンク一覧"_sj);
    auto* layout = new QHBoxLayout(TabSheet1);
    DBGrid1 = new ui::DBGrid(TabSheet1);
    DBGrid1->setFont(QFont(Caption("ＭＳ 明朝")));
    DBGrid1->SetDataSource(DataSource2);
    DBGrid1->AddColumn("ＫＥＹ"_sj, "ＫＥＹ"_sj, 36);
    DBGrid1->AddColumn("条件"_sj, "条件"_sj, 276);
    DBGrid1->AddColumn("リンク条文本文"_sj, "リンク条文本文"_sj, 247);
    DBGrid1->AddColumn("条文番号"_sj, "リンク条文番号"_sj, 53);
    DBGrid1->AddColumn("条文区分"_sj, "リンク条文区分２"_sj, 52);
    DBGrid1->SetColumnReadOnly(0, true); // ＫＥＹ ties the link to its article
    layout->addWidget(DBGrid1, 1);
    auto* side = new QVBoxLayout;
    Button2 = Button("リンク削除", TabSheet1);
    Button9 = Button("閉じる", TabSheet1);
    side->addWidget(Button2);
    side->addWidget(Button9);
    side->addStretch();
    layout->addLayout(side);
}

void THyperLink::MakeRegisterPage()
{
    TabSheet2 = new ui::TabSheet(PageControl1, "リンク登録"_sj);
    auto* layout = new QVBoxLayout(TabSheet2);
    auto* fields = new QGridLayout;
    Edit3 = new ui::Edit(TabSheet2);
    Edit3->setReadOnly(true);
    Edit4 = new ui::Edit(TabSheet2);
    Edit5 = new ui::Edit(TabSheet2);
    Edit6 = new ui::Edit(TabSheet2);
    Edit3->SetImeMode(ui::ImeMode::Close);
    Edit6->SetImeMode(ui::ImeMode::Close);
    LinkLabel = new ui::Label("", TabSheet2);
    fields->addWidget(new ui::Label("ＫＥＹ"_sj, TabSheet2), 0, 0);
    fields->addWidget(Edit3, 0, 1);
    fields->addWidget(new ui::Label("条件"_sj, TabSheet2), 0, 2);
    fields->addWidget(Edit4, 0, 3);
    fields->addWidget(new ui::Label("リンク条文本文"_sj, TabSheet2), 1, 2);
    fields->addWidget(Edit5, 1, 3);
    fields->addWidget(new ui::Label("リンク条文番号"_sj, TabSheet2), 1, 0);
    fields->addWidget(Edit6, 1, 1);
    fields->addWidget(LinkLabel, 1, 4);
    layout->addLayout(fields);

    for (const std::vector<int>& codes : CodeRows()) {
        auto* row = new QHBoxLayout;
        for (int code : codes) {
            CodeButtons.push_back(new ui::Button(QString::number(code), TabSheet2));
            row->addWidget(CodeButtons.back());
        }
        row->addStretch();
        layout->addLayout(row);
    }
    auto* actions = new QHBoxLayout;
    Button38 = Button("同", TabSheet2);
    Button39 = Button("変　換", TabSheet2);
    Button1 = Button("登　録", TabSheet2);
    Button10 = Button("登録２", TabSheet2);
    Button11 = Button("閉じる", TabSheet2);
    RegPrior = Button("<", TabSheet2);
    RegNext = Button(">", TabSheet2);
    for (QPushButton* b : {Button38, Button39, Button1, Button10, Button11, RegPrior, RegNext})
        actions->addWidget(b);
    actions->addStretch();
    layout->addLayout(actions);
}

void THyperLink::MakeBodyEditor()
{
    DBRichEdit1 = new ui::DBRichEdit(this);
    DBRichEdit1->SetMaxLength(100000);
    DBRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(Caption("ＭＳ 明朝"));
    font.setPixelSize(16);
    DBRichEdit1->setFont(font);
    DBRichEdit1->SetDataSource(DataSource1);
    DBRichEdit1->SetDataField("条文内容"_sj);

    PopupMenu1 = new QMenu(this);
    auto item = [this](const char* caption, QKeySequence keys) {
        QAction* a = PopupMenu1->addAction(Caption(caption));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        DBRichEdit1->addAction(a);
        return a;
    };
    Cut1 = item("切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X));
    Copy1 = item("コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste2 = item("貼り付け(&V)", QKeySequence(Qt::CTRL | Qt::Key_V));
    SelectAll1 = item("すべてを選択(&A)", QKeySequence(Qt::CTRL | Qt::Key_A));
    PopupMenu1->addSeparator();
    K1 = item("選択文字-全対象検索(&K)", QKeySequence(Qt::CTRL | Qt::Key_K));
    L1 = item("選択文字-後半検索(&L)", QKeySequence(Qt::CTRL | Qt::Key_L));
    J1 = item("選択文字-検索ボックスコピー(&J)", QKeySequence(Qt::CTRL | Qt::Key_J));
    DBRichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBRichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->exec(DBRichEdit1->viewport()->mapToGlobal(pos)); });
}

void THyperLink::EnterMovesOn(ui::Edit* edit)
{
    edit->OnKeyPress = [this](char& key) { DBEdit4KeyPress(key); };
}

void THyperLink::Connect()
{
    for (QPushButton* b : {Button5, Button9, Button11})
        connect(b, &QPushButton::clicked, this, &THyperLink::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &THyperLink::Button6Click);
    connect(Button3, &QPushButton::clicked, this, &THyperLink::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &THyperLink::Button4Click);
    connect(Button48, &QPushButton::clicked, this, &THyperLink::Button48Click);
    connect(Button7, &QPushButton::clicked, this, &THyperLink::Button7Click);
    connect(NavFirst, &QPushButton::clicked, this, [this] { Table1->First(); });
    connect(NavPrior, &QPushButton::clicked, this, [this] { Table1->Prior(); });
    connect(NavNext, &QPushButton::clicked, this, [this] { Table1->Next(); });
    connect(NavLast, &QPushButton::clicked, this, [this] { Table1->Last(); });
    connect(NavCancel, &QPushButton::clicked, this, [this] {
        Table1->Cancel();
        RowsShow();
    });
    connect(RegPrior, &QPushButton::clicked, this, [this] { Table1->Prior(); });
    connect(RegNext, &QPushButton::clicked, this, [this] { Table1->Next(); });
    Edit1->OnKeyPress = [this](char& key) { Edit1KeyPress(key); };
    Edit2->OnKeyPress = [this](char& key) { Edit2KeyPress(key); };
    ComboBox1->OnChange = [this] { ComboBox1Change(); };
    for (ui::DBEdit* e : {DBEdit1, DBEdit2, DBEdit5})
        e->OnKeyPress = [this](char& key) { DBEdit5KeyPress(key); };
    DBEdit3->OnKeyPress = [this](char& key) { DBEdit3KeyPress(key); };
    for (ui::Edit* e : {Edit3, Edit4, Edit5, static_cast<ui::Edit*>(DBEdit4), static_cast<ui::Edit*>(DBEdit7)})
        EnterMovesOn(e);
    DBEdit8->OnKeyPress = [this](char& key) { DBEdit8KeyPress(key); };
    for (QWidget* w : {static_cast<QWidget*>(DBEdit3), static_cast<QWidget*>(Edit1),
                       static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Edit6)})
        w->installEventFilter(this);

    for (QPushButton* b : {Button1, Button10})
        connect(b, &QPushButton::clicked, this, [this, b] { Button1Click(*b); });
    connect(Button39, &QPushButton::clicked, this, &THyperLink::Button39Click);
    for (QPushButton* b : CodeButtons)
        connect(b, &QPushButton::clicked, this, [this, b] { Button8Click(*b); });
    connect(Button38, &QPushButton::clicked, this, &THyperLink::Button38Click);
    Edit6->OnKeyPress = [this](char& key) { Edit6KeyPress(key); };
    connect(Button2, &QPushButton::clicked, this, &THyperLink::Button2Click);

    for (QPushButton* b : {Button63, Button64})
        connect(b, &QPushButton::clicked, this, [this, b] { Button63Click(*b); });
    connect(K1, &QAction::triggered, this, &THyperLink::K1Click);
    connect(L1, &QAction::triggered, this, &THyperLink::L1Click);
    connect(J1, &QAction::triggered, this, &THyperLink::J1Click);
    connect(Cut1, &QAction::triggered, DBRichEdit1, &QTextEdit::cut);
    connect(Copy1, &QAction::triggered, DBRichEdit1, &QTextEdit::copy);
    connect(Paste2, &QAction::triggered, this, &THyperLink::Paste2Click);
    connect(SelectAll1, &QAction::triggered, DBRichEdit1, &QTextEdit::selectAll);
    connect(Button57, &QPushButton::clicked, this, &THyperLink::Button57Click);
    ComboBox2->OnKeyPress = [this](char& key) { ComboBox2KeyPress(key); };
    DBRichEdit1->OnKeyPress = [this](char& key) { DBRichEdit1KeyPress(key); };
    for (QPushButton* b : KouButtons)
        connect(b, &QPushButton::clicked, this, [this, b] { Button55Click(*b); });
    connect(Button72, &QPushButton::clicked, this, &THyperLink::Button72Click);
    Edit8->OnKeyPress = [this](char& key) { Edit8KeyPress(key); };
    connect(Button73, &QPushButton::clicked, this, &THyperLink::Button73Click);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { FormResize(); });
    // A page is laid out only when it shows, after the form's own resize:
    // the columns follow their grid's width whenever it changes.
    DBGrid1->installEventFilter(this);
    DBGrid2->installEventFilter(this);
}

bool THyperLink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DBGrid1 || watched == DBGrid2) {
        if (event->type() == QEvent::Resize)
            FormResize();
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease && watched != Edit6)
        DBEdit3Click(*static_cast<ui::Edit*>(watched));
    // A message box or a popup taking the focus is no leaving of the edit:
    // the lookup's own box would run the exit check again.
    const auto* focus = event->type() == QEvent::FocusOut ? static_cast<QFocusEvent*>(event) : nullptr;
    if (focus && focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason) {
        if (watched == DBEdit3)
            DBEdit3Exit();
        else if (watched == Edit6)
            Edit6Exit();
    }
    return QWidget::eventFilter(watched, event);
}

void THyperLink::setVisible(bool visible)
{
    const bool showing = visible && isHidden();
    QWidget::setVisible(visible);
    if (!showing)
        return;
    // The window manager maximises the form as it maps it. Bounded, for a
    // desktop that never shows it.
    const QDeadlineTimer deadline(2000);
    QTimer wake; // the wait below returns at least this often
    wake.start(20);
    while (!windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    FormShow();
}

void THyperLink::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void THyperLink::closeEvent(QCloseEvent* event)
{
    event->setAccepted(FormClose());
}

// --- handlers

void THyperLink::Button5Click()
{
    close();
}

void THyperLink::Table1AfterScroll()
{
    // Every row is edited in place and posted when the cursor leaves it. The
    // dataset fires this also while it reloads after a post, before the move
    // it posted for: an edit begun then belongs to the row just left, and
    // must end before the new row's edit begins.
    if (Table1->EditState() != db::Table::State::Browse)
        Table1->Post();
    if (!Table1->IsEmpty())
        Table1->Edit();
}

void THyperLink::Edit1KeyPress(char& key)
{
    if (key == 13 && !Edit1->Text().empty())
        HyperKeyJump(*this, Edit1->Text());
}

void THyperLink::Edit2KeyPress(char& key)
{
    if (key == 13 && !Edit2->Text().empty())
        HyperGyoJump(*this, Edit2->Text());
}

void THyperLink::DBEdit3Click(ui::Edit& sender)
{
    sender.selectAll();
}

void THyperLink::ComboBox1Change()
{
    HyperCodeFilter(*this);
}

void THyperLink::Button4Click()
{
    HyperRowAdd(*this);
}

void THyperLink::Button3Click()
{
    HyperRowDelete(*this);
}

void THyperLink::Button6Click()
{
    HyperRowClear(*this);
}

void THyperLink::Button48Click()
{
    HyperKaiseiSet(*this);
}

void THyperLink::DBEdit5KeyPress(char& key)
{
    if (HyperDigitKey(*this, key))
        focusNextChild();
}

void THyperLink::DBEdit3KeyPress(char& key)
{
    if (key != 13)
        return;
    if (HyperCodeLookup(*this)) {
        if (!DBEdit3->Text().empty()) {
            key = 0;
            focusNextChild();
        }
    } else {
        DBEdit3->selectAll();
    }
}

void THyperLink::DBEdit3Exit()
{
    if (!HyperCodeLookup(*this))
        DBEdit3->setFocus();
}

void THyperLink::DBEdit4KeyPress(char& key)
{
    if (key != 13)
        return;
    key = 0;
    focusNextChild();
}

void THyperLink::DBEdit8KeyPress(char& key)
{
    if (key != 13)
        return;
    key = 0;
    DBRichEdit1->setFocus();
}

void THyperLink::Button7Click()
{
    if (!Table1->FieldByName("条文本文"_sj).AsString().empty()) {
        platform::ShowMessage("Clear又は追加して実行してください"_sj);
        return;
    }
    // An empty view has no row to paste into (Edit says so) and the
    // clipboard stays as it was.
    if (Table1->EditState() == db::Table::State::Browse)
        Table1->Edit();
    const std::string clip = platform::Sys().ClipboardText();
    if (clip.empty())
        return;
    const std::string text = clip + "\r\n";
    platform::Sys().SetClipboardText(text);
    const SpecialPasteFields fields = SpecialPasteSplit(text);
    if (fields.Hyoudai)
        Table1->FieldByName("表題"_sj).SetAsString(*fields.Hyoudai);
    if (fields.JyobunHonbun)
        Table1->FieldByName("条文本文"_sj).SetAsString(*fields.JyobunHonbun);
    if (fields.JyobunNaiyou)
        Table1->FieldByName("条文内容"_sj).SetAsString(*fields.JyobunNaiyou);
    RowsShow();
}

void THyperLink::Paste2Click()
{
    const std::string text = ZenkakuHenkan(platform::Sys().ClipboardText());
    platform::Sys().SetClipboardText(text);
    DBRichEdit1->insertPlainText(sjis::toQString(sjis::replaceAllBytes(text, "\r\n", "\n")));
}

void THyperLink::Button1Click(QPushButton& sender)
{
    HyperLinkRegister(*this, &sender == Button1);
}

void THyperLink::Button39Click()
{
    StrToInt(DBEdit2->Text());
    HyperJyobunKubunNo = StrToInt(DBEdit3->Text());
    HyperJyoken = DBRichEdit1->SelText();
    if (!HyperJyoken.empty())
        HyperProposalFill(*this, HyperJyoken);
}

void THyperLink::Button8Click(QPushButton& sender)
{
    Edit6->SetText(sjis::fromQString(sender.text()));
    HyperLinkLabelSet(*this);
}

void THyperLink::Button38Click()
{
    Edit6->SetText(HyperKubunNo);
    HyperLinkLabelSet(*this);
}

void THyperLink::Edit6KeyPress(char& key)
{
    if (key == 13 && !Edit6->Text().empty())
        HyperLinkLabelSet(*this);
}

void THyperLink::Edit6Exit()
{
    if (!Edit6->Text().empty())
        HyperLinkLabelSet(*this);
}

void THyperLink::Button2Click()
{
    HyperLinkDelete(*this);
}

void THyperLink::Button63Click(QPushButton& sender)
{
    HyperHonbunKensaku(*this, sjis::fromQString(sender.text()));
}

void THyperLink::K1Click()
{
    if (HyperSelectionToSearch(*this))
        HyperHonbunKensaku(*this, "全対象検索"_sj);
}

void THyperLink::L1Click()
{
    if (HyperSelectionToSearch(*this))
        HyperHonbunKensaku(*this, "後半検索"_sj);
}

void THyperLink::J1Click()
{
    HyperSelectionToSearch(*this);
}

void THyperLink::Button57Click()
{
    ComboBox2->SetText("");
    ComboBox2->setFocus();
}

void THyperLink::ComboBox2KeyPress(char& key)
{
    if (key == 13)
        Button64->setFocus();
}

void THyperLink::DBRichEdit1KeyPress(char& key)
{
    // A found phrase is not to be replaced by a line break.
    const std::string t = ComboBox2->Text();
    if (key == 13 && !t.empty() && t == DBRichEdit1->SelText())
        key = 0;
}

void THyperLink::Button55Click(QPushButton& sender)
{
    HyperKouJump(*this, sjis::fromQString(sender.text()));
}

void THyperLink::Button72Click()
{
    if (!Edit8->Text().empty())
        HyperKouJump(*this, Edit8->Text());
}

void THyperLink::Edit8KeyPress(char& key)
{
    if (key == 13)
        Button72->setFocus();
}

void THyperLink::Button73Click()
{
    Edit8->SetText("");
    Edit8->setFocus();
}

void THyperLink::RowsShow()
{
    for (ui::DBEdit* e : {DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, DBEdit7, DBEdit8})
        e->Reload();
    DBRichEdit1->Reload();
}
