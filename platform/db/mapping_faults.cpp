#include "platform/db/mapping_faults.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace db {
namespace {

struct sigaction previousAction;
std::uintptr_t pageSize = 4096;

// The guarded files, by device and inode; a free slot has inode 0. Far more
// slots than a run keeps table files open.
struct GuardedFile {
    std::atomic<dev_t> dev{0};
    std::atomic<ino_t> ino{0};
};
GuardedFile guarded[256];
static_assert(std::atomic<dev_t>::is_always_lock_free && std::atomic<ino_t>::is_always_lock_free);

bool isGuarded(dev_t dev, ino_t ino)
{
    for (const GuardedFile& g : guarded)
        if (ino != 0 && g.ino.load() == ino && g.dev.load() == dev)
            return true;
    return false;
}

std::uintptr_t parseNumber(const char*& p, const char* end, int base)
{
    std::uintptr_t v = 0;
    for (; p < end; ++p) {
        const char c = *p;
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : base;
        if (digit >= base)
            break;
        v = v * static_cast<std::uintptr_t>(base) + static_cast<std::uintptr_t>(digit);
    }
    return v;
}

// Whether `address` lies in a shared read-only map of a guarded file
// ("start-end r--s offset major:minor inode path" in /proc/self/maps).
// Runs in the signal handler: open, read and close only.
bool inTableFileMap(std::uintptr_t address)
{
    const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buf[8192];
    std::size_t have = 0;
    int found = -1;
    while (found < 0) {
        const ssize_t n = read(fd, buf + have, sizeof buf - have);
        if (n <= 0)
            break;
        have += static_cast<std::size_t>(n);
        const char* line = buf;
        const char* end = buf + have;
        // "start-end perms offset device inode path"
        while (const auto* nl = static_cast<const char*>(std::memchr(line, '\n', end - line))) {
            const char* p = line;
            const std::uintptr_t start = parseNumber(p, nl, 16);
            ++p;
            const std::uintptr_t stop = parseNumber(p, nl, 16);
            ++p;
            if (address >= start && address < stop) {
                found = 0;
                if (nl - p > 5 && std::memcmp(p, "r--s ", 5) == 0) {
                    p += 5;
                    parseNumber(p, nl, 16); // offset
                    const auto major = static_cast<unsigned>(parseNumber(++p, nl, 16));
                    const auto minor = static_cast<unsigned>(parseNumber(++p, nl, 16));
                    found = isGuarded(makedev(major, minor), static_cast<ino_t>(parseNumber(++p, nl, 10)));
                }
                break;
            }
            line = nl + 1;
        }
        have = static_cast<std::size_t>(end - line);
        if (have == sizeof buf)
            break; // no line is this long
        std::memmove(buf, line, have);
    }
    close(fd);
    return found > 0;
}

void onBusError(int, siginfo_t* info, void*)
{
    const int savedErrno = errno;
    const auto page = reinterpret_cast<std::uintptr_t>(info->si_addr) & ~(pageSize - 1);
    // A page of a table file that is gone: zeros in its place.
    if (info->si_code == BUS_ADRERR && page != 0 && inTableFileMap(page)
        && mmap(reinterpret_cast<void*>(page), pageSize, PROT_READ,
                MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0)
               != MAP_FAILED) {
        errno = savedErrno;
        return;
    }
    // Not ours: a fault recurs and ends the process as it would have; a
    // signal sent by another process is raised again, not lost.
    sigaction(SIGBUS, &previousAction, nullptr);
    if (info->si_code <= 0)
        raise(SIGBUS);
    errno = savedErrno;
}

} // namespace

void GuardMapsOf(const struct stat& file)
{
    static const bool installed = [] {
        pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, &previousAction) == 0;
    }();
    (void)installed;
    // Connections are made and closed on one thread; the handler reads.
    for (GuardedFile& g : guarded)
        if (g.ino.load() == 0) {
            g.dev.store(file.st_dev);
            g.ino.store(file.st_ino);
            return;
        }
}

void UnguardMapsOf(const struct stat& file)
{
    for (GuardedFile& g : guarded)
        if (g.ino.load() == file.st_ino && g.dev.load() == file.st_dev) {
            g.ino.store(0);
            return;
        }
}

} // namespace db
