// The keyword search of the 消費税 tab end to end on the large collection:
// key edits normalised, statement built, result query opened and bound to
// the grid, first article built into the article view, status bar written;
// once with the main window hidden and once shown (repaints included).
// Beside it, in the same run, the floor: a scan of the same texts held in
// memory with memmem and the lead-byte check. Ratios follow the figures.
//
// The collection is taken from $RONVETTA_LARGE_DATA, else from
// <build>/large-data (the target large_data writes it); the sample files of
// the other two tabs of this build (F*, G*) are copied beside it when missing.
#include "app/kidou.h"
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/hbooks_db.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "reader/kensaku.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Search {
    const char* kind;
    std::string word1;
    std::string word2;
};

const std::vector<Search>& searches()
{
    static const std::vector<Search> s = {
        {"common", "消費税"_sj, ""},
        {"rare", "金地金"_sj, ""},
        {"two words", "簡易課税"_sj, "還付"_sj},
        {"absent", "恐竜"_sj, ""},
    };
    return s;
}

// The no-hit message is answered without a window.
class SilentPrompts : public platform::Prompter {
public:
    platform::Answer Ask(platform::PromptKind, const std::string&, const std::string&) override
    {
        return platform::Answer::Ok;
    }
};

// The reader as started: main window and both data modules.
struct Reader {
    Reader()
    {
        NamepasReset();
        PresenceFlagsSet();
        KidouStart();
        TableFileNamesSet();
        platform::SetApplicationTitle("Ronvetta");
        main = std::make_unique<TMain>();
        Main = main.get();
        houjin = std::make_unique<THoujin>();
        hbooks = std::make_unique<THbooks>();
        main->MainPageControl->SetActivePage(JyobunTabSheet[Syohi]);
    }
    std::unique_ptr<TMain> main;
    std::unique_ptr<THoujin> houjin;
    std::unique_ptr<THbooks> hbooks;
};

Reader* reader = nullptr;

void kensaku(benchmark::State& state, const Search& s, bool shown)
{
    reader->main->setVisible(shown);
    std::int64_t hits = 0;
    for (auto _ : state) {
        JyobunEditKey1[Syohi]->SetText(s.word1);
        JyobunEditKey2[Syohi]->SetText(s.word2);
        JyobunKensaku(Syohi);
        hits = JyobunSQL[JyobunSQLNo]->RecordCount();
    }
    state.counters["hits"] = static_cast<double>(hits);
}

// The article texts of E2.db, read once with plain SQLite.
const std::vector<std::string>& texts()
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

void memmemFloor(benchmark::State& state, const Search& s)
{
    std::int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const std::string& t : texts())
            hits += sjis::contains(t, s.word1) && (s.word2.empty() || sjis::contains(t, s.word2));
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

const char* const Hidden = "JyobunKensaku, window hidden";
const char* const Shown = "JyobunKensaku, window shown";
const char* const Floor = "memmem floor";

// Prints the figures, then each search over the floor (medians when the run
// is repeated, else means).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && (r.run_type == Run::RT_Iteration || r.aggregate_name == "median"))
                ms_[r.run_name.function_name] = r.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nsearch        hidden/floor  shown/floor\n");
        for (const Search& s : searches()) {
            const std::string k = std::string("kensaku/") + s.kind + "/";
            const double floor = ms_[k + Floor];
            std::printf("%-12s  %12.2f  %11.2f\n", s.kind, ms_[k + Hidden] / floor, ms_[k + Shown] / floor);
        }
        std::fflush(stdout);
    }

private:
    std::map<std::string, double> ms_;
};

fs::path collection(const char* argv0)
{
    if (const char* dir = std::getenv("RONVETTA_LARGE_DATA"))
        return dir;
    return fs::canonical(argv0).parent_path().parent_path() / "large-data";
}

// The 消費目次 and 会社法民法 tabs open at start-up too.
void otherTabsCopy(const fs::path& dir, const fs::path& sample)
{
    for (const auto& entry : fs::directory_iterator(sample)) {
        const std::string name = entry.path().filename().string();
        if ((name[0] == 'F' || name[0] == 'G') && !fs::exists(dir / name))
            fs::copy_file(entry.path(), dir / name);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const fs::path dir = collection(argv[0]);
    if (!fs::exists(dir / "E2.db")) {
        std::cerr << "No large collection in " << dir << " (build the target large_data)\n";
        return 1;
    }
    otherTabsCopy(dir, fs::canonical(argv[0]).parent_path().parent_path() / "sample-data");
    fs::current_path(dir);

    platform::Application app(argc, argv);
    SilentPrompts prompts;
    platform::SetPrompter(&prompts);
    Reader started;
    reader = &started;

    const auto min = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    for (const Search& s : searches()) {
        const std::string k = std::string("kensaku/") + s.kind + "/";
        for (const bool shown : {false, true})
            benchmark::RegisterBenchmark((k + (shown ? Shown : Hidden)).c_str(), kensaku, s, shown)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", min);
        benchmark::RegisterBenchmark((k + Floor).c_str(), memmemFloor, s)
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", min);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    platform::SetPrompter(nullptr);
    reader = nullptr;
    return 0;
}
