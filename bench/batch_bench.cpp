// The batch command end to end: 100,000 generated records in JSON Lines, charted by
// `astrodesk-cli batch` (the program beside this one) into /dev/null, on one thread and on every
// core. Each repetition is one whole batch timed by the wall clock, with charts a second as its
// counter; the repetitions give the minimum and median time.

#include "shell/platform.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

namespace {

constexpr int kRecords = 100'000;

// Records across the centuries where the published series hold, in both hemispheres.
std::filesystem::path RecordFile() {
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() / "astrodesk-batch-bench.jsonl";
        std::ofstream out(file);
        std::mt19937 random(2026);
        std::uniform_int_distribution<int> year(1600, 2399), month(1, 12), day(1, 28), hour(0, 23),
            sixty(0, 59), latitude(0, 65), longitude(0, 179), coin(0, 1);
        char line[200];
        for (int n = 0; n < kRecords; ++n) {
            std::snprintf(line, sizeof line,
                          R"({"name":"Record %d","date":"%02d-%02d-%04d","time":"%02d:%02d:%02d",)"
                          R"("latitude":"%02d%c%02d","longitude":"%03d%c%02d"})",
                          n, day(random), month(random), year(random), hour(random), sixty(random),
                          sixty(random), latitude(random), coin(random) ? 'N' : 'S', sixty(random),
                          longitude(random), coin(random) ? 'E' : 'W', sixty(random));
            out << line << '\n';
        }
        return file;
    }();
    return path;
}

void Batch(benchmark::State& run, unsigned jobs) {
    const auto program = astrodesk::RunningProgramDirectory() / "astrodesk-cli";
    const std::string command = "'" + program.string() + "' batch --jobs " + std::to_string(jobs) +
                                " '" + RecordFile().string() + "' >/dev/null";
    for (auto _ : run) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            run.SkipWithError(("failed: " + command).c_str());
            return;
        }
        run.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    run.counters["charts/s"] =
        benchmark::Counter(kRecords, benchmark::Counter::kIsIterationInvariantRate);
    run.counters["jobs"] = jobs;
}

double Minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

void Register(const char* name, unsigned jobs) {
    benchmark::RegisterBenchmark(name, Batch, jobs)
        ->Unit(benchmark::kSecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(5)
        ->ComputeStatistics("min", Minimum)
        ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char** argv) {
    Register("BatchOneWorker", 1);
    Register("BatchAllCores", std::max(1u, std::thread::hardware_concurrency()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(RecordFile());
}
