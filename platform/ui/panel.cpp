#include "platform/ui/panel.h"

namespace ui {

Panel::Panel(QWidget* parent) : QFrame(parent) {}

int Panel::Height() const
{
    return minimumHeight() == maximumHeight() ? maximumHeight() : height();
}

void Panel::SetHeight(int height)
{
    setFixedHeight(height);
}

int Panel::Width() const
{
    return minimumWidth() == maximumWidth() ? maximumWidth() : width();
}

void Panel::SetWidth(int width)
{
    setFixedWidth(width);
}

} // namespace ui
