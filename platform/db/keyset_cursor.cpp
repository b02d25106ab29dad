#include "platform/db/keyset_cursor.h"

#include "platform/db/filter.h"
#include "platform/db/memo_reader.h"

#include <sqlite3.h>

namespace db {

namespace {

// Rows per block: enough for the links of one article in a step or two.
constexpr int kBlock = 64;
const std::string kLimit = " LIMIT " + std::to_string(kBlock);

} // namespace

KeysetCursor::KeysetCursor(std::shared_ptr<Connection> conn, TableShape shape, std::shared_ptr<MemoReader> memo)
    : conn_(std::move(conn)), shape_(std::move(shape)), memo_(std::move(memo))
{
    first();
}

std::string KeysetCursor::where(const std::string& condition) const
{
    if (filterSql_.empty())
        return condition.empty() ? std::string() : " WHERE " + condition;
    return " WHERE " + filterSql_ + (condition.empty() ? "" : " AND " + condition);
}

// "(Gyo, Sel, rowid) > (?, ?, ?)": the rows after (or before) a key.
std::string KeysetCursor::keyCondition(const char* op) const
{
    std::string names, marks;
    for (std::size_t i = 0; i < shape_.order.size(); ++i) {
        names += (i ? ", " : "") + shape_.orderColumn(shape_.order[i]);
        marks += i ? ", ?" : "?";
    }
    return "(" + names + ") " + op + " (" + marks + ")";
}

std::vector<Value> KeysetCursor::keyOf(const RowStore& rows, int row) const
{
    std::vector<Value> key;
    for (int c : shape_.order)
        key.push_back(c < 0 ? Value(rows.rowId(row)) : rows.value(row, c));
    return key;
}

Statement& KeysetCursor::statement(const std::string& sql)
{
    auto it = statements_.find(sql);
    if (it == statements_.end())
        it = statements_.emplace(sql, Statement(*conn_, sql)).first;
    return it->second;
}

RowStore KeysetCursor::fetch(const std::string& sql, const std::vector<Value>& binds)
{
    Statement& st = statement(sql);
    const ResetAtEnd run(st);
    for (std::size_t i = 0; i < binds.size(); ++i)
        st.bind(static_cast<int>(i + 1), binds[i]);
    RowStore rows(shape_.types, shape_.read, shape_.names, conn_->fileName());
    rows.RefuseOnRead(); // a block holds rows of other keys than the one asked for
    while (st.step())
        rows.append(st.get());
    return rows;
}

bool KeysetCursor::takeBlock(RowStore rows, bool atEnd)
{
    if (rows.rowCount() == 0) {
        if (!block_)
            block_ = std::move(rows);
        return false;
    }
    pos_ = atEnd ? rows.rowCount() - 1 : 0;
    block_ = std::move(rows);
    return true;
}

bool KeysetCursor::empty()
{
    return block_->rowCount() == 0;
}

int KeysetCursor::count()
{
    if (!count_) {
        Statement& st = statement("SELECT count(*) FROM data" + where({}));
        const ResetAtEnd run(st);
        st.step();
        count_ = sqlite3_column_int(st.get(), 0);
    }
    return *count_;
}

bool KeysetCursor::first()
{
    return takeBlock(fetch(shape_.selectSql() + where({}) + shape_.orderSql(false) + kLimit, {}), false);
}

bool KeysetCursor::last()
{
    RowStore rows = fetch(shape_.selectSql() + where({}) + shape_.orderSql(true) + kLimit, {});
    rows.reverseRows();
    return takeBlock(std::move(rows), true);
}

bool KeysetCursor::next()
{
    if (pos_ + 1 < block_->rowCount()) {
        ++pos_;
        return true;
    }
    if (empty())
        return false;
    return takeBlock(fetch(shape_.selectSql() + where(keyCondition(">")) + shape_.orderSql(false) + kLimit,
                           keyOf(*block_, pos_)),
                     false);
}

bool KeysetCursor::prior()
{
    if (pos_ > 0) {
        --pos_;
        return true;
    }
    if (empty())
        return false;
    RowStore rows = fetch(shape_.selectSql() + where(keyCondition("<")) + shape_.orderSql(true) + kLimit,
                          keyOf(*block_, pos_));
    rows.reverseRows();
    return takeBlock(std::move(rows), true);
}

bool KeysetCursor::locate(const std::vector<int>& columns, const std::vector<Value>& values)
{
    std::string condition;
    for (std::size_t i = 0; i < columns.size(); ++i)
        condition += (i ? " AND " : "") + shape_.columns[columns[i]] + " IS ?";
    return takeBlock(fetch(shape_.selectSql() + where(condition) + shape_.orderSql(false) + " LIMIT 1", values), false);
}

bool KeysetCursor::seekRow(std::int64_t rowId)
{
    return takeBlock(fetch(shape_.selectSql() + where("rowid = ?"), {rowId}), false);
}

void KeysetCursor::moveTo(int row)
{
    takeBlock(fetch(shape_.selectSql() + where({}) + shape_.orderSql(false) + kLimit + " OFFSET ?",
                    {static_cast<std::int64_t>(row)}),
              false);
}

int KeysetCursor::recNo()
{
    Statement& st =
        statement("SELECT count(*) FROM data" + where(keyCondition("<")));
    const ResetAtEnd run(st);
    const std::vector<Value> key = keyOf(*block_, pos_);
    for (std::size_t i = 0; i < key.size(); ++i)
        st.bind(static_cast<int>(i + 1), key[i]);
    st.step();
    return sqlite3_column_int(st.get(), 0);
}

Value KeysetCursor::valueAt(int row, int column)
{
    if (!window_ || row < windowStart_ || row >= windowStart_ + window_->rowCount()) {
        windowStart_ = row - row % kBlock;
        window_ = fetch(shape_.selectSql() + where({}) + shape_.orderSql(false) + kLimit + " OFFSET ?",
                        {static_cast<std::int64_t>(windowStart_)});
        if (row >= windowStart_ + window_->rowCount())
            return {};
    }
    return cell(*window_, row - windowStart_, column);
}

void KeysetCursor::setFilter(const Filter* filter)
{
    filterSql_ = filter ? filter->toSql([this](int c) { return shape_.columns[c]; }) : "";
    statements_.clear();
    count_.reset();
    window_.reset();
    block_.reset();
    first();
}

Value KeysetCursor::lookup(int keyColumn, const Value& key, int resultColumn)
{
    if (std::holds_alternative<std::monostate>(key))
        return {};
    const RowStore rows = fetch(shape_.selectSql() + " WHERE " + shape_.columns[keyColumn] + " IS ?"
                                    + shape_.orderSql(false) + " LIMIT 1",
                                {key});
    return rows.rowCount() ? cell(rows, 0, resultColumn) : Value{};
}

Value KeysetCursor::cell(const RowStore& rows, int row, int column)
{
    if (rows.isUnread(row, column))
        return memo_->read(rows.rowId(row), column);
    return rows.value(row, column);
}

} // namespace db
