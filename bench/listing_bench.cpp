// The horoscope listing of one fixed chart: the head, the body rows, the angle and cusp block and
// the empty line that ends it, printed on a cleared page; and, apart, the factors and aspects
// that the chart driver derives last. The chart is computed once, before the timed loops.

#include "chart/chart_driver.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "interpret/factors.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"

#include <benchmark/benchmark.h>

namespace astrodesk {
namespace {

// A geocentric chart with a long name: every kind of listing line appears on its page.
const ProgramState& ComputedChart() {
    static const ProgramState computed = [] {
        ProgramState state;
        BuildBodyTables(state.bodies);
        LoadCoefficientTables(InstalledDataFiles(RunningProgramDirectory()), state.coefficients);
        state.record = {"A NAME LONGER THAN TWENTY-THREE",
                        "06-12-2026",
                        "08:05:30",
                        "53N28",
                        "002W13",
                        "A.D.",
                        0};
        ComputeChartTables(state);
        return state;
    }();
    return computed;
}

void ListingPage(benchmark::State& run) {
    ProgramState state = ComputedChart();
    PictureBox page(638.0, 428.0);
    page.Scale(0.0, 0.0, 640.0, 455.0);
    for (auto _ : run) {
        page.Cls();
        ListChartPage(state, page);
        benchmark::DoNotOptimize(page.Items().data());
    }
}
BENCHMARK(ListingPage)->Unit(benchmark::kMicrosecond);

void FactorsAndAspects(benchmark::State& run) {
    ProgramState state = ComputedChart();
    for (auto _ : run) {
        ComputeFactors(state.positions, state.working.ChartCentre, state.factors);
        ComputeAspects(state.factors, state.options.OrbDegrees);
        benchmark::DoNotOptimize(state.factors.AspectCode);
    }
}
BENCHMARK(FactorsAndAspects)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace astrodesk

BENCHMARK_MAIN();
