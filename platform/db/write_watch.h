// Whether a table file has been written since the reader opened it. Its
// change time alone cannot tell: chmod, chown, a hard link made by a backup
// tool or a rename away and back move it without touching a byte. The
// kernel's notes of writes (inotify), kept from the open on, can.
#pragma once

#include <string>

namespace db {

class WriteWatch {
public:
    explicit WriteWatch(const std::string& path);
    ~WriteWatch();
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;

    // True once the file has been written or cut short since the watch
    // began; also when that cannot be told (no watch could be set, or notes
    // were lost).
    bool Written();

private:
    int wd_ = -1;
};

} // namespace db
