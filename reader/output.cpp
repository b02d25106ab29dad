#include "reader/output.h"

#include "data/namepas.h"
#include "platform/app/printing.h"
#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/app/text_file.h"
#include "platform/app/word_export.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/memo.h"
#include "reader/scratch_file.h"
#include "windows/temppas.h"

#include <QColor>

#include <exception>
#include <memory>

namespace {

// The page rectangle of a law print, in the units of a 300-dpi printer.
const QRect ArticlePage(QPoint(60, 70), QPoint(2250 - 1, 3250 - 1));

// The scratch form lives for one print, also when the print fails.
struct ScratchForm {
    std::unique_ptr<TTemp> form = std::make_unique<TTemp>();
    ScratchForm() { Temp = form.get(); }
    ~ScratchForm() { Temp = nullptr; }
};

void WordPaste()
{
    platform::WordApplication& word = platform::Word();
    word.Connect();
    try {
        word.SetVisible(true);
        word.AddDocument();
        word.PasteIntoSelection();
        // To the top of the pasted text.
        word.MoveSelectionUp(platform::WordApplication::wdParagraph, 1000, 0);
    } catch (const std::exception&) {
        word.Disconnect();
        throw;
    }
    word.Disconnect();
}

// The clipboard text as a plain CP932 text file, opened through the desktop.
void WordFallback()
{
    const std::string name = WordFallbackFileName();
    try {
        platform::SaveLines(name, platform::SplitLines(platform::Sys().ClipboardText()));
    } catch (const platform::FileError&) {
        // A half-written file (a full disk) is no export; the next try reuses its number.
        platform::Sys().DeleteFile(name);
        throw;
    }
    platform::Sys().OpenDocument(name);
}

} // namespace

void ArticleCopy(ui::RichEdit& copy, ui::RichEdit& view, const std::string& rtf)
{
    bool loaded = true;
    try {
        copy.LoadRichText(rtf);
    } catch (const std::exception&) {
        loaded = false;
    }
    if (!loaded || copy.Text() != view.Text()) {
        try {
            ScratchFileLoad(copy, view);
        } catch (const std::exception&) {
            // The clipboard below still copies the view.
        }
    }
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

void ArticlePrint(ui::RichEdit& view, const std::string& rtf, QWidget* owner)
{
    const ScratchForm scratch;
    ui::RichEdit& copy = *scratch.form->TempRichEdit1;
    ArticleCopy(copy, view, rtf);
    // Paper shows the text alone: no key-word, link or bracket colours.
    copy.SelectAll();
    copy.SetSelColor(Qt::black);
    copy.SetSelBold(false);
    copy.SetSelSize(11);
    if (platform::Printer().PrinterSetup(owner))
        platform::Printer().PrintRichEdit(copy, ArticlePage, "Ronvetta 条文印刷"_sj);
}

void JyobunPrint(int i)
{
    ArticlePrint(*JyobunRichEdit[i], JyobunRtfCache[i], JyobunRichEdit[i]->window());
}

void BooksPrint(int b)
{
    ui::RichEdit& view = *BooksRichEdit[b];
    ui::Memo& memo = *BooksMemo[b];
    QWidget& form = *view.window();
    if (!platform::Printer().PrinterSetup(&form))
        return;
    // The plain memo takes the rich edit's place, so the print has no colours.
    memo.SetText(view.Text());
    memo.show();
    view.hide();
    struct Restore {
        ui::RichEdit& view;
        ui::Memo& memo;
        ~Restore()
        {
            view.show();
            memo.hide();
            memo.clear();
        }
    } const restore{view, memo};
    platform::Printer().PrintForm(form);
}

void JyobunSelCopy(int i)
{
    platform::Sys().SetClipboardText(JyobunRichEdit[i]->SelText());
}

void BooksSelCopy(int b)
{
    platform::Sys().SetClipboardText(BooksRichEdit[b]->SelText());
}

void JyobunAllCopy(int i)
{
    platform::Sys().SetClipboardText(JyobunRichEdit[i]->Text());
}

void BooksAllCopy(int b)
{
    platform::Sys().SetClipboardText(BooksRichEdit[b]->Text());
}

std::string WordFallbackFileName()
{
    int n = 1;
    while (platform::FileExists("Temp" + std::to_string(n) + ".doc"))
        ++n;
    return "Temp" + std::to_string(n) + ".doc";
}

void WordExport()
{
    try {
        WordPaste();
    } catch (const std::exception&) {
        try {
            WordFallback();
        } catch (const std::exception&) {
            platform::ShowMessage("Microsoft Wordが起動できません"_sj);
        }
    }
}
