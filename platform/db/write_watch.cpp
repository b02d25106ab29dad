#include "platform/db/write_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <unordered_map>

namespace db {

namespace {

// One inotify instance for the process. Watches of one file share its
// descriptor, so each is counted.
struct Watches {
    struct Entry {
        int users = 0;
        bool written = false;
    };
    int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    bool lost = false; // the queue overflowed: any file may have been written
    std::unordered_map<int, Entry> entries;

    void drain()
    {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                return;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->mask & IN_Q_OVERFLOW)
                    lost = true;
                else if (auto it = entries.find(event->wd); it != entries.end() && (event->mask & IN_MODIFY))
                    it->second.written = true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }
};

Watches& watches()
{
    static Watches w;
    return w;
}

} // namespace

WriteWatch::WriteWatch(const std::string& path)
{
    Watches& w = watches();
    if (w.fd < 0)
        return;
    wd_ = inotify_add_watch(w.fd, path.c_str(), IN_MODIFY);
    if (wd_ >= 0)
        ++w.entries[wd_].users;
}

WriteWatch::~WriteWatch()
{
    Watches& w = watches();
    auto it = w.entries.find(wd_);
    if (it == w.entries.end() || --it->second.users > 0)
        return;
    inotify_rm_watch(w.fd, wd_);
    w.entries.erase(it);
}

bool WriteWatch::Written()
{
    Watches& w = watches();
    if (wd_ < 0)
        return true;
    w.drain();
    return w.lost || w.entries[wd_].written;
}

} // namespace db
