#include "platform/ui/hint.h"

#include "platform/text/sjis.h"

#include <QAction>
#include <QWidget>

namespace ui {

// Qt sends a status-tip event up from the control under the mouse and from a
// highlighted menu item; that is where the application's hint comes from.
void SetHint(QWidget& control, std::string_view cp932)
{
    control.setStatusTip(sjis::toQString(cp932));
}

void SetHint(QAction& item, std::string_view cp932)
{
    item.setStatusTip(sjis::toQString(cp932));
}

std::string Hint(const QWidget& control)
{
    return sjis::fromQString(control.statusTip());
}

std::string Hint(const QAction& item)
{
    return sjis::fromQString(item.statusTip());
}

} // namespace ui
