// The keyword search of the 消費税 tab end to end on the large collection:
// key edits normalised, statement built, result query opened and bound to
// the grid, first article built into the article view, status bar written;
// once with the main window hidden and once shown (repaints included).
// Beside it, in the same run, the floor: a scan of the same texts held in
// memory with memmem and the lead-byte check. Ratios follow the figures.
//
// The collection is taken from $RONVETTA_LARGE_DATA, else from
// <build>/large-data (the target large_data writes it); the sample files of
// the other two tabs of this build (F*, G*) are copied beside it.
#include "app/mainpas.h"
#include "app/startup.h"
#include "bench/support/bench_run.h"
#include "bench/support/collection.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "reader/kensaku.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using bench::Search;

// The no-hit message is answered without a window.
class SilentPrompts : public platform::Prompter {
public:
    platform::Answer Ask(platform::PromptKind, const std::string&, const std::string&) override
    {
        return platform::Answer::Ok;
    }
};

ReaderSession* reader = nullptr;

void kensaku(benchmark::State& state, const Search& s, bool shown)
{
    reader->MainForm().setVisible(shown);
    std::int64_t hits = 0;
    for (auto _ : state) {
        JyobunEditKey1[Syohi]->SetText(s.word1);
        JyobunEditKey2[Syohi]->SetText(s.word2);
        JyobunKensaku(Syohi);
        hits = JyobunSQL[JyobunSQLNo]->RecordCount();
    }
    state.counters["hits"] = static_cast<double>(hits);
}

const char* const Hidden = "JyobunKensaku, window hidden";
const char* const Shown = "JyobunKensaku, window shown";
const char* const Floor = "memmem floor";

// Each search over the floor.
void ratiosPrint(bench::Times& ms)
{
    std::printf("search        hidden/floor  shown/floor\n");
    for (const Search& s : bench::Searches()) {
        const std::string k = std::string("kensaku/") + s.kind + "/";
        const double floor = ms[k + Floor];
        std::printf("%-12s  %12.2f  %11.2f\n", s.kind, ms[k + Hidden] / floor, ms[k + Shown] / floor);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path build = bench::BuildFolder(argv[0]);
    if (!bench::LargeCollectionEnter(build))
        return 1;
    bench::SampleTabsCopy(build / "sample-data", ".");

    const bench::Application app(argc, argv);
    SilentPrompts prompts;
    platform::SetPrompter(&prompts);
    ReaderSession started("Ronvetta");
    started.MainForm().MainPageControl->SetActivePage(JyobunTabSheet[Syohi]);
    reader = &started;

    for (const Search& s : bench::Searches()) {
        const std::string k = std::string("kensaku/") + s.kind + "/";
        for (const bool shown : {false, true})
            bench::AddTimed(k + (shown ? Shown : Hidden), kensaku, s, shown);
        bench::AddTimed(k + Floor, bench::MemmemFloor, s);
    }
    bench::RatioReporter reporter(ratiosPrint);
    bench::Run(argc, argv, &reporter);
    platform::SetPrompter(nullptr);
    reader = nullptr;
    return 0;
}
