// The main window's web pages, help page and About box.
#include "app/mainpas.h"

#include "platform/ui/tool_button.h"
#include "reader/web_pages.h"

#include <QAction>
#include <QMenu>

void TMain::WebConnect()
{
    const auto wire = [this](QAction* item, void (TMain::*handler)()) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, handler);
    };
    wire(RonvettaHomePage, &TMain::RonvettaHomePageClick);
    wire(MenuRonvettaHomePage, &TMain::RonvettaHomePageClick);
    wire(HoureiDataBase, &TMain::HoureiDataBaseClick);
    wire(MenuHoureiDataBase, &TMain::HoureiDataBaseClick);
    wire(KokuzeiTutatu, &TMain::KokuzeiTutatuClick);
    wire(MenuKokuzeiTutatu, &TMain::KokuzeiTutatuClick);
    wire(TaxAnswer, &TMain::TaxAnswerClick);
    wire(MenuTaxAnswer, &TMain::TaxAnswerClick);
    wire(KokuzeiRosen, &TMain::KokuzeiRosenClick);
    wire(MenuKokuzeiRosen, &TMain::KokuzeiRosenClick);
    wire(HuhukuSaiketu, &TMain::HuhukuSaiketuClick);
    wire(MenuHuhukuSaiketu, &TMain::HuhukuSaiketuClick);
    wire(KokuzeiSitugi, &TMain::KokuzeiSitugiClick);
    wire(KokuzeiHp, &TMain::KokuzeiHpClick);
    wire(OrvelKawase, &TMain::OrvelKawaseClick);
    wire(HTML1, &TMain::HTML1Click);
    wire(HTML2, &TMain::HTML1Click);
    wire(About1, &TMain::About1Click);

    BBtnNet->setEnabled(true);
    connect(BBtnNet, &ui::ToolButton::mousePressed, this, &TMain::BBtnNetMouseDown);
    // The press has popped the menu up already; the context-menu request
    // that follows a right press must not move it.
    disconnect(BBtnNet, &QWidget::customContextMenuRequested, nullptr, nullptr);
    connect(BBtnNet, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!NetPopupMenu1->isVisible())
            NetPopupMenu1->popup(BBtnNet->mapToGlobal(at));
    });
}

// The press offset is taken as if it lay in the window's client area, so
// the menu opens near the window's upper left, not under the button.
void TMain::BBtnNetMouseDown(Qt::MouseButton, QPoint pos)
{
    const QWidget* client = centralWidget() ? centralWidget() : this;
    QPoint at = client->mapToGlobal(pos);
    at.rx() += 200;
    BBtnNet->setDown(false);
    NetPopupMenu1->popup(at);
}

void TMain::RonvettaHomePageClick()
{
    NetPageOpen(1);
}

void TMain::HoureiDataBaseClick()
{
    NetPageOpen(2);
}

void TMain::KokuzeiTutatuClick()
{
    NetPageOpen(3);
}

void TMain::TaxAnswerClick()
{
    NetPageOpen(4);
}

void TMain::KokuzeiRosenClick()
{
    NetPageOpen(5);
}

void TMain::HuhukuSaiketuClick()
{
    NetPageOpen(6);
}

void TMain::KokuzeiSitugiClick()
{
    NetPageOpen(7);
}

void TMain::KokuzeiHpClick()
{
    NetPageOpen(8);
}

void TMain::OrvelKawaseClick()
{
    NetPageOpen(9);
}

void TMain::HTML1Click()
{
    HtmlHelpOpen();
}

void TMain::About1Click()
{
    VersionInfoShow();
}
