// The chart library's search over 100,000 kept charts: `library list QUERY` reads the matches
// of a name or place (target: under 50 ms), in the library's own call and as the command itself,
// a process a query (the astrodesk-cli beside this program; wall-clock time, with the child's
// CPU time as a counter).

#include "child_process.hpp"
#include "library/chart_library.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kCharts = 100000;
const char* const kNames[] = {"Anna", "Bruno", "Clara", "Dmitri", "Elena", "Farid", "Greta"};
const char* const kPlaces[] = {"Zurich", "London", "Madrid", "Oslo", "Lisbon", "Kyoto", "Lima"};

// This run's own library file (several benchmarks may run at once on one machine).
const std::string& LibraryPathOfRun() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("astrodesk-library-bench-" + std::to_string(getpid()) + ".sqlite"))
            .string();
    return path;
}

// A library of kCharts generated charts.
void MakeLibrary(const std::string& file) {
    std::vector<astrodesk::KeptChart> charts(kCharts);
    for (int i = 0; i < kCharts; ++i) {
        astrodesk::KeptChart& chart = charts[static_cast<std::size_t>(i)];
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%02d-%02d-%04d", i % 28 + 1, i % 12 + 1, 1900 + i % 120);
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
}

// The generated library, made on first use.
const std::string& LibraryFile() {
    static const std::string path = [] {
        MakeLibrary(LibraryPathOfRun());
        return LibraryPathOfRun();
    }();
    return path;
}

// A query matching one name in seven (14,286 charts), one matching a single chart, and a place.
void ListQuery(benchmark::State& state, const char* query) {
    const astrodesk::ChartLibrary library(LibraryFile(), astrodesk::LibraryAccess::Read);
    std::size_t found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = library.Listing(query).size());
    state.counters["charts"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(ListQuery, common_name, "clara")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListQuery, one_chart, "anna 99995")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListQuery, place, "kyoto")->Unit(benchmark::kMillisecond);

// The whole records of the charts a query finds, as the JSON listing and the export read them.
void WholeRecords(benchmark::State& state, const char* query) {
    const astrodesk::ChartLibrary library(LibraryFile(), astrodesk::LibraryAccess::Read);
    std::size_t found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = library.List(query).size());
    state.counters["charts"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(WholeRecords, common_name, "clara")->Unit(benchmark::kMillisecond);

// `astrodesk-cli library list QUERY [--format json]` as a process, its output to /dev/null.
void ListCommand(benchmark::State& state, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"library", "list", "--library", LibraryFile()});
    double cpuSeconds = 0;
    for (auto _ : state) {
        const astrodesk::bench::ChildTimes times =
            astrodesk::bench::RunProgramBesideThis(arguments);
        if (!times.succeeded) {
            state.SkipWithError("astrodesk-cli library list failed");
            return;
        }
        state.SetIterationTime(times.wallSeconds);
        cpuSeconds += times.cpuSeconds;
    }
    state.counters["cpu_ms"] =
        benchmark::Counter(1e3 * cpuSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(ListCommand, common_name, std::vector<std::string>{"clara"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListCommand, one_chart, std::vector<std::string>{"anna 99995"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListCommand, common_name_json,
                  std::vector<std::string>{"clara", "--format", "json"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(LibraryPathOfRun() + suffix);
}
