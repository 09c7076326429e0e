// CPU time of one astrodesk-cli call, measured as the system counts it for the child process
// (user plus system time from wait4): a chart as text, which loads no Qt, and a PNG wheel,
// which loads the Qt module. The program is the one built beside this benchmark.

#include "child_process.hpp"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kRecord = {"--name",   "ANN",   "--date", "10-02-1993", "--time",
                                          "20:15:30", "--lat", "51N32",  "--lon",      "000W08"};

void Command(benchmark::State& state, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, kRecord.begin(), kRecord.end());
    for (auto _ : state)
        state.SetIterationTime(astrodesk::bench::RunProgramBesideThis(arguments).cpuSeconds);
}
BENCHMARK_CAPTURE(Command, chart_text, std::vector<std::string>{"chart"})
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Command, wheel_png_scale_4,
                  std::vector<std::string>{"wheel", "--scale", "4", "-o",
                                           "/tmp/astrodesk-bench.png"})
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
