#include "platform/ui/button.h"

#include "platform/ui/key_press.h"

#include <QKeyEvent>
#include <QStyle>

#include <algorithm>

namespace ui {

Button::Button(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    QSizePolicy policy = sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Preferred);
    setSizePolicy(policy);
}

QSize Button::minimumSizeHint() const
{
    // The caption and the button's margins, without the style's least width.
    const int margins = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this)
                        + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int caption = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
    return {std::min(caption + margins, sizeHint().width()), sizeHint().height()};
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
