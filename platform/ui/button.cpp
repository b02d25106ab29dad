#include "platform/ui/button.h"

#include "platform/ui/key_press.h"

#include <QKeyEvent>

namespace ui {

Button::Button(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

void Button::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterPress(*event)) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace ui
