// One evaluation of every body theory and the Moon at one instant, as a chart pass needs it, and
// each theory alone (argument: the body index of RunBodyTheory, 11 the Moon).

#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "ephemeris/moon_theory.hpp"

#include <benchmark/benchmark.h>

namespace astrodesk {
namespace {

constexpr int kMoon = 11;

const CoefficientTables& Tables() {
    static const CoefficientTables tables = [] {
        CoefficientTables loaded;
        LoadCoefficientTables(InstalledDataFiles(RunningProgramDirectory()), loaded);
        return loaded;
    }();
    return tables;
}

void Evaluate(int body, double T, PositionTables& positions) {
    if (body == kMoon) {
        MoonTheory(T, Tables(), positions);
        benchmark::DoNotOptimize(positions.MoonLongitude);
    } else {
        RunBodyTheory(body, T, Tables(), positions);
        benchmark::DoNotOptimize(positions.TheoryL);
    }
}

void AllTheoriesAndMoon(benchmark::State& state) {
    PositionTables positions;
    double T = 0.2345; // 2023
    for (auto _ : state) {
        for (int body = 0; body <= kMoon; ++body)
            Evaluate(body, T, positions);
        T += 1e-9; // a fresh instant each time, as the passes and light-time steps give
    }
}
BENCHMARK(AllTheoriesAndMoon);

void OneTheory(benchmark::State& state) {
    PositionTables positions;
    double T = 0.2345;
    for (auto _ : state) {
        Evaluate(static_cast<int>(state.range(0)), T, positions);
        T += 1e-9;
    }
}
BENCHMARK(OneTheory)->DenseRange(0, kMoon);

} // namespace
} // namespace astrodesk

BENCHMARK_MAIN();
