#include "reader/tab_reset.h"

#include "data/namepas.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "reader/book_entry.h"
#include "reader/honbun_rtf_make.h"
#include "reader/panel_layout.h"
#include "reader/scope.h"

#include <cstdint>

namespace {

struct TabParts {
    ui::Edit* key1;
    ui::Edit* key2;
    ui::Edit* number; // article number or page
    ui::ComboBox* scope;
    db::Table* mainTable;
    db::DataSource* mainSource;
    const char* keyField; // Gyo or BookSeq
    void (*gridWidthSet)(int);
};

TabParts lawParts(int i)
{
    return {JyobunEditKey1[i],
            JyobunEditKey2[i],
            JyobunEditBangou[i],
            JyobunComboBox[i],
            JyobunMainTable[i],
            JyobunMainSource[i],
            "Gyo",
            JyobunGridWidthSet};
}

TabParts bookParts(int b)
{
    return {BooksEditKey1[b],  BooksEditKey2[b],   BooksEditPage[b], BooksComboBox[b],
            BooksMainTable[b], BooksMainSource[b], "BookSeq",        BooksGridWidthSet};
}

void clear(const TabParts& t)
{
    t.key1->SetText("");
    t.key2->SetText("");
    t.number->SetText("");
    t.scope->SetItemIndex(0);
    t.key1->setFocus();
    AllGridWidthSet();
}

// Grid and text do not follow the steps one by one, only the end state.
void reset(const TabParts& t, int tab)
{
    t.mainTable->DisableControls();
    FilterApply(*t.mainTable, "");
    t.mainTable->First();
    t.mainSource->SetDataSet(t.mainTable);
    t.gridWidthSet(tab);
    t.mainTable->EnableControls();
}

void openAll(const TabParts& t, int tab)
{
    std::int64_t key = 0;
    if (db::Dataset* shown = t.mainSource->DataSet(); shown && shown->Active() && !shown->IsEmpty())
        key = shown->FieldByName(t.keyField).AsInteger();
    t.mainTable->DisableControls();
    FilterApply(*t.mainTable, "");
    t.mainSource->SetDataSet(t.mainTable);
    t.gridWidthSet(tab);
    t.scope->SetItemIndex(0);
    // Located before the grid and text follow, so the article is built once;
    // a row not found leaves the first one current.
    t.mainTable->First();
    t.mainTable->Locate(t.keyField, {key});
    t.mainTable->EnableControls();
}

} // namespace

void JyobunClear(int i)
{
    clear(lawParts(i));
}

void JyobunReset(int i)
{
    JyobunKeyWordsShow(i, [i] {
        JyobunKeyWord1[i].clear();
        JyobunKeyWord2[i].clear();
        reset(lawParts(i), i);
    });
}

void JyobunOpenAll(int i)
{
    openAll(lawParts(i), i);
}

void BooksClear(int b)
{
    clear(bookParts(b));
}

void BooksReset(int b)
{
    BooksKeyWordsShow(b, [b] {
        BooksKeyWord1[b].clear();
        BooksKeyWord2[b].clear();
        reset(bookParts(b), b);
    });
}

void BooksOpenAll(int b)
{
    openAll(bookParts(b), b);
}
