// The large collection the search and start-up benchmarks run on, the
// keyword searches they time and the floor they are measured against.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace bench {

struct Search {
    const char* kind;
    std::string word1;
    std::string word2; // empty: one word
};

// A common word, a rare one, two words, an absent one.
const std::vector<Search>& Searches();

// The folder of the build that the benchmark `argv0` belongs to.
std::filesystem::path BuildFolder(const char* argv0);

// Makes the large collection the current folder: $RONVETTA_LARGE_DATA, else
// <build>/large-data (the target large_data writes it). False, said on
// standard error, when it holds no E2.db.
bool LargeCollectionEnter(const std::filesystem::path& build);

// The sample's 消費目次 and 会社法民法 files (F*, G*) from the folder
// `sample` into `dir`, replacing those there: the start-up opens those tabs.
void SampleTabsCopy(const std::filesystem::path& sample, const std::filesystem::path& dir);

// The article texts of E2.db in the current folder, read once.
const std::vector<std::string>& ArticleTexts();

// The floor: the search's words found in the texts held in memory with
// memmem and the lead-byte check.
void MemmemFloor(benchmark::State& state, const Search& s);

} // namespace bench
