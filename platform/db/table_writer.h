// Writes table files: one SQLite database per file holding one table `data`,
// in the storage format the dataset layer reads (page size 65536, rollback
// journal, TEXT and MEMO values as BLOBs of CP932 bytes). Used by the data
// tool and by tests that build their own fixtures.
#pragma once

#include "platform/db/dataset.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

struct TableDef {
    std::vector<ColumnDef> columns;
    // The column that is the INTEGER PRIMARY KEY, or empty.
    std::string primaryKey;
    // One index per entry, its fields joined by ";" ("Gyo;Sel").
    std::vector<std::string> indexes;
};

// Creates one table file and fills it in a single transaction. The file is
// replaced when it exists; a writer destroyed before commit() removes what it
// wrote, so a failed build leaves no half-filled table behind.
class TableWriter {
public:
    // `fileName` is CP932 ("E1.db", "条文本文.db"), relative to `folder`
    // (a file-system path; the current directory when empty). Throws db::Error.
    TableWriter(std::string_view fileName, const TableDef& def, const std::filesystem::path& folder = {});
    ~TableWriter();
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // One row, values in column order. Integers go into INTEGER columns (and
    // FLOAT ones), numbers into FLOAT, CP932 strings into TEXT and MEMO;
    // monostate is NULL. A value of the wrong kind or an INTEGER beyond 32
    // bits throws db::Error.
    void insert(std::initializer_list<Value> row);
    void insert(const std::vector<Value>& row);

    // Ends the transaction, builds the indexes and closes the file.
    void commit();

    const std::filesystem::path& path() const { return path_; }

private:
    void open();
    void insertRange(const Value* values, std::size_t count);
    void exec(const std::string& sql);
    [[noreturn]] void fail(const std::string& what);
    void close();

    TableDef def_;
    std::filesystem::path path_;
    std::string displayName_; // CP932, for messages
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    bool committed_ = false;
};

// The table layouts of the reader's and the authoring data, as the table
// files document them.
namespace layout {
TableDef lawMain();          // X1.db
TableDef lawText();          // X2.db (without the index-kanji columns of A2.db)
TableDef lawReference();     // X3.db
TableDef lawLink();          // X4.db
TableDef lawTree();          // X5.db
TableDef bookMain();         // Y1.db
TableDef bookName();         // Y3.db
TableDef bookJump();         // Y4.db
TableDef bookUrl();          // Y5.db
TableDef authoringArticle(); // 条文本文.db (Jyobun and Cd12 folders)
TableDef authoringLink();    // リンク条文.DB
TableDef authoringMaster();  // マスタ条文.DB
} // namespace layout

} // namespace db
