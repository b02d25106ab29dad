// The scope (範囲) tables of the law and book tabs: per tab the ordered labels
// of its scope combo, each rendered as a main-table filter, a filter of the
// grid's dataset and lines of the search SQL.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ScopeEntry {
    std::string Label;
    std::string JumpFilter;   // filter on the main table (jumps); empty: filtering off
    std::string ResultFilter; // filter on the grid's dataset (scope change)
    std::vector<std::string> SqlLines;
};

using ScopeTable = std::vector<ScopeEntry>;

// One document code of the law tabs.
struct KubunCode {
    int Code;
    std::string Label;
};

// Law tab i (0..5) and book tab b (0..2); an empty table for other indexes.
const ScopeTable& LawScopeTable(int i);
const ScopeTable& BookScopeTable(int b);

// Every document label with its code, in ascending code.
const std::vector<KubunCode>& KubunCodeTable();

// The first entry whose label equals `label` byte for byte; nullptr when none.
const ScopeEntry* ScopeEntryFind(const ScopeTable& table, std::string_view label);
