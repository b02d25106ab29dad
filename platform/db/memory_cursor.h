// A cursor over rows held in memory: small tables, detail rows, results.
#pragma once

#include "platform/db/cursor.h"
#include "platform/db/row_store.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace db {

class MemoReader;

class MemoryCursor final : public Cursor {
public:
    // `memo` reads the unread cells; null when the store has none.
    MemoryCursor(RowStore rows, std::shared_ptr<MemoReader> memo);

    bool empty() override { return visible_.empty(); }
    int count() override { return static_cast<int>(visible_.size()); }
    bool first() override;
    bool last() override;
    bool next() override;
    bool prior() override;
    bool locate(const std::vector<int>& columns, const std::vector<Value>& values) override;
    bool seekRow(std::int64_t rowId) override;
    void moveTo(int row) override { current_ = row; }
    int recNo() override { return current_; }
    std::int64_t rowId() override { return rows_.rowId(visible_[current_]); }
    Value value(int column) override { return cell(visible_[current_], column); }
    Value valueAt(int row, int column) override { return cell(visible_[row], column); }
    void setFilter(const Filter* filter) override;
    Value lookup(int keyColumn, const Value& key, int resultColumn) override;

private:
    Value cell(int storeRow, int column);

    RowStore rows_;
    std::shared_ptr<MemoReader> memo_;
    std::vector<int> visible_; // store rows in order
    int current_ = 0;
    // Per key column: first store row of each key, built on the first lookup.
    std::unordered_map<int, std::unordered_map<std::string, int>> keyIndex_;
};

} // namespace db
