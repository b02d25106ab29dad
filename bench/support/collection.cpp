#include "bench/support/collection.h"

#include "platform/text/sjis.h"

#include <sqlite3.h>

#include <cstdlib>
#include <iostream>

namespace fs = std::filesystem;

namespace bench {

const std::vector<Search>& Searches()
{
    static const std::vector<Search> s = {
        {"common", "消費税"_sj, ""},
        {"rare", "金地金"_sj, ""},
        {"two words", "簡易課税"_sj, "還付"_sj},
        {"absent", "恐竜"_sj, ""},
    };
    return s;
}

fs::path BuildFolder(const char* argv0)
{
    return fs::canonical(argv0).parent_path().parent_path();
}

bool LargeCollectionEnter(const fs::path& build)
{
    const char* env = std::getenv("RONVETTA_LARGE_DATA");
    const fs::path dir = env ? fs::path(env) : build / "large-data";
    if (!fs::exists(dir / "E2.db")) {
        std::cerr << "No large collection in " << dir << " (build the target large_data)\n";
        return false;
    }
    fs::current_path(dir);
    return true;
}

void SampleTabsCopy(const fs::path& sample, const fs::path& dir)
{
    for (const auto& entry : fs::directory_iterator(sample)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && (name[0] == 'F' || name[0] == 'G'))
            fs::copy_file(entry.path(), dir / name, fs::copy_options::overwrite_existing);
    }
}

const std::vector<std::string>& ArticleTexts()
{
    static const std::vector<std::string> all = [] {
        std::vector<std::string> out;
        sqlite3* db = nullptr;
        sqlite3_open_v2("file:E2.db?mode=ro&immutable=1", &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT Honbun FROM data ORDER BY Gyo", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            out.emplace_back(static_cast<const char*>(sqlite3_column_blob(st, 0)),
                             static_cast<std::size_t>(sqlite3_column_bytes(st, 0)));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }();
    return all;
}

void MemmemFloor(benchmark::State& state, const Search& s)
{
    const std::vector<std::string>& texts = ArticleTexts();
    std::int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const std::string& t : texts)
            hits += sjis::contains(t, s.word1) && (s.word2.empty() || sjis::contains(t, s.word2));
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

} // namespace bench
