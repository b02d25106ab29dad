#include "platform/ui/edit.h"

#include "platform/text/sjis.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace ui {

Edit::Edit(QWidget* parent) : QLineEdit(parent) {}

std::string Edit::Text() const
{
    return sjis::fromQString(text());
}

void Edit::SetText(std::string_view cp932)
{
    setText(sjis::toQString(cp932));
}

void Edit::SetTabStop(bool on)
{
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

bool Edit::TabStop() const
{
    return focusPolicy() & Qt::TabFocus;
}

void Edit::keyPressEvent(QKeyEvent* event)
{
    DeliverKeyPress(OnKeyPress, *event, [this](QKeyEvent* e) { QLineEdit::keyPressEvent(e); });
}

void Edit::inputMethodEvent(QInputMethodEvent* event)
{
    DeliverInputMethod(OnKeyPress, *event, [this](QInputMethodEvent* e) { QLineEdit::inputMethodEvent(e); });
}

// The desktop's input method asks this before it composes for the control.
QVariant Edit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && imeMode_ == ImeMode::Close)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

} // namespace ui
