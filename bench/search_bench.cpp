// The keyword search on the large collection: the search statement run
// through the dataset layer, beside three references over the same texts:
// a scan of the texts held in memory with memmem and the lead-byte check
// (the floor), grep -c -F over the texts exported to a file, and SQLite's
// own LIKE over the same texts in UTF-8. Also opening the 20,000-row main
// table and reading its rows, and locating and stepping the million-row link
// table. Ratios follow the figures.
//
// The collection is taken from $RONVETTA_LARGE_DATA, else from
// <build>/large-data (the target large_data writes it).
#include "bench/support/bench_run.h"
#include "bench/support/collection.h"
#include "platform/db/dataset.h"
#include "platform/text/sjis.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;

using bench::Search;

// The scratch files of the references, removed at the end of the run.
fs::path scratch(const char* name)
{
    return fs::temp_directory_path() / name;
}

void setHits(benchmark::State& state, std::int64_t hits)
{
    state.counters["hits"] = static_cast<double>(hits);
}

db::StringList searchLines(const Search& s)
{
    db::StringList lines = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ",
                            "WHERE ( Honbun LIKE '%" + s.word1 + "%') "};
    if (!s.word2.empty())
        lines.push_back("AND ( Honbun LIKE '%" + s.word2 + "%') ");
    lines.push_back("ORDER BY Gyo ");
    return lines;
}

void datasetSearch(benchmark::State& state, const Search& s)
{
    db::Query q("JyobunSQL0");
    q.AddDataField("Gyo", db::FieldType::Integer);
    q.AddDataField("KubunNo", db::FieldType::Integer);
    for (auto _ : state) {
        q.Close();
        q.SQL() = searchLines(s);
        q.Open();
    }
    setHits(state, q.RecordCount());
}

// The first search of a run, which opens E2.db and checks its number cells:
// each time on a file the process has not opened, a hard link of E2.db in a
// folder of its own (a reader keeps each file it opened, so they are few).
void firstSearch(benchmark::State& state, const Search& s)
{
    const fs::path home = fs::current_path(), links = home / "first-search";
    fs::create_directories(links);
    static int opened = 0;
    std::int64_t hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = links / std::to_string(++opened);
        fs::create_directories(folder);
        fs::create_hard_link(home / "E2.db", folder / "E2.db");
        fs::current_path(folder);
        state.ResumeTiming();
        db::Query q("JyobunSQL0");
        q.AddDataField("Gyo", db::FieldType::Integer);
        q.AddDataField("KubunNo", db::FieldType::Integer);
        q.SQL() = searchLines(s);
        q.Open();
        hits = q.RecordCount();
    }
    fs::current_path(home);
    fs::remove_all(links);
    setHits(state, hits);
}

// One article per line: CR and LF never occur inside a CP932 character.
const fs::path& exportedTexts()
{
    static const fs::path file = [] {
        const fs::path p = scratch("ronvetta-bench-honbun.txt");
        std::ofstream out(p, std::ios::binary);
        for (std::string t : bench::ArticleTexts()) {
            for (char& c : t)
                if (c == '\r' || c == '\n')
                    c = ' ';
            out << t << '\n';
        }
        return p;
    }();
    return file;
}

fs::path wordFile(const std::string& word, const char* name)
{
    const fs::path p = scratch(name);
    std::ofstream(p, std::ios::binary) << word << '\n';
    return p;
}

void grepCount(benchmark::State& state, const Search& s)
{
    const std::string file = exportedTexts().string();
    std::string command = "LC_ALL=C grep -F -f " + wordFile(s.word1, "ronvetta-bench-w1").string() + " "
                          + file;
    command += s.word2.empty() ? " -c"
                               : " | LC_ALL=C grep -c -F -f " + wordFile(s.word2, "ronvetta-bench-w2").string();
    std::int64_t hits = 0;
    for (auto _ : state) {
        FILE* p = popen(command.c_str(), "r");
        if (!p || std::fscanf(p, "%ld", &hits) != 1)
            state.SkipWithError("grep failed");
        if (p)
            pclose(p);
    }
    setHits(state, hits);
}

