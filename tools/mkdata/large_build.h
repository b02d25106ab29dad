// `mkdata large OUT`: a deterministic generated collection for the 消費税 tab
// (letter E) of about 20,000 articles and 40 MB of text, for benchmarks.
#pragma once

#include "law_collection.h"

#include <filesystem>
#include <string>

namespace mkdata {

// Words whose frequency the generator fixes, for benchmarks and tests
// (CP932). Each rare word stands in exactly `articles` articles; the absent
// words stand in none.
struct RareWord {
    const char* utf8;
    int articles;
};
extern const RareWord kRareWords[3];
extern const char* const kAbsentWords[2];

// The collection, always the same for the same program.
LawCollection generateLarge();

// Writes E1.db to E6.dl_ into `outDir`; returns a one-line summary.
std::string buildLarge(const std::filesystem::path& outDir);

} // namespace mkdata
