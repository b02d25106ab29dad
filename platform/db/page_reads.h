// SQLite lays the rows of a table page out from its end towards its start,
// so a statement that reads every row reads each mapped page backwards, a row
// at a time, and the processor's prefetch does not follow: each row waits on
// memory. While a query runs, each page it steps on to from the page before
// is read front to back once when SQLite takes it, which brings it into the
// cache as one stream. Not for the lookups and counts of tables, which need a
// few rows of a few pages, or nothing but the page headers.
#pragma once

struct sqlite3;
struct sqlite3_file;

namespace db {

// The VFS that table files are opened through; registered on the first call.
const char* PageReadsVfs();

// Pages are read through on the connection while this lives.
class ReadingPagesThrough {
public:
    explicit ReadingPagesThrough(sqlite3* db);
    ~ReadingPagesThrough();
    ReadingPagesThrough(const ReadingPagesThrough&) = delete;
    ReadingPagesThrough& operator=(const ReadingPagesThrough&) = delete;

private:
    sqlite3_file* file_ = nullptr;
};

} // namespace db
