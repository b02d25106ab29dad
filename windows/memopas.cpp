#include "windows/memopas.h"

#include "app/mainpas.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/richedit/rich_edit.h"
#include "platform/richedit/windows_fonts.h"
#include "platform/text/sjis.h"
#include "platform/ui/hint.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_button.h"
#include "reader/memo_create.h"
#include "reader/memo_jump.h"
#include "reader/memo_kensaku.h"
#include "reader/memo_link.h"
#include "reader/memo_output.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

struct ButtonDesign {
    ui::ToolButton* TMemoWindow::*button;
    int left;
    const char* hint;
    const char* glyphFile; // loaded on palette displays
    QStyle::StandardPixmap glyph;
};

const ButtonDesign Buttons[] = {
    {&TMemoWindow::HomeMove, 3, "Ronvettaで同じ条文へ移動", "D3.dl_", QStyle::SP_DirHomeIcon},
    {&TMemoWindow::MemoPrint, 37, "印刷の実行", "D4.dl_", QStyle::SP_FileDialogDetailedView},
    {&TMemoWindow::MemoWord, 65, "条文をWordへ貼付", "D5.dl_", QStyle::SP_FileIcon},
    {&TMemoWindow::MemoKensaku, 93, "選択文字で検索", "D9.dl_", QStyle::SP_FileDialogContentsView},
    {&TMemoWindow::MemoKanren, 127, "この条文を参照している条文の検索", "D10.dl_",
     QStyle::SP_FileLinkIcon},
    {&TMemoWindow::MemoNet, 155, "ホームページの表示", "D12.dl_", QStyle::SP_DriveNetIcon},
};

QFont Font(const char* family, int pixelHeight)
{
    QFont font(sjis::toQString(sjis::fromUtf8(family)));
    font.setPixelSize(pixelHeight);
    return font;
}

QAction* Item(QWidget* window, QMenu* menu, const char* caption, QKeySequence shortcut,
              const char* hint = nullptr)
{
    auto* item = new QAction(sjis::toQString(sjis::fromUtf8(caption)), menu);
    item->setShortcut(shortcut);
    if (hint)
        ui::SetHint(*item, sjis::fromUtf8(hint));
    menu->addAction(item);
    // The shortcuts work anywhere in the window, not only while the menu is open.
    window->addAction(item);
    return item;
}

// The web button pops its menu on any mouse button and has no click.
class PressFilter : public QObject {
public:
    PressFilter(TMemoWindow* window) : QObject(window), window_(window) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        window_->MemoNetMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }

private:
    TMemoWindow* window_;
};

} // namespace

TMemoWindow::TMemoWindow() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose); // close action "free"
    ui::installWindowsFonts();
    setFont(Font("ＭＳ Ｐゴシック", 12));
    resize(622, 290);

    MemoPanel = new ui::Panel;
    MemoPanel->SetHeight(30);
    for (const ButtonDesign& design : Buttons) {
        auto* button = new ui::ToolButton(MemoPanel);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->SetHint(sjis::fromUtf8(design.hint));
        button->SetGlyph(style()->standardIcon(design.glyph));
        button->setGeometry(design.left, 2, 28, 26);
        this->*design.button = button;
    }

    MemoRichEdit = new ui::RichEdit;
    MemoRichEdit->SetReadOnly(true);
    MemoRichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoRichEdit->setFont(ui::ArticleFont());
    ui::SetHint(*MemoRichEdit, "範囲選択後、マウスを右クリックするとコピーできます"_sj);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(MemoPanel);
    column->addWidget(MemoRichEdit);

    // Freed after the window, so that a walk over the top-level windows that
    // closes memo windows never meets a menu already gone.
    MemoPopMenu1 = new QMenu;
    MemoSentakuAction = Item(this, MemoPopMenu1, "選択文字検索(&K)", Qt::CTRL | Qt::Key_K, "選択文字で検索");
    MemoPopMenu1->addSeparator();
    MemoCopyAction = Item(this, MemoPopMenu1, "コピー(&C)", Qt::CTRL | Qt::Key_C, "選択範囲のコピー");
    MemoAllSelectAction =
        Item(this, MemoPopMenu1, "すべて選択(&A)", Qt::CTRL | Qt::Key_A, "本文をすべて選択");
    MemoPopMenu1->addSeparator();
    MemoPrintAction = Item(this, MemoPopMenu1, "印刷(&P)", Qt::CTRL | Qt::Key_P, "印刷の実行");
    MemoWordAction = Item(this, MemoPopMenu1, "ワードへ(&W)", Qt::CTRL | Qt::Key_W, "Wordへ条文を貼付");
    MemoSansyo = Item(this, MemoPopMenu1, "参照条文(&S)", Qt::CTRL | Qt::Key_S);

    MemoRichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MemoRichEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        MemoPopMenu1->popup(MemoRichEdit->viewport()->mapToGlobal(at));
    });
    connect(MemoRichEdit, &ui::RichEdit::mousePressed, this,
            [this](Qt::MouseButton, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                   bool doubleClick,
                   QPoint pos) { MemoRichEditMouseDown(buttons, modifiers, doubleClick, pos); });
    connect(MemoRichEdit, &ui::RichEdit::mouseMoved, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) { MemoRichEditMouseMove(pos); });

    connect(HomeMove, &QToolButton::clicked, this, &TMemoWindow::HomeMoveClick);
    connect(MemoPrint, &QToolButton::clicked, this, &TMemoWindow::MemoPrintClick);
    connect(MemoPrintAction, &QAction::triggered, this, &TMemoWindow::MemoPrintClick);
    connect(MemoWord, &QToolButton::clicked, this, &TMemoWindow::MemoWordClick);
    connect(MemoWordAction, &QAction::triggered, this, &TMemoWindow::MemoWordClick);
    connect(MemoKensaku, &QToolButton::clicked, this, &TMemoWindow::MemoSentakuActionClick);
    connect(MemoSentakuAction, &QAction::triggered, this, &TMemoWindow::MemoSentakuActionClick);
    connect(MemoKanren, &QToolButton::clicked, this, &TMemoWindow::MemoKanrenClick);
    connect(MemoSansyo, &QAction::triggered, this, &TMemoWindow::MemoKanrenClick);
    connect(MemoCopyAction, &QAction::triggered, this, &TMemoWindow::MemoCopyActionClick);
    connect(MemoAllSelectAction, &QAction::triggered, this, &TMemoWindow::MemoAllSelectActionClick);
    MemoNet->installEventFilter(new PressFilter(this));

    // The application's forms go when it ends.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);

    FormCreate();
}

