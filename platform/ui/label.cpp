#include "platform/ui/label.h"

#include "platform/text/sjis.h"

namespace ui {

Label::Label(std::string_view cp932Caption, QWidget* parent)
    : QLabel(sjis::toQString(cp932Caption), parent)
{
}

std::string Label::Caption() const
{
    return sjis::fromQString(text());
}

void Label::SetCaption(std::string_view cp932)
{
    setText(sjis::toQString(cp932));
}

} // namespace ui
