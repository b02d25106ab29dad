#include "reader/rireki.h"

#include "app/mainpas.h"
#include "app/tab_dispatch.h"
#include "data/namepas.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/tree_view.h"
#include "reader/book_entry.h"
#include "reader/honbun_rtf_make.h"
#include "reader/panel_layout.h"

#include <algorithm>

namespace {

// What a place is made of on one tab: law and book tabs differ only in
// their controls, their row key and the tree, which book tabs lack.
struct TabPlace {
    ui::TabSheet* sheet;
    db::DataSource* source;
    db::Table* mainTable;
    const char* keyField;
    ui::RichEdit* richEdit;
    std::string& keyWord1;
    std::string& keyWord2;
    ui::Edit* editKey1;
    ui::Edit* editKey2;
    ui::Edit* editNumber;
    ui::ComboBox* comboBox;
    ui::Panel* panel;
    ui::TreeView* treeView; // none on a book tab
    void (*gridWidthSet)(int);
    void (*keyWordsShow)(int, const std::function<void()>&);
    int tab;
};

TabPlace LawPlace(int i)
{
    return {JyobunTabSheet[i], JyobunMainSource[i], JyobunMainTable[i], "Gyo",
            JyobunRichEdit[i], JyobunKeyWord1[i], JyobunKeyWord2[i], JyobunEditKey1[i],
            JyobunEditKey2[i], JyobunEditBangou[i], JyobunComboBox[i], JyobunPanel2[i],
            JyobunTreeView[i], JyobunGridWidthSet, JyobunKeyWordsShow, i};
}

TabPlace BookPlace(int b)
{
    return {BooksTabSheet[b], BooksMainSource[b], BooksMainTable[b], "BookSeq",
            BooksRichEdit[b], BooksKeyWord1[b], BooksKeyWord2[b], BooksEditKey1[b],
            BooksEditKey2[b], BooksEditPage[b], BooksComboBox[b], BooksPanel3[b],
            nullptr, BooksGridWidthSet, BooksKeyWordsShow, b};
}

ui::TabSheet* ActivePage()
{
    return Main->MainPageControl->ActivePage();
}

void EntryWrite(const TabPlace& p, TCasheData& e)
{
    db::Dataset* ds = p.source->DataSet();
    e.TabSheet = ActivePage();
    e.DataSet = ds;
    e.Filter = ds->Filter();
    e.Filtered = ds->Filtered();
    // A table that failed to open at start-up has no row to come back to;
    // its tab must not make every later store fail.
    e.RowKey = ds->Active() ? static_cast<int>(ds->FieldByName(p.keyField).AsInteger()) : 0;
    e.SelStart = p.richEdit->SelStart();
    e.KeyWord1 = p.keyWord1;
    e.KeyWord2 = p.keyWord2;
    e.NumberText = p.editNumber->Text();
    e.ScopeIndex = p.comboBox->ItemIndex();
    e.PanelHeight = p.panel->Height();
    if (p.treeView)
        e.TreeWidth = p.treeView->width();
}

// The key words go in before the grid's dataset and row change, so that the
// text rebuilt on the way carries their colours.
void PlaceRestore(const TabPlace& p, const TCasheData& e)
{
    p.keyWord1 = e.KeyWord1;
    p.keyWord2 = e.KeyWord2;
    p.editKey1->SetText(e.KeyWord1);
    p.editKey2->SetText(e.KeyWord2);
    p.editNumber->SetText(e.NumberText);
    p.panel->SetHeight(e.PanelHeight);
    if (p.treeView)
        p.treeView->setFixedWidth(e.TreeWidth);
    p.comboBox->SetItemIndex(e.ScopeIndex == -1 ? 0 : e.ScopeIndex);
    p.mainTable->SetFilter("");
    p.mainTable->SetFiltered(false);
    e.DataSet->SetFilter(e.Filter);
    e.DataSet->SetFiltered(e.Filtered);
    if (e.DataSet->Active())
        e.DataSet->Refresh();

    // Hidden while the grid's moves rebuild the text; shown again also when
    // the rebuild fails, or the tab would be left without its text.
    p.richEdit->hide();
    try {
        p.source->SetDataSet(e.DataSet);
        p.gridWidthSet(p.tab);
        if (e.DataSet->Active())
            e.DataSet->Locate(p.keyField, {db::Value(std::int64_t{e.RowKey})});
        Main->MainPageControl->SetActivePage(e.TabSheet);
    } catch (...) {
        p.richEdit->show();
        throw;
    }
    p.richEdit->show();
}

// The restored text shows the entry's key words also when its row stays.
void EntryRestore(const TabPlace& p)
{
    // A copy: the handlers that run on the way may store places themselves.
    const TCasheData e = Rireki[RirekiCur];
    p.keyWordsShow(p.tab, [&] { PlaceRestore(p, e); });
    p.richEdit->setFocus();

    // The first move scrolls up to 350 positions after the place into view.
    const int end = static_cast<int>(p.richEdit->Text().size());
    p.richEdit->SetSelStart(std::min(e.SelStart + 350, end));
    p.richEdit->SetSelStart(e.SelStart);
}

// Back and Next: the place being left goes to the write index and, when the
// walk stands elsewhere, over the entry it came from.
void PlaceLeftStore()
{
    TabNo = JyobunTabIndex(ActivePage());
    if (TabNo >= 0) {
        RirekiJyobunStore(TabNo, RirekiTop);
        if (RirekiTop != RirekiCur)
            RirekiJyobunStore(TabNo, RirekiCur);
        return;
    }
    TabNo = BooksTabIndex(ActivePage());
    if (TabNo >= 0) {
        RirekiBooksStore(TabNo, RirekiTop);
        if (RirekiTop != RirekiCur)
            RirekiBooksStore(TabNo, RirekiCur);
    }
}

void TopStep()
{
    if (RirekiTop == RirekiCount - 1) {
        RirekiTop = 0;
        RirekiWrapped = 1;
    } else {
        ++RirekiTop;
    }
}

// An entry never written has no sheet and brings nothing back.
void CurrentRestore()
{
    ui::TabSheet* sheet = Rireki[RirekiCur].TabSheet;
    if (const int i = JyobunTabIndex(sheet); i >= 0) {
        RirekiJyobunRestore(i);
        return;
    }
    if (const int b = BooksTabIndex(sheet); b >= 0)
        RirekiBooksRestore(b);
}

} // namespace

