#include "platform/db/page_reads.h"

#include <sqlite3.h>

#include <new>

namespace db {

namespace {

constexpr int kCacheLine = 64;

// Kept after the base VFS's own file object.
struct PageState {
    bool readThrough = false;
    sqlite3_int64 nextOffset = -1; // just past the page fetched last
};

sqlite3_vfs* base = nullptr;
sqlite3_vfs vfs;
int stateOffset = 0;
// The base VFS's methods for table files, and the same with fetchPage() in
// place of xFetch: the file objects stay the base VFS's own.
const sqlite3_io_methods* original = nullptr;
sqlite3_io_methods reading;

PageState& stateOf(sqlite3_file* file)
{
    return *reinterpret_cast<PageState*>(reinterpret_cast<char*>(file) + stateOffset);
}

// Only a page that follows the one fetched before it is read through: the
// pages a search reads row by row lie one after the other in the file.
int fetchPage(sqlite3_file* file, sqlite3_int64 offset, int amount, void** page)
{
    const int rc = original->xFetch(file, offset, amount, page);
    PageState& state = stateOf(file);
    if (state.readThrough && rc == SQLITE_OK && *page && offset == state.nextOffset) {
        const volatile char* bytes = static_cast<const char*>(*page);
        for (int i = 0; i < amount; i += kCacheLine)
            (void)bytes[i];
    }
    state.nextOffset = offset + amount;
    return rc;
}

int openFile(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    const int rc = base->xOpen(base, name, file, flags, outFlags);
    if (!original && file->pMethods && file->pMethods->iVersion >= 3 && (flags & SQLITE_OPEN_MAIN_DB)) {
        original = file->pMethods;
        reading = *original;
        reading.xFetch = fetchPage;
    }
    if (original && file->pMethods == original) {
        new (&stateOf(file)) PageState;
        file->pMethods = &reading;
    }
    return rc;
}

} // namespace

const char* PageReadsVfs()
{
    static const char* const name = [] {
        base = sqlite3_vfs_find(nullptr);
        vfs = *base;
        constexpr int align = alignof(PageState);
        stateOffset = (base->szOsFile + align - 1) / align * align;
        vfs.szOsFile = stateOffset + static_cast<int>(sizeof(PageState));
        vfs.zName = "ronvetta-page-reads";
        vfs.xOpen = openFile;
        vfs.pNext = nullptr;
        sqlite3_vfs_register(&vfs, 0);
        return vfs.zName;
    }();
    return name;
}

ReadingPagesThrough::ReadingPagesThrough(sqlite3* db)
{
    sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file_);
    if (file_ && file_->pMethods == &reading)
        stateOf(file_).readThrough = true;
    else
        file_ = nullptr;
}

ReadingPagesThrough::~ReadingPagesThrough()
{
    if (file_)
        stateOf(file_).readThrough = false;
}

} // namespace db
