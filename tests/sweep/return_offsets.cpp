// How far the mean-year solar return lies from the moment the Sun really comes back: for random
// natal charts (1900 to 2050 A.D., latitudes to 60 degrees either side, every longitude) and a
// return 1 to 100 years later, the time between the mean-year moment and the exact return, the
// Ascendant of the return chart at the natal place computed at each, and how far the program's
// own Sun stands from the natal Sun at the mean-year moment. The README quotes these figures.
//
//   return_offsets [CHARTS]   (default 5000)
//
// Prints the median and the largest of each figure.

#include "astro/angles.hpp"
#include "chart/chart_driver.hpp"
#include "chart/techniques.hpp"
#include "support/chart_setup.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace astrodesk;
using astrodesk::testing::Format;

struct Figures {
    std::vector<double> minutes, ascendantDegrees, sunArcseconds;
};

void Print(const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("%-44s median %8.2f   largest %8.2f\n", what, values[values.size() / 2],
                values.back());
}

double ArcDegrees(double a, double b) {
    return RadToDeg(std::abs(std::remainder(a - b, kTwoPi)));
}

// The solar return chart for the target, exact or at mean years; the Sun and the Ascendant.
std::pair<double, double> ReturnChart(ProgramState& state, std::int16_t moment,
                                      const ChartRecord& target) {
    state.record = target;
    state.options.ReturnMoment = moment;
    if (ComputeTechniqueChart(state) != TechniqueOutcome::Charted) std::exit(1);
    return {state.positions.BodyLongitude[1], state.frame.Ascendant};
}

} // namespace

int main(int argc, char** argv) {
    const int charts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    ProgramState state = testing::LoadedState();
    auto uniform = testing::RandomPick(20);
    Figures figures;
    for (int chart = 0; chart < charts; ++chart) {
        const int year = uniform(1900, 2050);
        state.record = {"SWEEP",
                        Format("%02d-%02d-%04d", uniform(1, 28), uniform(1, 12), year),
                        Format("%02d:%02d:%02d", uniform(0, 23), uniform(0, 59), uniform(0, 59)),
                        Format("%02d%c%02d", uniform(0, 59), "NS"[uniform(0, 1)], uniform(0, 59)),
                        Format("%03d%c%02d", uniform(0, 179), "EW"[uniform(0, 1)], uniform(0, 59)),
                        "A.D.",
                        0};
        state.options.Technique = kNatal;
        ComputeChartTables(state);
        TakeNatalSnapshot(state);
        const double natalSun = state.positions.BodyLongitude[1];
        ChartRecord target = state.record;
        target.ChartDate =
            Format("%02d-%02d-%04d", uniform(1, 28), uniform(1, 12), year + uniform(1, 100));
        state.options.Technique = kSolarReturns;
        const auto [exactSun, exactAscendant] = ReturnChart(state, kExactReturn, target);
        const double exactT = state.frame.JulianCenturies;
        const auto [meanSun, meanAscendant] = ReturnChart(state, kMeanYearReturn, target);
        figures.minutes.push_back(std::abs(state.frame.JulianCenturies - exactT) * 36525.0 *
                                  1440.0);
        figures.ascendantDegrees.push_back(ArcDegrees(meanAscendant, exactAscendant));
        figures.sunArcseconds.push_back(ArcDegrees(meanSun, natalSun) * 3600.0);
        if (ArcDegrees(exactSun, natalSun) * 3600.0 > 0.5) {
            std::printf("exact return misses the Sun: %s\n", target.ChartDate.c_str());
            return 1;
        }
    }
    std::printf("%d natal charts, a solar return 1 to 100 years after each\n", charts);
    Print("mean-year moment from the exact return (min)", figures.minutes);
    Print("Ascendant of the two return charts (deg)", figures.ascendantDegrees);
    Print("Sun from the natal Sun at mean years (\")", figures.sunArcseconds);
    return 0;
}
