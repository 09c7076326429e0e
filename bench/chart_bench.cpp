// A whole chart against Swiss Ephemeris computing what a chart needs: apparent geocentric Sun,
// Moon and Mercury .. Pluto with speeds, the mean lunar node and Placidus houses. Both run over
// the same random moments and places; the ratio of their times, the computation alone against
// Swiss Ephemeris, is printed at the end. A second row adds the printing of the listing page.

#include "chart/chart_driver.hpp"
#include "chart/houses.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <swephexp.h>
#include <vector>

namespace {

using namespace astrodesk;

struct Moment {
    ChartRecord record;
    double julianDay; // the same instant for Swiss Ephemeris
    double latitude, longitudeEast;
};

std::string Text(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

const std::vector<Moment>& Moments() {
    static const std::vector<Moment> moments = [] {
        std::mt19937 random(1993);
        std::uniform_int_distribution<int> year(1900, 2099), month(1, 12), day(1, 28), hour(0, 23),
            sixty(0, 59), latitude(0, 60), longitude(0, 179);
        std::vector<Moment> list;
        for (int n = 0; n < 64; ++n) {
            const int y = year(random), mo = month(random), d = day(random), h = hour(random),
                      mi = sixty(random), s = sixty(random), la = latitude(random),
                      lo = longitude(random);
            ChartRecord record{"BENCHMARK",
                               Text("%02d-%02d-%04d", d, mo, y),
                               Text("%02d:%02d:%02d", h, mi, s),
                               Text("%02d%c%02d", la, 'N', 0),
                               Text("%03d%c%02d", lo, 'W', 0),
                               "A.D.",
                               0};
            list.push_back({record, swe_julday(y, mo, d, h + mi / 60.0 + s / 3600.0, SE_GREG_CAL),
                            double(la), -double(lo)});
        }
        return list;
    }();
    return moments;
}

// A chart computed from its record, with the listing page printed when `listed`.
void OurChart(benchmark::State& run, bool listed) {
    ProgramState state;
    BuildBodyTables(state.bodies);
    LoadCoefficientTables(InstalledDataFiles(RunningProgramDirectory()), state.coefficients);
    state.options.HouseSystem = kPlacidus;
    PictureBox page(638, 428);
    std::size_t n = 0;
    for (auto _ : run) {
        state.record = Moments()[n++ % Moments().size()].record;
        ComputeChartTables(state);
        if (listed) {
            page.Cls();
            ListChartPage(state, page);
        }
        benchmark::DoNotOptimize(state.positions.BodyLongitude[1]);
    }
}

void WholeChart(benchmark::State& run) {
    OurChart(run, false);
}

void WholeChartWithListing(benchmark::State& run) {
    OurChart(run, true);
}

void SwissEphemerisChart(benchmark::State& run) {
    constexpr int kBodies[] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                               SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
    std::size_t n = 0;
    double xx[6], cusps[13], angles[10];
    char error[AS_MAXCH];
    for (auto _ : run) {
        const Moment& m = Moments()[n++ % Moments().size()];
        for (int body : kBodies)
            swe_calc(m.julianDay, body, SEFLG_MOSEPH | SEFLG_SPEED, xx, error);
        swe_calc(m.julianDay, SE_MEAN_NODE, SEFLG_MOSEPH, xx, error);
        swe_houses(m.julianDay, m.latitude, m.longitudeEast, 'P', cusps, angles);
        benchmark::DoNotOptimize(cusps[1]);
    }
}

BENCHMARK(WholeChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeChartWithListing)->Unit(benchmark::kMicrosecond);
BENCHMARK(SwissEphemerisChart)->Unit(benchmark::kMicrosecond);

// Keeps the processor time per iteration of each benchmark so that the ratio can be printed;
// processor time, unlike wall time, does not count what other programs take of the machine.
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
    const auto ours = reporter.perIteration.find("WholeChart");
    const auto swiss = reporter.perIteration.find("SwissEphemerisChart");
    if (ours != reporter.perIteration.end() && swiss != reporter.perIteration.end())
        std::printf("whole chart %.1f us, Swiss Ephemeris %.1f us (CPU): %.1f times faster\n",
                    ours->second, swiss->second, swiss->second / ours->second);
    swe_close();
    benchmark::Shutdown();
    return 0;
}
