#include "reader/commands.h"

#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/tree_view.h"
#include "reader/contents_tree.h"
#include "reader/honbun_rtf_make.h"
#include "reader/kensaku.h"
#include "reader/panel_layout.h"
#include "reader/rireki.h"
#include "reader/tab_reset.h"

#include <string>

namespace {

// The tree repaints once, even when its file turns out to be faulty.
class TreeUpdateLock {
public:
    explicit TreeUpdateLock(ui::TreeView& tree) : tree_(tree) { tree_.BeginUpdate(); }
    ~TreeUpdateLock() { tree_.EndUpdate(); }
    TreeUpdateLock(const TreeUpdateLock&) = delete;
    TreeUpdateLock& operator=(const TreeUpdateLock&) = delete;

private:
    ui::TreeView& tree_;
};

// The selected text goes into key edit 1 alone, the number edit emptied.
bool SelectionToKeyEdits(const ui::RichEdit& view, ui::Edit& number, ui::Edit& key1, ui::Edit& key2)
{
    if (view.SelLength() <= 0)
        return false;
    number.SetText("");
    key1.SetText(view.SelText());
    key2.SetText("");
    return true;
}

void ColorKeyNormalise(ui::Edit& key1, ui::Edit& key2, std::string_view from)
{
    const std::string minus = "－"_sj;
    key1.SetText(sjis::replaceAll(key1.Text(), from, minus));
    key2.SetText(sjis::replaceAll(key2.Text(), from, minus));
}

void SelectionDrop(ui::RichEdit& view)
{
    if (view.SelLength() > 0)
        view.SetSelLength(0);
}

} // namespace

void HomeStart()
{
    LinkBusy = 0;
    MemoLinkMode = 0;
    RirekiSave();
}

void JyobunHome(int i)
{
    TreeUpdateLock lock(*JyobunTreeView[i]);
    JyobunClear(i);
    JyobunReset(i);
    JyobunPanelHeightSet(i);
    MokujiTreeLoad(i);
}

void BooksHome(int b)
{
    BooksClear(b);
    BooksReset(b);
    BooksPanelHeightSet(b);
}

void JyobunSentakuKensaku(int i)
{
    if (!SelectionToKeyEdits(*JyobunRichEdit[i], *JyobunEditBangou[i], *JyobunEditKey1[i],
                             *JyobunEditKey2[i])) {
        platform::ShowMessage("条文本文でキーワードを選択して下さい。"_sj);
        return;
    }
    JyobunKensaku(i);
}

void BooksSentakuKensaku(int b)
{
    if (!SelectionToKeyEdits(*BooksRichEdit[b], *BooksEditPage[b], *BooksEditKey1[b], *BooksEditKey2[b])) {
        platform::ShowMessage("目次ウインドウでキーワードを選択して下さい。"_sj);
        return;
    }
    BooksKensaku(b);
}

void JyobunColorSet(int i)
{
    ui::Edit& key1 = *JyobunEditKey1[i];
    ui::Edit& key2 = *JyobunEditKey2[i];
    if (key1.Text().empty() && key2.Text().empty())
        return;
    key1.SetText(SuujiZenkaku(key1.Text()));
    key2.SetText(SuujiZenkaku(key2.Text()));
    ColorKeyNormalise(key1, key2, "-");
    ColorKeyNormalise(key1, key2, "ー"_sj);
    JyobunKeyWord1[i] = key1.Text();
    JyobunKeyWord2[i] = key2.Text();
    HonbunRtfMake(i);
}

void JyobunSelectionDrop(int i)
{
    SelectionDrop(*JyobunRichEdit[i]);
}

void BooksSelectionDrop(int b)
{
    SelectionDrop(*BooksRichEdit[b]);
}

void DBGridNextRecord(const ui::DBGrid& grid)
{
    // A table that failed to open at start-up has no record to move to.
    const db::DataSource* source = grid.DataSource();
    db::Dataset* ds = source ? source->DataSet() : nullptr;
    if (ds && ds->Active())
        ds->Next();
}
