// CPU time of one astrodesk-cli call, measured as the system counts it for the child process
// (user plus system time from wait4): the program's start alone (--version), a chart as text,
// which loads neither Qt nor the gazetteer, and a PNG wheel, which loads the Qt module. The
// program is the one built beside this benchmark. Each call is one repetition, so the figures
// are the min and median of single calls.

#include "child_process.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kRecord = {"--name",   "ANN",   "--date", "10-02-1993", "--time",
                                          "20:15:30", "--lat", "51N32",  "--lon",      "000W08"};

double Fastest(const std::vector<double>& seconds) {
    return *std::min_element(seconds.begin(), seconds.end());
}

void Command(benchmark::State& state, std::vector<std::string> arguments) {
    for (auto _ : state)
        state.SetIterationTime(astrodesk::bench::RunProgramBesideThis(arguments).cpuSeconds);
}

void Chart(benchmark::State& state, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, kRecord.begin(), kRecord.end());
    Command(state, std::move(arguments));
}

void SingleCalls(benchmark::internal::Benchmark* benchmark, int calls) {
    benchmark->UseManualTime()
        ->Iterations(1)
        ->Repetitions(calls)
        ->ReportAggregatesOnly()
        ->ComputeStatistics("min", Fastest)
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(Command, version, std::vector<std::string>{"--version"})->Apply([](auto* b) {
    SingleCalls(b, 20);
});
BENCHMARK_CAPTURE(Chart, chart_text, std::vector<std::string>{"chart"})->Apply([](auto* b) {
    SingleCalls(b, 20);
});
BENCHMARK_CAPTURE(Chart, wheel_png_scale_4,
                  std::vector<std::string>{"wheel", "--scale", "4", "-o",
                                           "/tmp/astrodesk-bench.png"})
    ->Apply([](auto* b) { SingleCalls(b, 5); });

} // namespace

BENCHMARK_MAIN();
