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
    std::unique_ptr<QKeyEvent> replacement;
    if (!FilterKeyPress(OnKeyPress, *event, replacement))
        QLineEdit::keyPressEvent(event);
    else if (replacement)
        QLineEdit::keyPressEvent(replacement.get());
}

void Edit::inputMethodEvent(QInputMethodEvent* event)
{
    std::unique_ptr<QInputMethodEvent> replacement;
    const bool filtered = FilterInputMethod(OnKeyPress, *event, replacement);
    QLineEdit::inputMethodEvent(filtered ? replacement.get() : event);
}

// The desktop's input method asks this before it composes for the control.
QVariant Edit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && imeMode_ == ImeMode::Close)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

} // namespace ui
