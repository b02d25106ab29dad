// SQLite connections to table files and prepared statements over them. One
// connection per file and mode is kept for the whole run, so that searches
// and lookups never pay for opening a file twice.
#pragma once

#include "platform/db/dataset.h"
#include "platform/db/write_watch.h"

#include <sys/stat.h>

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Connection {
public:
    enum class Mode {
        Reader,   // the reader's own files: read-only and immutable
        ReadOnly, // authoring files that someone else may write meanwhile
        Writable, // authoring files opened for editing
    };

    // `fileName` is the CP932 name as the program gave it (for messages);
    // `path` the UTF-8 path on disk, `st` what stat() said of it.
    Connection(std::string fileName, std::string path, const struct stat& st, Mode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    const std::string& fileName() const { return fileName_; }

    // Throws db::Error: `what` and SQLite's last message, naming the file,
    // or that the file changed on disk (see requireUnchanged()).
    [[noreturn]] void fail(std::string_view what);
    // Throws db::Error when a reader's file is no longer the one opened (one
    // stat). A file written in place cannot be read as it was: every call
    // throws. A file renamed over or removed leaves the opened one intact:
    // once that has been reported, calls with `readOn` return, and the
    // opened file is read on. A change of metadata alone is no change.
    void requireUnchanged(std::string_view what, bool readOn = true);
    // Whether `st` is the inode that was opened.
    bool SameFile(const struct stat& st) const;
    // Set once a query has checked the columns of the whole file.
    bool numbersChecked = false;

private:
    void open();
    // The file header as it is now (its first 100 bytes), read through the
    // open file; empty when it cannot be read.
    std::string header() const;
    void refusePendingChanges() const;
    bool unwritten(const struct stat& st);

    sqlite3* db_ = nullptr;
    std::string fileName_;
    std::string path_;
    Mode mode_;
    struct stat opened_;
    bool replaced_ = false; // reported as replaced
    std::unique_ptr<WriteWatch> writes_; // reader files only
    std::string header_;                 // as opened
};

// The cached connection to a file. `fileName` is CP932 and relative to the
// current directory unless it holds a folder. The reader's files keep their
// first connection for the whole run, so that no two of its reads see two
// files; an authoring file replaced on disk since it was cached gets a new one.
std::shared_ptr<Connection> OpenConnection(std::string_view fileName, Connection::Mode mode);

// A prepared statement; rows are stepped with step(), which throws db::Error.
class Statement {
public:
    // `what` opens the message of errors: "Cannot read", "Cannot run the statement on".
    Statement(Connection& conn, std::string_view sqlUtf8, const char* what = "Cannot read");
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    bool step(); // true while there is a row; a run starts with requireUnchanged()
    void reset();
    // Text is bound as a BLOB of its CP932 bytes, so no byte is ever re-encoded.
    void bind(int index, const Value& v);
    // A column of the current row as the field type says; NULL is monostate.
    Value column(int col, FieldType type) const;

private:
    Connection* conn_;
    const char* what_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Resets a statement when a run of it ends, however it ends: a read that
// fails half-way leaves the statement ready for the next run.
class ResetAtEnd {
public:
    explicit ResetAtEnd(Statement& st) : st_(st) {}
    ~ResetAtEnd() { st_.reset(); }
    ResetAtEnd(const ResetAtEnd&) = delete;
    ResetAtEnd& operator=(const ResetAtEnd&) = delete;

private:
    Statement& st_;
};

// A column name quoted for SQL (UTF-8).
std::string QuoteIdentifier(std::string_view utf8);

} // namespace db
