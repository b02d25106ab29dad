// A cursor over a large table that is never loaded whole: the current row
// sits in a block of rows read in index order, and stepping past the block
// reads the next one by its key ("after this Gyo, Sel, rowid"). Opening,
// locating and stepping cost a few index look-ups each.
#pragma once

#include "platform/db/connection.h"
#include "platform/db/cursor.h"
#include "platform/db/row_store.h"
#include "platform/db/table_shape.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace db {

class MemoReader;

class KeysetCursor final : public Cursor {
public:
    KeysetCursor(std::shared_ptr<Connection> conn, TableShape shape, std::shared_ptr<MemoReader> memo);

    bool empty() override;
    int count() override;
    bool first() override;
    bool last() override;
    bool next() override;
    bool prior() override;
    bool locate(const std::vector<int>& columns, const std::vector<Value>& values) override;
    bool seekRow(std::int64_t rowId) override;
    void moveTo(int row) override;
    int recNo() override;
    std::int64_t rowId() override { return block_->rowId(pos_); }
    Value value(int column) override { return cell(*block_, pos_, column); }
    Value valueAt(int row, int column) override;
    void setFilter(const Filter* filter) override;
    Value lookup(int keyColumn, const Value& key, int resultColumn) override;

private:
    Value cell(const RowStore& rows, int row, int column);
    std::vector<Value> keyOf(const RowStore& rows, int row) const;
    std::string where(const std::string& condition) const;
    std::string keyCondition(const char* op) const;
    Statement& statement(const std::string& sql);
    // Runs a cached statement with the values bound in order.
    RowStore fetch(const std::string& sql, const std::vector<Value>& binds);
    bool takeBlock(RowStore rows, bool atEnd);

    std::shared_ptr<Connection> conn_;
    TableShape shape_;
    std::shared_ptr<MemoReader> memo_;
    std::string filterSql_;
    std::map<std::string, Statement> statements_;
    std::optional<RowStore> block_;
    int pos_ = 0;
    std::optional<int> count_;
    // Rows read by position, for grids.
    std::optional<RowStore> window_;
    int windowStart_ = 0;
};

} // namespace db
