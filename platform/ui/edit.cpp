#include "platform/ui/edit.h"

#include "platform/text/sjis.h"

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

} // namespace ui
