#include "platform/ui/tool_button.h"

#include "platform/text/sjis.h"
#include "platform/ui/hint.h"
#include "platform/ui/key_press.h"

#include <QBitmap>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>

namespace ui {

ToolButton::ToolButton(QWidget* parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
}

std::string ToolButton::Caption() const
{
    return sjis::fromQString(text());
}

void ToolButton::SetCaption(std::string_view cp932)
{
    setText(sjis::toQString(cp932));
}

void ToolButton::SetHint(std::string_view cp932)
{
    ui::SetHint(*this, cp932);
    setToolTip(sjis::toQString(cp932));
}

void ToolButton::SetGlyph(const QIcon& glyph)
{
    setIcon(glyph);
}

bool ToolButton::LoadGlyph(std::string_view cp932FileName)
{
    QImage image(sjis::toQString(cp932FileName), "BMP");
    if (image.isNull())
        return false;
    const int side = image.height();
    if (side > 0 && image.width() > side && image.width() % side == 0)
        image = image.copy(0, 0, side, side);
    QPixmap glyph = QPixmap::fromImage(image);
    glyph.setMask(QBitmap::fromImage(
        image.createMaskFromColor(image.pixel(0, image.height() - 1), Qt::MaskInColor)));
    setIcon(QIcon(glyph));
    return true;
}

void ToolButton::mousePressEvent(QMouseEvent* event)
{
    QToolButton::mousePressEvent(event);
    emit mousePressed(event->button(), event->position().toPoint());
}

void ToolButton::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterPress(*event)) {
        click();
        event->accept();
        return;
    }
    QToolButton::keyPressEvent(event);
}

} // namespace ui
