#include "reader/memo_output.h"

#include "app/mainpas.h"
#include "data/namepas.h"
#include "platform/app/system.h"
#include "platform/richedit/rich_edit.h"
#include "reader/output.h"
#include "windows/memopas.h"

void MemoPrintOut(TMemoWindow& memo)
{
    ArticlePrint(*memo.MemoRichEdit, memo.MemoRtf, Main);
}

// Unlike the main window's Word button, an empty text is exported too.
void MemoWordExport(TMemoWindow& memo)
{
    platform::Sys().SetClipboardText(memo.MemoRichEdit->Text());
    WordExport();
}
