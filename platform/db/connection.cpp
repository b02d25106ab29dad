#include "platform/db/connection.h"

#include "platform/db/mapping_faults.h"
#include "platform/db/page_reads.h"
#include "platform/db/sql_like.h"
#include "platform/text/sjis.h"

#include <sqlite3.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unordered_map>

namespace db {

namespace {

// Searches read the article texts straight from the mapped file.
constexpr sqlite3_int64 kMmapSize = 1LL << 30;

// The database header; its file format write version is 2 in WAL mode.
constexpr int kHeaderSize = 100;
constexpr int kWriteVersion = 18;
// A write-ahead log's header (a rollback journal's is longer).
constexpr std::size_t kLogHeaderSize = 32;

// How long an authoring file that another program holds is waited for.
constexpr int kLockWaitMs = 3000;

std::string uriEscape(std::string_view path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The first `size` bytes of a file, fewer for a shorter one; nullopt when
// there is no such file, "?" when it cannot be read.
std::optional<std::string> fileStart(const std::string& path, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::nullopt : std::optional<std::string>("?");
    std::string bytes(size, '\0');
    const ssize_t n = pread(fd, bytes.data(), size, 0);
    ::close(fd);
    if (n < 0)
        return "?";
    bytes.resize(static_cast<std::size_t>(n));
    return bytes;
}

// Whether a write-ahead log (its header `log`) holds committed frames that
// were not copied back into the file yet, as its index (the "-shm" file)
// tells: both copies of the index header alike, made, and of this log's
// generation (its salts). Without such an index every frame counts.
bool walFramesPending(const std::string& path, const std::string& log)
{
    struct stat st {};
    if (::stat((path + "-wal").c_str(), &st) == 0 && st.st_size <= static_cast<off_t>(kLogHeaderSize))
        return false; // a header and no frame
    const std::optional<std::string> index = fileStart(path + "-shm", 100);
    if (!index || index->size() < 100 || log.size() < kLogHeaderSize
        || index->compare(0, 48, *index, 48, 48) != 0 || (*index)[12] != 1
        || index->compare(32, 8, log, 16, 8) != 0)
        return true;
    std::uint32_t frames = 0, copied = 0; // the index is in the machine's own byte order
    std::memcpy(&frames, index->data() + 16, 4);
    std::memcpy(&copied, index->data() + 96, 4);
    return copied < frames;
}

std::string uriFor(const std::string& path, Connection::Mode mode)
{
    const char* query = mode == Connection::Mode::Reader     ? "?mode=ro&immutable=1"
                        : mode == Connection::Mode::ReadOnly ? "?mode=ro"
                                                             : "?mode=rw";
    return "file:" + uriEscape(path) + query;
}

} // namespace

Connection::Connection(std::string fileName, std::string path, const struct stat& st, Mode mode)
    : fileName_(std::move(fileName)), path_(std::move(path)), mode_(mode), opened_(st)
{
    // Watched before it is read: a write from now on is noted.
    if (mode == Mode::Reader)
        writes_ = std::make_unique<WriteWatch>(path_);
    GuardMapsOf(opened_);
    try {
        open();
    } catch (...) {
        sqlite3_close_v2(db_);
        UnguardMapsOf(opened_);
        throw;
    }
}

void Connection::open()
{
    // One thread uses a connection: no mutex around every column read.
    const int flags = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX
                      | (mode_ == Mode::Writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
    const int rc = sqlite3_open_v2(uriFor(path_, mode_).c_str(), &db_, flags, PageReadsVfs());
    if (rc != SQLITE_OK)
        throw Error("Cannot open the table file " + fileName_ + " ("
                    + sjis::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc)) + ")");
    if (mode_ == Mode::Reader) {
        header_ = header();
        refusePendingChanges();
    }
    sqlite3_exec(db_, ("PRAGMA mmap_size=" + std::to_string(kMmapSize)).c_str(), nullptr, nullptr,
                 nullptr);
    if (mode_ != Mode::Reader)
        sqlite3_busy_timeout(db_, kLockWaitMs);
    RegisterLike(db_);
}

Connection::~Connection()
{
    sqlite3_close_v2(db_);
    UnguardMapsOf(opened_);
}

std::string Connection::header() const
{
    sqlite3_file* file = nullptr;
    std::string bytes(kHeaderSize, '\0');
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods || file->pMethods->xRead(file, bytes.data(), kHeaderSize, 0) != SQLITE_OK)
        return {};
    return bytes;
}

