// One year of events for a natal chart: every transit of the Sun to Pluto in every aspect of the
// chart's table to all natal points (Sun to ZED, Ascendant, Midheaven), every ingress and
// station, the solar and lunar returns. Found once on the program's own apparent places and
// once, by the same search, on Swiss Ephemeris's (Moshier's series, eleven swe_calc_ut calls a
// moment); the ratio of the two is printed at the end.

#include "astro/angles.hpp"
#include "chart/chart_driver.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "events/event_search.hpp"
#include "shell/defaults.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <swephexp.h>

namespace {

using namespace astrodesk;

ProgramState LoadedState() {
    ProgramState state;
    BuildBodyTables(state.bodies);
    LoadCoefficientTables(InstalledDataFiles(RunningProgramDirectory()), state.coefficients);
    state.record = {"BENCHMARK", "15-06-1990", "12:00:00", "51N30", "000W07", "A.D.", 0};
    ComputeChartTables(state);
    return state;
}

EventSearchOptions YearOptions() {
    EventSearchOptions options;
    options.fromT = (2461041.5 - 2451545.0) / 36525.0; // 1 January 2026
    options.toT = options.fromT + 365.0 / 36525.0;
    return options;
}

IndexedArray<double, 1, 12> SwissLongitudes(double T) {
    constexpr int kBodies[] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   -1,      SE_MARS,
                               SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
    IndexedArray<double, 1, 12> longitudes{};
    double x[6];
    char error[AS_MAXCH];
    for (int slot = 1; slot <= 11; ++slot) {
        if (kBodies[slot - 1] < 0) continue;
        swe_calc_ut(2451545.0 + 36525.0 * T, kBodies[slot - 1], SEFLG_MOSEPH, x, error);
        longitudes[slot] = DegToRad(x[0]);
    }
    return longitudes;
}

void YearOfEvents(benchmark::State& run) {
    const ProgramState state = LoadedState();
    const NatalPoints natal = NatalPointsOf(state);
    const EventSearchOptions options = YearOptions();
    std::size_t found = 0;
    for (auto _ : run) {
        found = FindEvents(state, natal, options).size();
        benchmark::DoNotOptimize(found);
    }
    run.counters["events"] = static_cast<double>(found);
}

void SwissEphemerisYearOfEvents(benchmark::State& run) {
    const ProgramState state = LoadedState();
    const NatalPoints natal = NatalPointsOf(state);
    const EventSearchOptions options = YearOptions();
    std::size_t found = 0;
    for (auto _ : run) {
        found = FindEvents(LongitudeSource(SwissLongitudes), natal, options).size();
        benchmark::DoNotOptimize(found);
    }
    run.counters["events"] = static_cast<double>(found);
}

BENCHMARK(YearOfEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(SwissEphemerisYearOfEvents)->Unit(benchmark::kMillisecond);

// Keeps the processor time per iteration of each benchmark for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            perIteration[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> perIteration;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.perIteration.find("YearOfEvents");
    const auto swiss = reporter.perIteration.find("SwissEphemerisYearOfEvents");
    if (ours != reporter.perIteration.end() && swiss != reporter.perIteration.end())
        std::printf("a year of events %.1f ms, through Swiss Ephemeris %.1f ms (CPU): %.1f times "
                    "faster\n",
                    ours->second, swiss->second, swiss->second / ours->second);
    swe_close();
    benchmark::Shutdown();
    return 0;
}
