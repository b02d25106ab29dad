#include "platform/db/mapping_faults.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace db {
namespace {

struct sigaction previousAction;
std::uintptr_t pageSize = 4096;

std::uintptr_t parseHex(const char*& p, const char* end)
{
    std::uintptr_t v = 0;
    for (; p < end; ++p) {
        const char c = *p;
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            break;
        v = v * 16 + static_cast<std::uintptr_t>(digit);
    }
    return v;
}

// Whether `address` lies in a shared read-only map ("r--s" in
// /proc/self/maps). Runs in the signal handler: open, read and close only.
bool inSharedReadOnlyMap(std::uintptr_t address)
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
            const std::uintptr_t start = parseHex(p, nl);
            ++p;
            const std::uintptr_t stop = parseHex(p, nl);
            ++p;
            if (address >= start && address < stop) {
                found = nl - p >= 4 && std::memcmp(p, "r--s", 4) == 0;
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
    if (info->si_code == BUS_ADRERR && page != 0 && inSharedReadOnlyMap(page)
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

void CatchMappingFaults()
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
}

} // namespace db
