#include "platform/app/printing.h"

#include "platform/app/modal.h"
#include "platform/app/seam.h"
#include "platform/richedit/rich_edit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <stdexcept>

namespace platform {

namespace {

constexpr int PageRectDpi = 300;

Printing realPrinting;
Seam<Printing> printingSeam(realPrinting);

} // namespace

// One printer for the run, so the set-up's choice holds for the print that follows.
QPrinter& Printing::SharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool Printing::PrinterSetup(QWidget* owner)
{
    QPrintDialog dialog(&SharedPrinter(), owner);
    return RunModal(dialog) == QDialog::Accepted;
}

void Printing::PrintRichEdit(const ui::RichEdit& view, const QRect& pageRect, const std::string& title)
{
    QPrinter& printer = SharedPrinter();
    const double scale = static_cast<double>(printer.resolution()) / PageRectDpi;
    const QRectF device(QPointF(pageRect.topLeft()) * scale, QSizeF(pageRect.size()) * scale);
    view.Print(printer, device.toRect(), title);
}

void Printing::PrintForm(QWidget& form)
{
    QPrinter& printer = SharedPrinter();
    printer.setDocName(form.windowTitle());
    // Controls just shown or hidden take their places before the picture.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // The client area: a main window's menu bar is no part of it.
    QRect client = form.rect();
    const auto* window = qobject_cast<QMainWindow*>(&form);
    if (const QWidget* menu = window ? window->menuWidget() : nullptr; menu && menu->isVisible())
        client.setTop(menu->geometry().bottom() + 1);
    const QPixmap image = form.grab(client);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer cannot be opened");
    // Scaled to the page, the window's proportions kept.
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
    painter.end();
}

Printing& Printer()
{
    return printingSeam.Current();
}

Printing* SetPrinting(Printing* replacement)
{
    return printingSeam.Install(replacement);
}

} // namespace platform
