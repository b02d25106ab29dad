#include "authoring/toolpas.h"

#include "app/mainpas.h"
#include "app/tab_dispatch.h"
#include "authoring/tool_position.h"
#include "data/namepas.h"
#include "platform/richedit/windows_fonts.h"
#include "platform/text/sjis.h"
#include "platform/ui/button.h"
#include "platform/ui/page_control.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

namespace {

struct ButtonDesign {
    QPushButton* TTool::*button;
    const char* caption;
    int left;
};

// In tab order, which is also their order from the left.
const ButtonDesign Buttons[] = {
    {&TTool::Button1, "HyperLink", 0},      {&TTool::Button3, "SpecialSearch", 80},
    {&TTool::Button5, "PositionSave", 160}, {&TTool::Button4, "ReturnPositon", 240},
    {&TTool::Button2, "NextData", 320},
};

int ActiveJyobunTab()
{
    return JyobunTabIndex(Main->MainPageControl->ActivePage());
}

} // namespace

TTool::TTool()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Tool"));
    ui::installWindowsFonts();
    QFont font(sjis::toQString("ＭＳ Ｐゴシック"_sj));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(396, 19); // a dialog border: not sizable

    QWidget* previous = nullptr;
    for (const ButtonDesign& design : Buttons) {
        auto* button = new ui::Button(QString::fromLatin1(design.caption), this);
        button->setGeometry(design.left, 0, 76, 19);
        this->*design.button = button;
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    connect(Button1, &QPushButton::clicked, this, &TTool::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TTool::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TTool::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TTool::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TTool::Button5Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The application's forms go when it ends.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
}

TTool::~TTool()
{
    if (Tool == this)
        Tool = nullptr;
}

void TTool::Button1Click()
{
    TabNo = ActiveJyobunTab();
    if (TabNo > -1)
        ToolHyperLinkOpen(TabNo);
}

void TTool::Button2Click()
{
    TabNo = ActiveJyobunTab();
    if (TabNo > -1)
        ToolNextData(TabNo);
}

void TTool::Button3Click()
{
    TabNo = ActiveJyobunTab();
    if (TabNo > -1)
        ToolSpecialSearch(TabNo);
}

// Works from any page: the law tab comes from the saved position.
void TTool::Button4Click()
{
    TabNo = ActiveJyobunTab();
    PositionReturn();
}

void TTool::Button5Click()
{
    TabNo = ActiveJyobunTab();
    if (TabNo > -1)
        PositionSave(TabNo);
}

// Close action "free": Qt deletes the form once the close is accepted.
void TTool::FormClose()
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void TTool::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void ToolFormOpen()
{
    Tool = new TTool;
    Tool->show();
}
