#include "reader/scope.h"

#include "data/namepas.h"
#include "platform/ui/combo_box.h"
#include "reader/scope_tables.h"

#include <string>

namespace {

// The entry of the combo's selected item; nullptr when nothing is selected.
const ScopeEntry* chosenEntry(const ui::ComboBox* combo, const ScopeTable& table)
{
    if (!combo)
        return nullptr;
    const int index = combo->ItemIndex();
    const std::vector<std::string> items = combo->Items();
    const std::string label = index >= 0 && index < static_cast<int>(items.size()) ? items[index] : "";
    return ScopeEntryFind(table, label);
}

const ScopeEntry* lawEntry(int i)
{
    if (i < 0 || i >= JyobunTabCount)
        return nullptr;
    return chosenEntry(JyobunComboBox[i], LawScopeTable(i));
}

const ScopeEntry* bookEntry(int b)
{
    if (b < 0 || b >= BooksTabCount)
        return nullptr;
    return chosenEntry(BooksComboBox[b], BookScopeTable(b));
}

void sqlAppend(const ScopeEntry* entry)
{
    if (entry)
        SqlText.insert(SqlText.end(), entry->SqlLines.begin(), entry->SqlLines.end());
}

} // namespace

// Each change of filter or switch reads the rows again: only one of them
// is made where one is enough.
void FilterApply(db::Dataset& ds, std::string_view text)
{
    if (text.empty()) {
        ds.SetFiltered(false);
        ds.SetFilter(text);
        return;
    }
    ds.SetFilter(text);
    if (!ds.Filtered())
        ds.SetFiltered(true);
}

void JyobunJumpHanniFilter(int i)
{
    if (const ScopeEntry* entry = lawEntry(i))
        FilterApply(*JyobunMainTable[i], entry->JumpFilter);
}

void JyobunHanniFilter(int i)
{
    if (const ScopeEntry* entry = lawEntry(i))
        FilterApply(*JyobunMainSource[i]->DataSet(), entry->ResultFilter);
}

void JyobunHanniSQL(int i)
{
    sqlAppend(lawEntry(i));
}

void BooksJumpHanniFilter(int b)
{
    if (const ScopeEntry* entry = bookEntry(b))
        FilterApply(*BooksMainTable[b], entry->JumpFilter);
}

void BooksHanniFilter(int b)
{
    if (const ScopeEntry* entry = bookEntry(b))
        FilterApply(*BooksMainSource[b]->DataSet(), entry->ResultFilter);
}

void BooksHanniSQL(int b)
{
    sqlAppend(bookEntry(b));
}
