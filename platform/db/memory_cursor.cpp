#include "platform/db/memory_cursor.h"

#include "platform/db/filter.h"
#include "platform/db/memo_reader.h"

#include <numeric>

namespace db {

MemoryCursor::MemoryCursor(RowStore rows, std::shared_ptr<MemoReader> memo)
    : rows_(std::move(rows)), memo_(std::move(memo)), visible_(rows_.rowCount())
{
    std::iota(visible_.begin(), visible_.end(), 0);
}

bool MemoryCursor::first()
{
    current_ = 0;
    return !visible_.empty();
}

bool MemoryCursor::last()
{
    current_ = visible_.empty() ? 0 : count() - 1;
    return !visible_.empty();
}

bool MemoryCursor::next()
{
    if (current_ + 1 >= count())
        return false;
    ++current_;
    return true;
}

bool MemoryCursor::prior()
{
    if (current_ == 0 || visible_.empty())
        return false;
    --current_;
    return true;
}

bool MemoryCursor::locate(const std::vector<int>& columns, const std::vector<Value>& values)
{
    for (int i = 0; i < count(); ++i) {
        bool all = true;
        for (std::size_t k = 0; all && k < columns.size(); ++k)
            all = rows_.isUnread(visible_[i], columns[k])
                      ? cell(visible_[i], columns[k]) == values[k]
                      : rows_.equals(visible_[i], columns[k], values[k]);
        if (all) {
            current_ = i;
            return true;
        }
    }
    return false;
}

bool MemoryCursor::seekRow(std::int64_t rowId)
{
    for (int i = 0; i < count(); ++i) {
        if (rows_.rowId(visible_[i]) == rowId) {
            current_ = i;
            return true;
        }
    }
    return false;
}

void MemoryCursor::setFilter(const Filter* filter)
{
    visible_.clear();
    for (int r = 0; r < rows_.rowCount(); ++r)
        if (!filter || filter->matches([&](int column) { return rows_.number(r, column); }))
            visible_.push_back(r);
    current_ = 0;
}

Value MemoryCursor::lookup(int keyColumn, const Value& key, int resultColumn)
{
    if (std::holds_alternative<std::monostate>(key))
        return {};
    auto [index, fresh] = keyIndex_.try_emplace(keyColumn);
    if (fresh) {
        index->second.reserve(rows_.rowCount());
        for (int r = 0; r < rows_.rowCount(); ++r)
            if (!rows_.equals(r, keyColumn, Value{}))
                index->second.try_emplace(rows_.key(r, keyColumn), r);
    }
    const auto hit = index->second.find(KeyOf(key));
    return hit == index->second.end() ? Value{} : cell(hit->second, resultColumn);
}

Value MemoryCursor::cell(int storeRow, int column)
{
    if (rows_.isUnread(storeRow, column))
        return memo_->read(rows_.rowId(storeRow), column);
    return rows_.value(storeRow, column);
}

} // namespace db
