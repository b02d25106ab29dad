// Start-up on the large collection presented as the 消費税 tab (the large E
// files with the sample F and G files in one folder): the real process from
// its spawn to the end of showing the main window (KidouEnd), and the parts
// of it measured in this process: the main window, the data modules opening
// the tables and showing the first article and entry, the contents tree.
#include "app/mainpas.h"
#include "app/startup.h"
#include "bench/support/bench_run.h"
#include "bench/support/collection.h"
#include "data/hbooks_db.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/ui/tree_view.h"
#include "reader/contents_tree.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path DataDir = RONVETTA_STARTUP_DATA;
// The probe's temporary folder, where its instance socket lives: a reader
// running elsewhere on the machine is not found and cannot end the probe.
const fs::path ProbeTemp = DataDir / "probe-tmp";

void run(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

// Made once per build folder: mkdata's large collection, then the sample's
// book tab and company-law tab beside it.
void ensureData()
{
    if (fs::exists(DataDir / "E1.db") && fs::exists(DataDir / "G6.dl_") && fs::exists(DataDir / "F1.db"))
        return;
    fs::create_directories(DataDir);
    run(std::string("'") + RONVETTA_MKDATA + "' large '" + DataDir.string() + "' >/dev/null");
    const fs::path sample = DataDir / "sample";
    run(std::string("'") + RONVETTA_MKDATA + "' sample '" + RONVETTA_SAMPLE_DIR + "' '" + sample.string()
        + "' >/dev/null");
    bench::SampleTabsCopy(sample, DataDir);
    fs::remove_all(sample);
}

long long steadyMicros()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// One run of the probe build: spawned in the data folder, it prints the
// steady clock when the window has been shown, and its own start-up time.
struct ProbeRun {
    double spawnToShownMs;
    double ownSeconds;
};

ProbeRun probeOnce()
{
    fs::create_directories(ProbeTemp);
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe");
    const long long start = steadyMicros();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (chdir(DataDir.c_str()) != 0 || setenv("TMPDIR", ProbeTemp.c_str(), 1) != 0)
            _exit(127);
        execl(RONVETTA_STARTUP_PROBE_EXE, RONVETTA_STARTUP_PROBE_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long shown = 0;
    char own[128] = {};
    // "<micros> 起動時間： <seconds> 秒"
    if (std::sscanf(text.c_str(), "%lld %*s %127s", &shown, own) != 2)
        throw std::runtime_error("the probe reported nothing: " + text);
    return {(shown - start) / 1000.0, std::atof(own)};
}

void BM_ProcessStartToKidouEnd(benchmark::State& state)
{
    ensureData();
    double own = 0;
    for (auto _ : state) {
        const ProbeRun r = probeOnce();
        state.SetIterationTime(r.spawnToShownMs / 1000.0);
        own += r.ownSeconds;
    }
    state.counters["kidou_s"] = own / static_cast<double>(state.iterations());
}

// In-process parts: the program's start-up steps on this folder.
class StartUp {
public:
    StartUp()
    {
        ensureData();
        old_ = fs::current_path();
        fs::current_path(DataDir);
        NamepasReset();
        StartUpSteps("Ronvetta");
    }
    ~StartUp()
    {
        NamepasReset();
        fs::current_path(old_);
    }

private:
    fs::path old_;
};

void BM_MainWindow(benchmark::State& state)
{
    const StartUp startUp;
    for (auto _ : state) {
        TMain main;
        Main = &main;
        benchmark::DoNotOptimize(Main);
    }
}

void BM_DataModules(benchmark::State& state)
{
    const StartUp startUp;
    TMain main;
    Main = &main;
    for (auto _ : state) {
        THoujin houjin;
        THbooks hbooks;
        benchmark::DoNotOptimize(JyobunMainTable[Syohi]);
    }
    state.counters["articles"] = 20000;
}

void BM_ContentsTreeLoad(benchmark::State& state)
{
    const StartUp startUp;
    TMain main;
    Main = &main;
    for (auto _ : state) {
        // At start-up the tree is empty: freeing the last load is not counted.
        state.PauseTiming();
        main.SyohiTreeView->Clear();
        state.ResumeTiming();
        MokujiTreeLoad(Syohi);
    }
    state.counters["nodes"] = main.SyohiTreeView->Count();
}

BENCHMARK(BM_ProcessStartToKidouEnd)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataModules)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContentsTreeLoad)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const bench::Application app(argc, argv);
    bench::Run(argc, argv);
    return 0;
}
