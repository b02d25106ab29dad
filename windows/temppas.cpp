#include "windows/temppas.h"

#include "platform/richedit/rich_edit.h"
#include "platform/richedit/windows_fonts.h"
#include "platform/text/sjis.h"

#include <QFont>
#include <QVBoxLayout>

TTemp::TTemp()
{
    setWindowTitle(QStringLiteral("Temp"));
    ui::installWindowsFonts();
    TempRichEdit1 = new ui::RichEdit(this);
    QFont font(sjis::toQString("ＭＳ 明朝"_sj));
    font.setPixelSize(16);
    TempRichEdit1->setFont(font);
    TempRichEdit1->SetReadOnly(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TempRichEdit1);
}
