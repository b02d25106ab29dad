// Shared by the data-tool tests: running mkdata (support/sample_data.h) and
// reading its table files with plain sqlite3.
#pragma once

#include "support/sample_data.h"

#include <QString>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace mkdata_test {

inline QString q(const std::filesystem::path& p)
{
    return QString::fromStdString(p.string());
}

// One cell: SQLite's storage class and its value.
struct Cell {
    int type = SQLITE_NULL;
    long long i = 0;
    double f = 0;
    std::string bytes; // TEXT or BLOB
};
using Row = std::vector<Cell>;

// Calls `each` for every row of the statement, one row at a time.
inline void forEachRow(const std::filesystem::path& file, const std::string& sql,
                       const std::function<void(const Row&)>& each)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.string());
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(file.string() + ": " + message);
    }
    Row row;
    while (sqlite3_step(st) == SQLITE_ROW) {
        row.resize(static_cast<std::size_t>(sqlite3_column_count(st)));
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            Cell& cell = row[static_cast<std::size_t>(c)];
            cell.type = sqlite3_column_type(st, c);
            cell.i = sqlite3_column_int64(st, c);
            cell.f = sqlite3_column_double(st, c);
            const auto* data = static_cast<const char*>(sqlite3_column_blob(st, c));
            cell.bytes.assign(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
        }
        each(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

inline std::vector<Row> query(const std::filesystem::path& file, const std::string& sql)
{
    std::vector<Row> rows;
    forEachRow(file, sql, [&rows](const Row& r) { rows.push_back(r); });
    return rows;
}

inline long long scalar(const std::filesystem::path& file, const std::string& sql)
{
    const std::vector<Row> rows = query(file, sql);
    return rows.empty() ? 0 : rows[0][0].i;
}

inline std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace mkdata_test
