#include "platform/ui/memo.h"

#include "platform/text/sjis.h"

namespace ui {

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {}

std::string Memo::Text() const
{
    return sjis::replaceAllBytes(sjis::fromQString(toPlainText()), "\n", "\r\n");
}

void Memo::SetText(std::string_view cp932)
{
    // CR LF, a lone LF and a lone CR each end a line.
    const std::string lf = sjis::replaceAllBytes(sjis::replaceAllBytes(cp932, "\r\n", "\n"), "\r", "\n");
    setPlainText(sjis::toQString(lf));
}

} // namespace ui
