// Place queries of the system's atlas (gazetteer and time-zone cities): the first query of a
// process, which builds the place index (from the user's cache of the gazetteer once it is
// there), printed once before the runs; then queries after the
// first, from a name with one match to a single letter with thousands, and a name without any.
// Each is repeated and reported by its minimum and median.

#include "atlas/system_atlas.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace astrodesk {
namespace {

const SystemAtlas kAtlas;

void PlaceQuery(benchmark::State& run, const char* query) {
    std::size_t found = 0;
    for (auto _ : run) {
        const std::vector<AtlasPlace> places = kAtlas.FindPlaces(query);
        found = places.size();
        benchmark::DoNotOptimize(places.data());
    }
    run.counters["matches"] = static_cast<double>(found);
}

double Smallest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

void Register(const char* label, const char* query) {
    benchmark::RegisterBenchmark(label, PlaceQuery, query)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(9)
        ->ComputeStatistics("min", Smallest)
        ->ReportAggregatesOnly(true);
}

} // namespace
} // namespace astrodesk

int main(int argc, char** argv) {
    using namespace astrodesk;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const std::size_t found = kAtlas.FindPlaces("Manchester").size();
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("first query of the process (the index built): %.1f ms, CPU %.1f ms, %zu matches\n",
                wall.count(), cpu, found);
    Register("Query/Zurich", "Zurich");
    Register("Query/Montreal_accented", "Montr\u00e9al");
    Register("Query/Ashford_Kent", "Ashford, Kent");
    Register("Query/Manchester_number_2", "Manchester, 2");
    Register("Query/San", "San");
    Register("Query/a", "a");
    Register("Query/no_match", "Xqzzyville");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
