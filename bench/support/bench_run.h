// Running benchmarks inside the application object, and the ratios that some
// of them print after their figures.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QApplication;

namespace bench {

// The application object the benchmarks run in, offscreen unless
// QT_QPA_PLATFORM names a platform.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();

private:
    std::unique_ptr<QApplication> app_;
};

// Runs the registered benchmarks, reported by `reporter` (the console's when
// none is given).
void Run(int& argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr);

// Registers `fn(state, args...)` as `name`, in milliseconds, with the minimum
// beside the mean and median of repeated runs.
template <typename Fn, typename... Args>
benchmark::internal::Benchmark* AddTimed(const std::string& name, Fn fn, Args... args)
{
    return benchmark::RegisterBenchmark(name.c_str(), fn, args...)
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
        });
}

// Each benchmark's time by its name: the median when the run is repeated
// (the machine is shared), else the mean.
using Times = std::map<std::string, double>;

// The console's figures, then `ratios` printed from the times of the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::function<void(Times&)> ratios);
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::function<void(Times&)> ratios_;
    Times times_;
};

} // namespace bench
