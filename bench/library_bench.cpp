// The chart library's search over 100,000 kept charts: `library list QUERY` reads the matches
// of a name or place (target: under 50 ms), and the command itself, a process a query.

#include "library/chart_library.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kCharts = 100000;
const char* const kNames[] = {"Anna", "Bruno", "Clara", "Dmitri", "Elena", "Farid", "Greta"};
const char* const kPlaces[] = {"Zurich", "London", "Madrid", "Oslo", "Lisbon", "Kyoto", "Lima"};

// A library of kCharts generated charts in the temporary folder, made once.
const std::string& LibraryFile() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "astrodesk-library-bench.sqlite").string();
        std::filesystem::remove(file);
        std::vector<astrodesk::KeptChart> charts(kCharts);
        for (int i = 0; i < kCharts; ++i) {
            astrodesk::KeptChart& chart = charts[static_cast<std::size_t>(i)];
            char date[16], time[16];
            std::snprintf(date, sizeof date, "%02d-%02d-%04d", i % 28 + 1, i % 12 + 1,
                          1900 + i % 120);
            std::snprintf(time, sizeof time, "%02d:%02d:%02d", i % 24, i % 60, i / 60 % 60);
            chart.record = {std::string(kNames[i % 7]) + " " + std::to_string(i),
                            date,
                            time,
                            "51N30",
                            "000W07",
                            "A.D.",
                            0};
            chart.placeName = kPlaces[i / 7 % 7];
        }
        astrodesk::ChartLibrary(file, astrodesk::LibraryAccess::Write).AddAll(charts);
        return file;
    }();
    return path;
}

// A query matching one name in seven (14,286 charts), and one matching a single chart.
void ListQuery(benchmark::State& state, const char* query) {
    const astrodesk::ChartLibrary library(LibraryFile(), astrodesk::LibraryAccess::Read);
    std::size_t found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = library.List(query).size());
    state.counters["charts"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(ListQuery, common_name, "clara")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListQuery, one_chart, "anna 99995")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListQuery, place, "kyoto")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
