#include "table_file.h"

#include "platform/text/sjis.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

void exec(sqlite3* db, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error(text + " in " + sql);
    }
}

} // namespace

void WriteTableFile(const std::string& fileName, const std::string& columns,
                    const std::vector<Row>& rows, const std::vector<std::string>& extraSql)
{
    const std::string path = sjis::toUtf8(fileName);
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path);
    exec(db, "PRAGMA page_size=65536");
    exec(db, "PRAGMA synchronous=OFF"); // fixtures need no durability
    exec(db, "CREATE TABLE data (" + sjis::toUtf8(columns) + ")");
    exec(db, "BEGIN");
    if (!rows.empty()) {
        std::string marks;
        for (std::size_t i = 0; i < rows[0].size(); ++i)
            marks += i ? ",?" : "?";
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, ("INSERT INTO data VALUES (" + marks + ")").c_str(), -1, &st, nullptr);
        for (const Row& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const int k = static_cast<int>(i + 1);
                if (const auto* n = std::get_if<std::int64_t>(&row[i]))
                    sqlite3_bind_int64(st, k, *n);
                else if (const auto* f = std::get_if<double>(&row[i]))
                    sqlite3_bind_double(st, k, *f);
                else if (const auto* s = std::get_if<std::string>(&row[i]))
                    sqlite3_bind_blob(st, k, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
                else
                    sqlite3_bind_null(st, k);
            }
            if (sqlite3_step(st) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    for (const std::string& sql : extraSql)
        exec(db, sjis::toUtf8(sql));
    exec(db, "COMMIT");
    sqlite3_close(db);
}

std::string FileBytes(const std::string& fileName)
{
    std::ifstream in(sjis::toUtf8(fileName), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
