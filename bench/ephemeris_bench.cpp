// One evaluation of every body theory and the Moon at one instant, as a chart pass needs it.

#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "ephemeris/moon_theory.hpp"

#include <benchmark/benchmark.h>

namespace astrodesk {
namespace {

void AllTheoriesAndMoon(benchmark::State& state) {
    CoefficientTables tables;
    const InstalledDataFiles files;
    LoadPerturbTable(files, tables);
    LoadMoonTable(files, tables);
    PositionTables positions;
    double T = 0.2345; // 2023
    for (auto _ : state) {
        for (int k = 0; k <= 10; ++k) {
            RunBodyTheory(k, T, tables, positions);
            benchmark::DoNotOptimize(positions.TheoryL);
        }
        MoonTheory(T, tables, positions);
        benchmark::DoNotOptimize(positions.MoonLongitude);
        T += 1e-9; // a fresh instant each time, as the passes and light-time steps give
    }
}
BENCHMARK(AllTheoriesAndMoon);

} // namespace
} // namespace astrodesk

BENCHMARK_MAIN();
