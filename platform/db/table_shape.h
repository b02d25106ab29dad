// The columns of a table file and the order in which its rows are visited.
#pragma once

#include "platform/db/dataset.h"

#include <string>
#include <vector>

namespace db {

struct TableShape {
    std::vector<std::string> names;   // CP932 field names
    std::vector<std::string> columns; // quoted UTF-8 names for SQL
    std::vector<FieldType> types;
    std::vector<bool> read;           // read with the rows (false for MEMO)
    std::vector<int> order;           // order columns; -1 is the rowid, always last

    // "SELECT rowid, <read columns> FROM data"
    std::string selectSql() const;
    // " ORDER BY Gyo, Sel, rowid" (descending: each DESC)
    std::string orderSql(bool descending) const;
    std::string orderColumn(int c) const { return c < 0 ? "rowid" : columns[c]; }
};

} // namespace db
