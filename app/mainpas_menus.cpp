#include "app/mainpas.h"

#include "reader/web_pages.h"
#include "platform/text/sjis.h"
#include "platform/ui/hint.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_button.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

namespace {

struct ButtonDesign {
    ui::ToolButton* TMain::*button;
    const char* caption;
    const char* hint;
    QStyle::StandardPixmap glyph;
};

// Items are created disabled; each is enabled where its command is wired.
QAction* Item(QMenu* menu, const char* caption, const char* hint = nullptr,
              QKeySequence shortcut = {})
{
    auto* item = new QAction(sjis::toQString(sjis::fromUtf8(caption)), menu);
    item->setEnabled(false);
    item->setShortcut(shortcut);
    if (hint)
        ui::SetHint(*item, sjis::fromUtf8(hint));
    menu->addAction(item);
    return item;
}

// A web page item: its caption text, the address and the accelerator.
QAction* WebItem(QMenu* menu, int page, const char* text, const char* blanks, const char* accel)
{
    const std::string caption = std::string(text) + blanks + NetPageAddress(page) + accel;
    return Item(menu, caption.c_str());
}

} // namespace

void TMain::MakeButtonPanel()
{
    static const ButtonDesign buttons[] = {
        {&TMain::BBtnBack, "戻る", "直前データの表示", QStyle::SP_ArrowBack},
        {&TMain::BBtnNext, "進む", "直後データの表示", QStyle::SP_ArrowForward},
        {&TMain::BBtnHome, "ホーム", "すべてクリア", QStyle::SP_DirHomeIcon},
        {&TMain::BBtnPrint, "印刷", "印刷の実行", QStyle::SP_FileDialogDetailedView},
        {&TMain::BBtnWord, "Wordへ", "Wordへ条文を貼付", QStyle::SP_FileIcon},
        {&TMain::BBtnOpenAll, "全て開く", "全ての項目を表示", QStyle::SP_FileDialogListView},
        {&TMain::BBtnClear, "クリア", "検索条件の消去", QStyle::SP_DialogResetButton},
        {&TMain::BBtnJump, "ジャンプ", "条文やﾍﾟｰｼﾞ番号で移動", QStyle::SP_ArrowRight},
        {&TMain::BBtnKensaku, "検索", "検索実行（選択文字があるときは、選択文字検索）",
         QStyle::SP_FileDialogContentsView},
        {&TMain::BBtnKanrenJyoubun, "参照条文", "この条文を参照している条文の検索",
         QStyle::SP_FileLinkIcon},
        {&TMain::BBtnMemo, "メ　モ", "最大画面のメモウインドウへ条文の貼付",
         QStyle::SP_FileDialogNewFolder},
        {&TMain::BBtnNet, "Web", "ホームページの表示", QStyle::SP_DriveNetIcon},
        {&TMain::ColorSetButton, "Color", nullptr, QStyle::SP_DialogApplyButton},
    };
    ButtonPanel = new ui::Panel;
    ButtonPanel->SetHeight(50);
    auto* row = new QHBoxLayout(ButtonPanel);
    row->setContentsMargins(1, 2, 1, 2);
    row->setSpacing(0);
    // Four-character captions fit a 50-pixel button only without the style's padding.
    ButtonPanel->setStyleSheet(QStringLiteral("QToolButton { padding: 1px; }"));
    for (const ButtonDesign& design : buttons) {
        auto* button = new ui::ToolButton;
        button->SetCaption(sjis::fromUtf8(design.caption));
        if (design.hint)
            button->SetHint(sjis::fromUtf8(design.hint));
        button->SetGlyph(style()->standardIcon(design.glyph));
        button->setIconSize(QSize(20, 20));
        button->setFixedSize(50, 46);
        // Each button is enabled where its command is wired.
        button->setEnabled(false);
        row->addWidget(button);
        this->*design.button = button;
    }
    row->addStretch();
    // The buttons do not widen the window: with the developer button they
    // share its width rather than pushing it wider.
    row->setSizeConstraint(QLayout::SetNoConstraint);
    ButtonPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    AttachPopup(BBtnNet, NetPopupMenu1);
}