TMemoWindow::~TMemoWindow()
{
    MemoPopMenu1->deleteLater();
    if (MemoWindow == this)
        MemoWindow = nullptr;
}

void TMemoWindow::FormCreate()
{
    if (Main && platform::Sys().ColorTableSize(*Main) >= 0)
        for (const ButtonDesign& design : Buttons)
            (this->*design.button)->LoadGlyph(design.glyphFile);
    MemoWindowFill(*this);
}

void TMemoWindow::FormResize()
{
    MemoRichEdit->viewport()->repaint();
}

void TMemoWindow::MemoRichEditMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                        bool doubleClick, const QPoint& pos)
{
    MemoLinkJump(*this, buttons, modifiers, doubleClick, pos);
}

void TMemoWindow::MemoRichEditMouseMove(const QPoint& pos)
{
    MemoLinkCursorSet(*this, pos);
}

void TMemoWindow::MemoSentakuActionClick()
{
    MemoSentakuKensaku(*this);
}

void TMemoWindow::MemoKanrenClick()
{
    SansyoCode = 0;
    MemoSansyoKensaku(*this);
}

void TMemoWindow::HomeMoveClick()
{
    MemoHomeMove(*this);
}

void TMemoWindow::MemoPrintClick()
{
    MemoPrintOut(*this);
}

void TMemoWindow::MemoWordClick()
{
    MemoWordExport(*this);
}

void TMemoWindow::MemoCopyActionClick()
{
    platform::Sys().SetClipboardText(MemoRichEdit->SelText());
}

void TMemoWindow::MemoAllSelectActionClick()
{
    MemoRichEdit->SelectAll();
}

// The press point is relative to the button but converted as if it were
// relative to the window's client area, so the menu opens near the window's
// top left corner, 100 pixels to the right.
void TMemoWindow::MemoNetMouseDown(const QPoint& pos)
{
    if (Main)
        Main->NetPopupMenu1->popup(mapToGlobal(pos) + QPoint(100, 0));
}

void TMemoWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void MemoWindowOpen()
{
    Qt::WindowState state = Qt::WindowNoState;
    if (MemoLinkMode != 1) {
        switch (platform::AskYesNoCancel("メモウインドウを画面一杯に大きくしますか。"_sj, "MemoWindow States")) {
        case platform::Answer::Yes:
            state = Qt::WindowMaximized;
            break;
        case platform::Answer::No:
            state = Qt::WindowMinimized;
            break;
        default:
            return;
        }
    }
    auto* window = new TMemoWindow;
    window->setWindowState(state);
    window->show();
    MemoWindow = window;
}