// SQLite's own LIKE knows no CP932, so it searches the same texts in UTF-8,
// in a copy of E2.db made once (64 KB pages, memory-mapped like ours).
const fs::path& utf8Copy()
{
    static const fs::path file = [] {
        const fs::path p = scratch("ronvetta-bench-utf8.db");
        fs::remove(p);
        sqlite3* db = nullptr;
        sqlite3_open(p.c_str(), &db);
        sqlite3_exec(db,
                     "PRAGMA page_size=65536; PRAGMA synchronous=OFF; BEGIN;"
                     "CREATE TABLE data (Gyo INTEGER PRIMARY KEY, KubunNo INTEGER, Honbun TEXT)",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO data VALUES (?, 0, ?)", -1, &st, nullptr);
        std::int64_t gyo = 0;
        for (const std::string& t : bench::ArticleTexts()) {
            const std::string utf8 = sjis::toUtf8(t);
            sqlite3_bind_int64(st, 1, ++gyo);
            sqlite3_bind_text(st, 2, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return p;
    }();
    return file;
}

void builtinLike(benchmark::State& state, const Search& s)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(utf8Copy().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(db, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
    const std::string sql = std::string("SELECT DISTINCT Gyo,KubunNo FROM data WHERE Honbun LIKE ?1")
                            + (s.word2.empty() ? "" : " AND Honbun LIKE ?2") + " ORDER BY Gyo";
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    const std::string p1 = "%" + sjis::toUtf8(s.word1) + "%", p2 = "%" + sjis::toUtf8(s.word2) + "%";
    std::int64_t hits = 0;
    for (auto _ : state) {
        sqlite3_bind_text(st, 1, p1.data(), static_cast<int>(p1.size()), SQLITE_STATIC);
        if (!s.word2.empty())
            sqlite3_bind_text(st, 2, p2.data(), static_cast<int>(p2.size()), SQLITE_STATIC);
        hits = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            ++hits;
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    setHits(state, hits);
}

// The grid's table: open, read every field of every row, close.
void mainTable(benchmark::State& state)
{
    std::int64_t bytes = 0;
    for (auto _ : state) {
        db::Table t("SMainTable");
        t.SetTableName("E1.db");
        t.Open();
        bytes = 0;
        for (t.First(); !t.Eof(); t.Next())
            for (int f = 0; f < t.FieldCount(); ++f)
                bytes += static_cast<std::int64_t>(t.Fields(f).AsString().size());
        t.Close();
    }
    state.counters["rows"] = 20000;
    benchmark::DoNotOptimize(bytes);
}

// The link table: opened, located on one article's links and stepped through them.
void linkTable(benchmark::State& state)
{
    std::int64_t gyo = 10, rows = 0;
    for (auto _ : state) {
        db::Table links("SLinkTable");
        links.SetTableName("E4.db");
        links.SetIndexFieldNames("Gyo;Sel");
        links.Open();
        gyo = gyo % 199990 + 10;
        if (links.Locate("Gyo", {gyo}))
            for (; !links.Eof() && links.FieldByName("Gyo").AsInteger() == gyo; links.Next())
                rows += links.FieldByName("Sel").AsInteger() >= 0;
    }
    state.counters["rows per article"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

// The ratios of each search.
void ratiosPrint(bench::Times& ms)
{
    std::cout << "search        dataset/floor  grep/floor  builtin LIKE/dataset\n";
    for (const Search& s : bench::Searches()) {
        const std::string k = std::string("search/") + s.kind + "/";
        if (!ms.count(k + "dataset") || !ms.count(k + "memmem floor") || !ms.count(k + "grep -c -F")
            || !ms.count(k + "sqlite builtin LIKE"))
            continue; // not all of this search was run
        const double dataset = ms[k + "dataset"], floor = ms[k + "memmem floor"];
        std::printf("%-12s  %13.2f  %10.2f  %20.2f\n", s.kind, dataset / floor, ms[k + "grep -c -F"] / floor,
                    ms[k + "sqlite builtin LIKE"] / dataset);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!bench::LargeCollectionEnter(bench::BuildFolder(argv[0])))
        return 1;
    for (const Search& s : bench::Searches()) {
        const std::string k = std::string("search/") + s.kind + "/";
        bench::AddTimed(k + "dataset", datasetSearch, s);
        bench::AddTimed(k + "dataset, first after opening", firstSearch, s)->Iterations(20);
        bench::AddTimed(k + "memmem floor", bench::MemmemFloor, s);
        bench::AddTimed(k + "grep -c -F", grepCount, s);
        bench::AddTimed(k + "sqlite builtin LIKE", builtinLike, s);
    }
    bench::AddTimed("main table E1.db: open and read 20,000 rows", mainTable);
    bench::AddTimed("link table E4.db: open, locate one article, step its links", linkTable);
    bench::RatioReporter reporter(ratiosPrint);
    bench::Run(argc, argv, &reporter);
    for (const char* name : {"ronvetta-bench-honbun.txt", "ronvetta-bench-utf8.db", "ronvetta-bench-w1",
                             "ronvetta-bench-w2"})
        fs::remove(scratch(name));
}