void TMain::MakeMenus()
{
    MainMenu1 = menuBar();
    File1 = MainMenu1->addMenu(sjis::toQString("ファイル(&F)"_sj));
    PrintAction = Item(File1, "印刷", "印刷の実行");
    File1->addSeparator();
    CloseAction = Item(File1, "終了", "Ronvettaを終了します");
    CloseAction->setEnabled(true);
    connect(CloseAction, &QAction::triggered, this, &TMain::CloseActionClick);

    HomePage1 = MainMenu1->addMenu(sjis::toQString("ホームページ(&G)"_sj));
    HomePage1->menuAction()->setVisible(false);
    MenuRonvettaHomePage = WebItem(HomePage1, 1, "Ronvetta ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ", " ", "(&S)");
    HomePage1->addSeparator();
    MenuHoureiDataBase = WebItem(HomePage1, 2, "総務省 法令ﾃﾞｰﾀ提供ｼｽﾃﾑ", " ", "(&L)");
    MenuKokuzeiTutatu = WebItem(HomePage1, 3, "国税庁 通達ﾎｰﾑﾍﾟｰｼﾞ", " ", "(&T)");
    MenuTaxAnswer = WebItem(HomePage1, 4, "国税庁 ﾀｯｸｽｱﾝｻｰ(届出書式等)", "  ", "(&F)");
    MenuKokuzeiRosen = WebItem(HomePage1, 5, "国税庁 路線価図", " ", "(&R)");
    MenuHuhukuSaiketu = WebItem(HomePage1, 6, "国税不服審判所 裁決事例", " ", "(&K)");

    Help1 = MainMenu1->addMenu(sjis::toQString("ヘルプ(&H)"_sj));
    HTML1 = Item(Help1, "HTMLヘルプ");
    About1 = Item(Help1, "バージョン情報");

    EditPopMenu1 = new QMenu(this);
    SentakuAction2 = Item(EditPopMenu1, "選択文字検索(&K)", "選択文字で検索", Qt::CTRL | Qt::Key_K);
    EditPopMenu1->addSeparator();
    CopyAction = Item(EditPopMenu1, "コピー(&C)", "選択範囲のコピー", Qt::CTRL | Qt::Key_C);
    AllSelectAction = Item(EditPopMenu1, "すべて選択(&A)", "本文をすべて選択", Qt::CTRL | Qt::Key_A);
    EditPopMenu1->addSeparator();
    PrintAciton2 = Item(EditPopMenu1, "印刷(&P)", "印刷の実行", Qt::CTRL | Qt::Key_P);
    WordAction2 = Item(EditPopMenu1, "ワードへ(&W)", "Wordへ条文を貼付", Qt::CTRL | Qt::Key_W);
    SansyoAction2 = Item(EditPopMenu1, "参照検索(&S)", "この条文を参照している条文の検索",
                         Qt::CTRL | Qt::Key_S);
    MemoAction2 = Item(EditPopMenu1, "メ　モ(&M)", "メモウインドウへ条文の貼付", Qt::CTRL | Qt::Key_M);
    HyperLinkAction2 = Item(EditPopMenu1, "HyperLink(&H)", "ﾊｲﾊﾟｰﾘﾝｸﾒﾆｭｰの呼び出し",
                            Qt::CTRL | Qt::Key_H);
    HyperLinkAction2->setVisible(false);

    DBGridPopupMenu1 = new QMenu(this);
    DBGridCopyAction = Item(DBGridPopupMenu1, "コピー(&C)", "選択されている内容のコピー",
                            Qt::CTRL | Qt::Key_C);
    DBGridPopupMenu1->addSeparator();
    PrintAction1 = Item(DBGridPopupMenu1, "印刷(&P)", "印刷の実行", Qt::CTRL | Qt::Key_P);
    WordAction1 = Item(DBGridPopupMenu1, "ワードへ(&W)", "Wordへ条文を貼付", Qt::CTRL | Qt::Key_W);
    SansyoAction = Item(DBGridPopupMenu1, "参照検索(&S)", "この条文を参照している条文の検索",
                        Qt::CTRL | Qt::Key_S);
    MemoAction1 = Item(DBGridPopupMenu1, "メ　モ(&M)", "メモウインドウへ条文の貼付", Qt::CTRL | Qt::Key_M);
    HyperLinkAction = Item(DBGridPopupMenu1, "HyperLink(&H)", "ﾊｲﾊﾟｰﾘﾝｸﾒﾆｭｰの呼び出し",
                           Qt::CTRL | Qt::Key_H);
    HyperLinkAction->setVisible(false);
    ToolAction = Item(DBGridPopupMenu1, "Tool(&T)", nullptr, Qt::CTRL | Qt::Key_T);
    ToolAction->setVisible(false);

    NetPopupMenu1 = new QMenu(this);
    HTML2 = Item(NetPopupMenu1, "HTMLヘルプ RonvettaHelp.html(&H)");
    RonvettaHomePage = WebItem(NetPopupMenu1, 1, "Ronvetta ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ", " ", "(&S)");
    NetPopupMenu1->addSeparator();
    HoureiDataBase = WebItem(NetPopupMenu1, 2, "総務省 法令ﾃﾞｰﾀ提供ｼｽﾃﾑ", " ", "(&L)");
    KokuzeiTutatu = WebItem(NetPopupMenu1, 3, "国税庁 通達ﾎｰﾑﾍﾟｰｼﾞ", " ", "(&T)");
    NetPopupMenu1->addSeparator();
    KokuzeiSitugi = WebItem(NetPopupMenu1, 7, "国税庁 質疑応答事例検索", "  ", "(&J)");
    TaxAnswer = WebItem(NetPopupMenu1, 4, "国税庁 ﾀｯｸｽｱﾝｻｰ", " ", "(&F)");
    NetPopupMenu1->addSeparator();
    KokuzeiHp = WebItem(NetPopupMenu1, 8, "国税庁", " ", "(&G)");
    KokuzeiRosen = WebItem(NetPopupMenu1, 5, "国税庁 路線価図", " ", "(&R)");
    HuhukuSaiketu = WebItem(NetPopupMenu1, 6, "国税不服審判所 裁決事例", " ", "(&K)");
    NetPopupMenu1->addSeparator();
    OrvelKawase = WebItem(NetPopupMenu1, 9, "Orvel 外国為替レート・金利・株価　月末推移表", " ", "(&D)");
}

void TMain::AttachPopup(QWidget* control, QMenu* popup)
{
    // A popup's shortcuts work while its control has the focus: a hidden
    // menu alone carries no shortcut.
    for (QAction* item : popup->actions()) {
        if (item->shortcut().isEmpty())
            continue;
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        control->addAction(item);
    }
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, popup, [control, popup](const QPoint& at) {
        const auto* area = qobject_cast<QAbstractScrollArea*>(control);
        popup->popup(area ? area->viewport()->mapToGlobal(at) : control->mapToGlobal(at));
    });
}