// An immutable file is read without its journal: committed rows still in a
// write-ahead log, or a change half made that a hot journal would roll back,
// would be missed or read as the file's own.
void Connection::refusePendingChanges() const
{
    const bool wal = header_.size() == kHeaderSize && header_[kWriteVersion] == 2;
    const std::optional<std::string> side = fileStart(path_ + (wal ? "-wal" : "-journal"), kLogHeaderSize);
    // A journal kept for reuse is marked done by a zero first byte.
    if (!side || side->empty() || (wal ? !walFramesPending(path_, *side) : (*side)[0] == 0))
        return;
    throw Error("Cannot open the table file " + fileName_ + " (" + fileName_
                + (wal ? "-wal holds changes not yet written into it; open and close the file once with "
                         "sqlite3 to write them)"
                       : "-journal holds a change left unfinished; open and close the file once with "
                         "sqlite3 to roll it back)"));
}

void Connection::fail(std::string_view what)
{
    requireUnchanged(what);
    throw Error(std::string(what) + " " + fileName_ + ": " + sjis::fromUtf8(sqlite3_errmsg(db_)));
}

void Connection::requireUnchanged(std::string_view what, bool readOn)
{
    if (mode_ != Mode::Reader || (replaced_ && readOn))
        return;
    struct stat st {};
    const bool there = ::stat(path_.c_str(), &st) == 0;
    if (there && SameFile(st) && unwritten(st))
        return;
    replaced_ = !there || !SameFile(st);
    throw Error(std::string(what) + " " + fileName_
                + ": the file changed on disk while the reader had it open; start the reader again");
}

bool Connection::SameFile(const struct stat& st) const
{
    return opened_.st_dev == st.st_dev && opened_.st_ino == st.st_ino;
}

// The opened inode holds the bytes it held when opened. Its change time
// moves with chmod, chown, a hard link or a rename as well as with a write;
// when only that moved, the kernel's notes of writes decide, and the
// header's change counter catches a write they miss (another host's, or one
// through a map).
bool Connection::unwritten(const struct stat& st)
{
    if (st.st_size != opened_.st_size)
        return false;
    if (st.st_ctim.tv_sec == opened_.st_ctim.tv_sec && st.st_ctim.tv_nsec == opened_.st_ctim.tv_nsec)
        return true;
    if (writes_->Written() || header() != header_)
        return false;
    opened_.st_ctim = st.st_ctim; // judged once
    return true;
}

std::shared_ptr<Connection> OpenConnection(std::string_view fileName, Connection::Mode mode)
{
    static std::unordered_map<std::string, std::shared_ptr<Connection>> cache;

    const std::string path =
        std::filesystem::absolute(sjis::toUtf8(fileName)).lexically_normal().string();
    std::shared_ptr<Connection>& conn = cache[path + '\n' + std::to_string(static_cast<int>(mode))];
    if (conn && mode == Connection::Mode::Reader)
        return conn;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw Error("Cannot open the table file " + std::string(fileName) + " (no such file)");
    if (!conn || !conn->SameFile(st))
        conn = std::make_shared<Connection>(std::string(fileName), path, st, mode);
    return conn;
}

Statement::Statement(Connection& conn, std::string_view sqlUtf8, const char* what)
    : conn_(&conn), what_(what)
{
    if (sqlite3_prepare_v3(conn.handle(), sqlUtf8.data(), static_cast<int>(sqlUtf8.size()),
                           SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr)
        != SQLITE_OK)
        conn.fail(what_);
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : conn_(other.conn_), what_(other.what_), stmt_(other.stmt_)
{
    other.stmt_ = nullptr;
}

bool Statement::step()
{
    if (!sqlite3_stmt_busy(stmt_))
        conn_->requireUnchanged(what_);
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    conn_->fail(what_);
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::bind(int index, const Value& v)
{
    int rc = SQLITE_OK;
    if (const auto* i = std::get_if<std::int64_t>(&v))
        rc = sqlite3_bind_int64(stmt_, index, *i);
    else if (const auto* f = std::get_if<double>(&v))
        rc = sqlite3_bind_double(stmt_, index, *f);
    else if (const auto* s = std::get_if<std::string>(&v))
        rc = sqlite3_bind_blob64(stmt_, index, s->data(), s->size(), SQLITE_TRANSIENT);
    else
        rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK)
        conn_->fail(what_);
}

Value Statement::column(int col, FieldType type) const
{
    if (sqlite3_column_type(stmt_, col) == SQLITE_NULL)
        return {};
    switch (type) {
    case FieldType::Integer:
        return static_cast<std::int64_t>(sqlite3_column_int64(stmt_, col));
    case FieldType::Float:
        return sqlite3_column_double(stmt_, col);
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, col));
    return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, col)));
}

std::string QuoteIdentifier(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

} // namespace db
