#include "reader/memo_article_copy.h"

#include "platform/app/system.h"
#include "platform/richedit/rich_edit.h"
#include "reader/scratch_file.h"

#include <exception>

namespace {

void scratchCopy(ui::RichEdit& copy, const ui::RichEdit& view)
{
    copy.Clear();
    try {
        ScratchFileLoad(copy, view);
    } catch (const std::exception&) {
        // The clipboard copy still follows.
    }
}

} // namespace

void MemoArticleCopy(ui::RichEdit& copy, ui::RichEdit& view, const std::string& rtf)
{
    try {
        copy.LoadRichText(rtf);
    } catch (const ui::RichTextError&) {
        scratchCopy(copy, view);
    }
    if (copy.Text() != view.Text())
        scratchCopy(copy, view);
    if (copy.Text() == view.Text())
        return;
    const int caret = view.SelStart();
    view.SelectAll();
    view.CopyToClipboard();
    view.SetSelStart(caret);
    copy.SetReadOnly(false);
    copy.SelectAll();
    copy.PasteFromClipboard();
    copy.SetReadOnly(true);
    platform::Sys().SetClipboardText("");
}
