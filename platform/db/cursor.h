// The visible rows of an open dataset in their order, with one current row.
// Positions are 0-based among the visible rows; columns are the store's.
// Values handed in (locate, lookup) already have the column's type.
#pragma once

#include "platform/db/dataset.h"

#include <cstdint>
#include <vector>

namespace db {

class Filter;

class Cursor {
public:
    virtual ~Cursor() = default;

    virtual bool empty() = 0;
    virtual int count() = 0;
    // Moves; false when there is no such row, and then the position stays.
    virtual bool first() = 0;
    virtual bool last() = 0;
    virtual bool next() = 0;
    virtual bool prior() = 0;
    virtual bool locate(const std::vector<int>& columns, const std::vector<Value>& values) = 0;
    virtual bool seekRow(std::int64_t rowId) = 0;
    virtual void moveTo(int row) = 0; // 0 <= row < count()

    // The current row (not empty).
    virtual int recNo() = 0;
    virtual std::int64_t rowId() = 0;
    virtual Value value(int column) = 0;

    virtual Value valueAt(int row, int column) = 0;

    // Keeps only the rows that pass (null: all) and moves to the first one.
    virtual void setFilter(const Filter* filter) = 0;

    // `resultColumn` of the first row in order whose `keyColumn` equals
    // `key`, ignoring the filter and without moving; NULL when none.
    virtual Value lookup(int keyColumn, const Value& key, int resultColumn) = 0;
};

} // namespace db
