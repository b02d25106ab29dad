// Table files are read through memory maps. A file cut short or copied over
// while it is mapped would end the process with SIGBUS on the next read of a
// page that is gone; instead such a page reads as zeros, which SQLite takes
// for a damaged file and reports as an error.
#pragma once

namespace db {

// Installs the SIGBUS handler once; faults outside shared read-only file
// maps (the way SQLite maps a table file) still end the process.
void CatchMappingFaults();

} // namespace db