void RirekiSave()
{
    TabNo = JyobunTabIndex(ActivePage());
    if (TabNo >= 0) {
        RirekiJyobunStore(TabNo, RirekiTop);
        RirekiAdvance();
        return;
    }
    TabNo = BooksTabIndex(ActivePage());
    if (TabNo >= 0) {
        RirekiBooksStore(TabNo, RirekiTop);
        RirekiAdvance();
    }
}

void RirekiAdvance()
{
    TopStep();
    RirekiLast = RirekiTop;
    RirekiCur = RirekiTop;
}

void RirekiJyobunStore(int i, int n)
{
    RirekiStored[i] = 1;
    EntryWrite(LawPlace(i), Rireki[n]);
}

void RirekiBooksStore(int b, int n)
{
    EntryWrite(BookPlace(b), Rireki[n]);
}

void RirekiBack()
{
    PlaceLeftStore();
    if (RirekiCur > 0)
        --RirekiCur;
    else if (RirekiWrapped == 1)
        RirekiCur = RirekiCount - 1;
    else
        return;
    TopStep();
    CurrentRestore();
}

void RirekiNext()
{
    if (RirekiCur == RirekiLast)
        return;
    PlaceLeftStore();
    RirekiCur = RirekiCur == RirekiCount - 1 ? 0 : RirekiCur + 1;
    TopStep();
    CurrentRestore();
}

void RirekiJyobunRestore(int i)
{
    RirekiStored[i] = 1;
    EntryRestore(LawPlace(i));
}

void RirekiBooksRestore(int b)
{
    EntryRestore(BookPlace(b));
}
