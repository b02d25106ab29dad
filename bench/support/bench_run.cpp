#include "bench/support/bench_run.h"

#include "platform/app/application.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace bench {

namespace {

int& offscreenByDefault(int& argc)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return argc;
}

} // namespace

Application::Application(int& argc, char** argv)
    : app_(std::make_unique<platform::Application>(offscreenByDefault(argc), argv))
{
}

Application::~Application() = default;

void Run(int& argc, char** argv, benchmark::BenchmarkReporter* reporter)
{
    benchmark::Initialize(&argc, argv);
    if (reporter)
        benchmark::RunSpecifiedBenchmarks(reporter);
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

RatioReporter::RatioReporter(std::function<void(Times&)> ratios) : ratios_(std::move(ratios)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
        if (!r.error_occurred && (r.run_type == Run::RT_Iteration || r.aggregate_name == "median"))
            times_[r.run_name.function_name] = r.GetAdjustedRealTime();
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\n");
    ratios_(times_);
    std::fflush(stdout);
}

} // namespace bench
