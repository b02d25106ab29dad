// Table files are read through memory maps. A file cut short or copied over
// while it is mapped would end the process with SIGBUS on the next read of a
// page that is gone; instead such a page reads as zeros, which SQLite takes
// for a damaged file and reports as an error.
#pragma once

#include <sys/stat.h>

namespace db {

// Installs the SIGBUS handler once and guards the maps of the table file
// `file` (as stat() gave it) until UnguardMapsOf(file). Faults in any other
// map (fonts, icons, caches of other libraries), and bus errors sent by
// other processes, still end the process.
void GuardMapsOf(const struct stat& file);
void UnguardMapsOf(const struct stat& file);

} // namespace db
