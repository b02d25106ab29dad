// Rows held in memory: one compact cell per column, texts in one arena, so
// that a 20,000-row table loads in a few milliseconds. MEMO columns are not
// read with the rows; their cells stay unread until asked for.
#pragma once

#include "platform/db/dataset.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace db {

class RowStore {
public:
    // `types` of the columns; `read` says per column whether the statement
    // delivers it (false for MEMO columns of tables); `names` and `file` name
    // a value that does not fit its column (text or a fraction in an
    // integer column, an integer beyond 32 bits) in the error (db::Error)
    // that refuses it: a key read as text would sort 10, 100, 11.
    RowStore(std::vector<FieldType> types, std::vector<bool> read, std::vector<std::string> names,
             std::string file);

    // Such a value is refused when its cell is read rather than when its
    // row comes in: for blocks of rows read around the ones asked for.
    void RefuseOnRead() { refuseOnRead_ = true; }

    int rowCount() const { return rows_; }

    // Appends the statement's current row: its first column is the row id,
    // then one column per read column in order.
    void append(sqlite3_stmt* stmt);
    // Appends a row numbered by position (query results have no row id).
    void appendResult(sqlite3_stmt* stmt);

    std::int64_t rowId(int row) const { return at(row, -1).i; }
    bool isUnread(int row, int col) const { return at(row, col).kind == Kind::Unread; }
    Value value(int row, int col) const;
    // A number for filters; empty for NULL, text and unread cells.
    std::optional<double> number(int row, int col) const;
    // Whether the cell holds `v`, a value of the column's own type.
    bool equals(int row, int col, const Value& v) const;
    // The cell as bytes for a hash index; empty for NULL.
    std::string key(int row, int col) const;
    // Row order reversed (blocks read backwards).
    void reverseRows();

private:
    enum class Kind : std::uint8_t { Null, Integer, Float, Text, Unread, Refused };
    struct Cell {
        union {
            std::int64_t i;
            double f;
            struct {
                std::uint32_t offset, length;
            } text;
        };
        Kind kind;
    };
    // Cells live in fixed blocks: no copying as rows come in, and blocks
    // of this size are recycled by the allocator from one query to the next.
    static constexpr std::size_t kBlock = 4096;
    // Each row is its id (column -1), then its columns.
    Cell& at(int row, int col)
    {
        const std::size_t i = static_cast<std::size_t>(row) * (types_.size() + 1) + col + 1;
        return blocks_[i / kBlock][i % kBlock];
    }
    const Cell& at(int row, int col) const { return const_cast<RowStore*>(this)->at(row, col); }
    // Throws for a refused cell.
    const Cell& cell(int row, int col) const;
    void appendRow(sqlite3_stmt* stmt, std::int64_t rowId, int firstColumn);

    [[noreturn]] void refuse(std::size_t column, std::string_view held) const;

    std::vector<FieldType> types_;
    std::vector<bool> read_;
    std::vector<std::string> names_;
    std::string file_;
    bool refuseOnRead_ = false;
    std::vector<std::unique_ptr<Cell[]>> blocks_;
    int rows_ = 0;
    std::string arena_;
};

// The reader keeps its integers in 32 bits: a wider key would be cut short
// there and name another row.
inline bool FitsInteger(std::int64_t v)
{
    return v == static_cast<std::int32_t>(v);
}

// The bytes of a value as RowStore::key gives them for a cell of its type.
std::string KeyOf(const Value& v);

} // namespace db
