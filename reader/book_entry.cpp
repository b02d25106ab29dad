#include "reader/book_entry.h"

#include "data/namepas.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/screen_cursor.h"
#include "reader/scratch_file.h"

#include <QColor>

#include <exception>

namespace {

const std::string Zenkaku = "　"_sj;

// The hourglass while a colouring pass runs, also when it fails.
struct HourGlass {
    HourGlass() { ui::SetScreenCursor(ui::ScreenCursor::HourGlass); }
    ~HourGlass() { ui::SetScreenCursor(ui::ScreenCursor::Default); }
};

// Painting waits until the colours are in.
struct PaintPause {
    ui::RichEdit& view;
    explicit PaintPause(ui::RichEdit& v) : view(v) { view.setUpdatesEnabled(false); }
    ~PaintPause() { view.setUpdatesEnabled(true); }
};

// The search restarts behind each hit, so hits never overlap; a hit at or
// beyond endPos is still coloured and ends the pass.
void keyColor(ui::RichEdit& view, const std::string& keyWord, const QColor& color, int startPos,
              int endPos)
{
    const HourGlass hourGlass;
    view.SetSelStart(startPos);
    int p = startPos;
    while (p > -1 && p < endPos) {
        const int length = static_cast<int>(view.Text().size());
        p = view.FindText(keyWord, view.SelStart() + view.SelLength(), length - view.SelStart());
        if (p > -1) {
            view.SetSelStart(p);
            view.SetSelLength(static_cast<int>(keyWord.size()));
            view.SetSelColor(color);
        }
    }
    view.SetSelStart(0);
}

// Long name, edition and publisher of the entry's book; empty when the name
// table has no row for it (rather than another book's name).
std::string titleLine(db::Table& entry, db::Table& names)
{
    const db::Value bookNo = entry.FieldByName("BookNo").AsInteger();
    const db::Value renban = entry.FieldByName("BookRenban").AsInteger();
    if (!names.Locate("BookNo;BookRenban", {bookNo, renban}))
        return {};
    return names.FieldByName("BookNameLong").AsString() + Zenkaku
           + names.FieldByName("BookHan").AsString() + Zenkaku
           + names.FieldByName("BookSyupan").AsString();
}

} // namespace

void BooksKeyColor1(int b, int startPos, int endPos)
{
    keyColor(*BooksRichEdit[b], BooksKeyWord1[b], QColor(255, 0, 0), startPos, endPos);
}

void BooksKeyColor2(int b, int startPos, int endPos)
{
    keyColor(*BooksRichEdit[b], BooksKeyWord2[b], QColor(255, 0, 255), startPos, endPos);
}

namespace {

// Entries shown in each tab's view, to tell whether an action showed one.
BooksArray<unsigned> shows{};

} // namespace

void BooksHonbunShow(int b)
{
    ++shows[b];
    ui::RichEdit& view = *BooksRichEdit[b];
    db::Table& entry = *BooksSubTable[b];
    view.Clear();

    db::StringList lines;
    lines.push_back(titleLine(entry, *BooksNameTable[b]));
    std::string mokuji = entry.FieldByName("Mokuji").AsString();
    if (mokuji.starts_with(Zenkaku))
        mokuji.erase(0, Zenkaku.size());
    lines.push_back(std::move(mokuji));
    try {
        view.LoadPlainText(lines[0] + "\r\n" + lines[1]);
    } catch (const std::exception&) {
        ScratchFileLoad(view, lines);
    }

    // Key word 1 goes last, so text matched by both ends red.
    const PaintPause pause(view);
    if (!BooksKeyWord2[b].empty())
        BooksKeyColor2(b, 0, 1000000);
    if (!BooksKeyWord1[b].empty())
        BooksKeyColor1(b, 0, 1000000);
}

void BooksKeyWordsShow(int b, const std::function<void()>& change)
{
    const std::string key1 = BooksKeyWord1[b];
    const std::string key2 = BooksKeyWord2[b];
    const unsigned shown = shows[b];
    change();
    if ((BooksKeyWord1[b] != key1 || BooksKeyWord2[b] != key2) && shows[b] == shown
        && BooksSubTable[b]->Active())
        BooksHonbunShow(b);
}
