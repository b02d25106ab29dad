#include "reader/memo_output.h"

#include "app/mainpas.h"
#include "data/namepas.h"
#include "platform/app/printing.h"
#include "platform/app/system.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "reader/memo_article_copy.h"
#include "reader/output.h"
#include "windows/memopas.h"
#include "windows/temppas.h"

#include <QColor>
#include <QRect>

#include <memory>

void MemoPrintOut(TMemoWindow& memo)
{
    // The scratch form lives for one print, also when the print fails.
    const std::unique_ptr<TTemp> form = std::make_unique<TTemp>();
    Temp = form.get();
    struct TempOff {
        ~TempOff() { Temp = nullptr; }
    } const tempOff;
    ui::RichEdit& copy = *form->TempRichEdit1;
    MemoArticleCopy(copy, *memo.MemoRichEdit, memo.MemoRtf);
    // Paper shows the text alone: no key-word, link or bracket colours.
    copy.SelectAll();
    copy.SetSelColor(Qt::black);
    copy.SetSelBold(false);
    copy.SetSelSize(11);
    if (platform::Printer().PrinterSetup(Main))
        platform::Printer().PrintRichEdit(copy, QRect(QPoint(60, 70), QPoint(2249, 3249)),
                                          "Ronvetta 条文印刷"_sj);
}

// Unlike the main window's Word button, an empty text is exported too.
void MemoWordExport(TMemoWindow& memo)
{
    platform::Sys().SetClipboardText(memo.MemoRichEdit->Text());
    WordExport();
}
