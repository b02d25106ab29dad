#include "platform/db/row_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace db {

RowStore::RowStore(std::vector<FieldType> types, std::vector<bool> read,
                   std::vector<std::string> names, std::string file)
    : types_(std::move(types)), read_(std::move(read)), names_(std::move(names)), file_(std::move(file))
{
}

void RowStore::append(sqlite3_stmt* stmt)
{
    appendRow(stmt, sqlite3_column_int64(stmt, 0), 1);
}

void RowStore::appendResult(sqlite3_stmt* stmt)
{
    appendRow(stmt, rows_, 0);
}

void RowStore::appendRow(sqlite3_stmt* stmt, std::int64_t rowId, int col)
{
    const std::size_t end = static_cast<std::size_t>(rows_ + 1) * (types_.size() + 1);
    while (blocks_.size() * kBlock < end)
        blocks_.push_back(std::make_unique_for_overwrite<Cell[]>(kBlock));
    const int row = rows_++;
    at(row, -1) = Cell{.i = rowId, .kind = Kind::Integer};
    for (std::size_t c = 0; c < types_.size(); ++c) {
        Cell& cell = at(row, static_cast<int>(c));
        cell = Cell{};
        if (!read_[c]) {
            cell.kind = Kind::Unread;
            continue;
        }
        const int stored = sqlite3_column_type(stmt, col);
        const FieldType type = types_[c];
        std::int64_t i = 0;
        if (stored == SQLITE_NULL) {
            cell.kind = Kind::Null;
        } else if (type == FieldType::Integer && stored == SQLITE_INTEGER
                   && FitsInteger(i = sqlite3_column_int64(stmt, col))) {
            cell.kind = Kind::Integer;
            cell.i = i;
        } else if (type == FieldType::Float && (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT)) {
            cell.kind = Kind::Float;
            cell.f = sqlite3_column_double(stmt, col);
        } else {
            // A text, or a number the reader cannot hold, kept as its bytes.
            const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, col));
            const auto n = static_cast<std::uint32_t>(sqlite3_column_bytes(stmt, col));
            cell.kind = Kind::Text;
            cell.text = {static_cast<std::uint32_t>(arena_.size()), n};
            if (n > 0)
                arena_.append(p, n);
            if (type == FieldType::Integer || type == FieldType::Float) {
                if (!refuseOnRead_)
                    refuse(c, std::string_view(arena_).substr(cell.text.offset, n));
                cell.kind = Kind::Refused;
            }
        }
        ++col;
    }
}

void RowStore::refuse(std::size_t column, std::string_view held) const
{
    const char* wanted = types_[column] == FieldType::Integer ? "a 32-bit integer" : "a number";
    throw Error("Field '" + names_[column] + "' in " + file_ + " holds '" + std::string(held)
                + "', which is not " + wanted);
}

const RowStore::Cell& RowStore::cell(int row, int col) const
{
    const Cell& c = at(row, col);
    if (c.kind == Kind::Refused)
        refuse(static_cast<std::size_t>(col), std::string_view(arena_).substr(c.text.offset, c.text.length));
    return c;
}

Value RowStore::value(int row, int col) const
{
    const Cell& c = cell(row, col);
    switch (c.kind) {
    case Kind::Integer: return c.i;
    case Kind::Float: return c.f;
    case Kind::Text: return std::string(arena_, c.text.offset, c.text.length);
    case Kind::Null:
    case Kind::Unread:
    case Kind::Refused: break;
    }
    return {};
}

std::optional<double> RowStore::number(int row, int col) const
{
    const Cell& c = cell(row, col);
    if (c.kind == Kind::Integer)
        return static_cast<double>(c.i);
    if (c.kind == Kind::Float)
        return c.f;
    return std::nullopt;
}

bool RowStore::equals(int row, int col, const Value& v) const
{
    const Cell& c = cell(row, col);
    switch (c.kind) {
    case Kind::Null: return std::holds_alternative<std::monostate>(v);
    case Kind::Integer: return std::holds_alternative<std::int64_t>(v) && std::get<std::int64_t>(v) == c.i;
    case Kind::Float: return std::holds_alternative<double>(v) && std::get<double>(v) == c.f;
    case Kind::Text: {
        const auto* s = std::get_if<std::string>(&v);
        return s && s->size() == c.text.length
               && std::memcmp(s->data(), arena_.data() + c.text.offset, s->size()) == 0;
    }
    case Kind::Unread:
    case Kind::Refused: break;
    }
    return false;
}

std::string RowStore::key(int row, int col) const
{
    const Cell& c = cell(row, col);
    switch (c.kind) {
    case Kind::Integer: return KeyOf(c.i);
    case Kind::Float: return KeyOf(c.f);
    case Kind::Text: return std::string(arena_, c.text.offset, c.text.length);
    case Kind::Null:
    case Kind::Unread:
    case Kind::Refused: break;
    }
    return {};
}

void RowStore::reverseRows()
{
    for (int a = 0, b = rows_ - 1; a < b; ++a, --b)
        for (int c = -1; c < static_cast<int>(types_.size()); ++c)
            std::swap(at(a, c), at(b, c));
}

std::string KeyOf(const Value& v)
{
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return std::string(reinterpret_cast<const char*>(i), sizeof *i);
    if (const auto* f = std::get_if<double>(&v))
        return std::string(reinterpret_cast<const char*>(f), sizeof *f);
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    return {};
}

} // namespace db
