#include "windows/temppas.h"

#include "platform/richedit/rich_edit.h"
#include "platform/richedit/windows_fonts.h"

#include <QVBoxLayout>

TTemp::TTemp()
{
    setWindowTitle(QStringLiteral("Temp"));
    TempRichEdit1 = new ui::RichEdit(this);
    TempRichEdit1->setFont(ui::ArticleFont());
    TempRichEdit1->SetReadOnly(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TempRichEdit1);
}
