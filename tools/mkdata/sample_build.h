// `mkdata sample SRC OUT`: the bundled sample data from its readable sources.
#pragma once

#include <filesystem>
#include <string>

namespace mkdata {

// Reads and checks every source first and writes only when all are sound.
// Returns a one-line summary; throws SourceError or db::Error.
std::string buildSample(const std::filesystem::path& sourceDir, const std::filesystem::path& outDir);

} // namespace mkdata
