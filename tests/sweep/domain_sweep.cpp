// The whole input domain swept: charts for random records over every date the entry form takes
// (0001 to 9999, A.D. and B.C.), every latitude to the poles (89N60, 89S60), every longitude,
// seen from every centre body, in every house system, zodiac and orb, and the corners of the
// domain. Each chart is checked for what a user must never see: a value that is not a number,
// a longitude outside 0..360 degrees, a negative or zero distance, a malformed position text,
// opposite cusps that are not half a turn apart in a system said to be defined.
//
//   domain_sweep [MOMENTS]   (default 10000 moments, every one seen from all 11 centres)
//
// Prints the figures and ends with status 1 when any check failed.

#include "astro/angles.hpp"
#include "chart/chart_driver.hpp"
#include "chart/houses.hpp"
#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "present/listing.hpp"
#include "present/wheel.hpp"
#include "shell/defaults.hpp"
#include "shell/record_rules.hpp"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace astrodesk;

constexpr int kCentres = 11;
constexpr int kSystems = 5;

std::string Text(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

struct Moment {
    std::string date, time, latitude, longitude;
    std::int16_t era;
};

// Random records the entry rules accept, one in twenty of them at a pole.
class MomentSource {
  public:
    Moment Next() {
        const int poleRoll = Pick(0, 19);
        const std::string latitude =
            poleRoll == 0   ? "89N60"
            : poleRoll == 1 ? "89S60"
                            : Text("%02d%c%02d", Pick(0, 89), "NS"[Pick(0, 1)], Pick(0, 60));
        return {Text("%02d-%02d-%04d", Pick(1, 31), Pick(1, 12), Pick(1, 9999)),
                Text("%02d:%02d:%02d", Pick(0, 23), Pick(0, 59), Pick(0, 59)), latitude,
                Text("%03d%c%02d", Pick(0, 179), "EW"[Pick(0, 1)], Pick(0, 60)),
                static_cast<std::int16_t>(Pick(0, 1))};
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution(low, high)(engine_); }
    std::mt19937 engine_{99991};
};

// The corners: first and last years in both eras, the equator and the poles, both ends of the
// day and of the longitudes.
std::vector<Moment> Corners() {
    std::vector<Moment> corners;
    for (const char* date : {"01-01-0001", "31-12-9999", "29-02-1999", "31-12-0001"})
        for (std::int16_t era : {0, 1})
            for (const char* latitude : {"00N00", "66N33", "66S34", "89N59", "89N60", "89S60"})
                for (const char* time : {"00:00:00", "23:59:59"})
                    corners.push_back({date, time, latitude, era ? "179E60" : "179W60", era});
    return corners;
}

struct Figures {
    long charts = 0;
    std::map<std::string, long> failures; // check -> charts that failed it
    std::map<std::string, std::string> firstFailure;
    long undefinedSystem[kSystems] = {};
    long systemCharts[kSystems] = {};
    long outsideSeries = 0;
    long brokenSeries = 0; // charts with a distance left out for a broken series

    void Fail(const std::string& check, const Moment& m, int centre) {
        if (failures[check]++ == 0)
            firstFailure[check] = m.date + (m.era ? " B.C. " : " A.D. ") + m.time + " " +
                                  m.latitude + " " + m.longitude + " centre " +
                                  std::to_string(centre);
    }
};

bool InTurn(double radians) {
    return radians >= 0.0 && radians < kTwoPi && LongitudeDegrees(radians) < 360.0;
}

// 15 characters: "15° AR 30' 12.3", degrees 00..29, minutes 00..59, seconds 00..60.
bool WellFormedPosition(const std::string& text) {
    static const std::regex form("[0-2][0-9]\u00B0 (AR|TA|GE|CN|LE|VI|LI|SC|SG|CP|AQ|PI) "
                                 "[0-5][0-9]' ([0-5][0-9]|60)\\.[0-9]");
    return std::regex_match(text, form);
}

void CheckChart(const ProgramState& state, const std::vector<std::string>& listing, const Moment& m,
                int centre, Figures& figures) {
    const PositionTables& p = state.positions;
    const ChartFrame& f = state.frame;
    bool finite = std::isfinite(p.LunarNode) && std::isfinite(f.RAMC);
    bool inTurn = p.LunarNode >= 0.0 && p.LunarNode < 360.0;
    bool texts = true, distances = true, broken = false;
    for (int slot = 1; slot <= 15; ++slot) {
        finite =
            finite && std::isfinite(p.BodyLongitude[slot]) && std::isfinite(p.BodyLatitude[slot]);
        inTurn = inTurn && InTurn(p.BodyLongitude[slot]);
        texts = texts && WellFormedPosition(p.PositionText[slot]);
    }
    for (int slot = 1; slot <= 12; ++slot) {
        const auto reason = UndefinedDistanceReason(state, slot);
        if (reason && slot != CentreSlot(state.working.ChartCentre)) broken = true;
        if (!reason)
            distances =
                distances && std::isfinite(p.BodyDistance[slot]) && p.BodyDistance[slot] > 0.0;
        const double factor = state.factors.FactorLon[slot];
        inTurn = inTurn && factor >= 0.0 && factor < 360.0;
    }
    for (int house = 1; house <= 12; ++house)
        inTurn = inTurn && InTurn(f.HouseCusp[house]);
    // No field reads "UNDEFINED" (the notice of a house system does), and no number is negative.
    for (const std::string& line : listing) {
        const bool notice = line.starts_with("HOUSE SYSTEM UNDEFINED");
        const bool undefinedField = !notice && line.find("UNDEFINED") != std::string::npos;
        texts = texts && !undefinedField && line.find("nan") == std::string::npos &&
                line.find(" -") == std::string::npos;
    }
    if (!finite) figures.Fail("a value that is not a number", m, centre);
    if (!inTurn) figures.Fail("a longitude outside 0..360 degrees", m, centre);
    if (!distances) figures.Fail("a negative, zero or undefined distance shown", m, centre);
    if (!texts) figures.Fail("a malformed or undefined text in the listing", m, centre);
    figures.brokenSeries += broken;
    figures.outsideSeries += !WithinSeriesRange(f.JulianCenturies);
}

// Every house system on the chart's frame: cusps in one turn, and opposite cusps half a turn
// apart wherever the system is defined.
void CheckHouseSystems(const ChartFrame& chartFrame, const Moment& m, Figures& figures) {
    for (std::int16_t system = 0; system < kSystems; ++system) {
        ChartFrame frame = chartFrame;
        Options options;
        options.HouseSystem = system;
        ComputeHouseCusps(options, frame);
        ++figures.systemCharts[system];
        figures.undefinedSystem[system] += frame.HouseSystemUndefined;
        for (int house = 1; house <= 6; ++house) {
            const double apart =
                std::abs(std::remainder(frame.HouseCusp[house + 6] - frame.HouseCusp[house], kPi));
            if (!(apart < DegToRad(1e-6)))
                figures.Fail("opposite cusps not half a turn apart", m, -1 - system);
            if (!InTurn(frame.HouseCusp[house]))
                figures.Fail("a cusp outside 0..360 degrees", m, -1 - system);
        }
    }
}

bool WheelIsFinite(const PictureBox& box) {
    for (const DisplayItem& item : box.Items()) {
        const bool finite = std::visit(
            [](const auto& i) {
                if constexpr (requires { i.x1; })
                    return std::isfinite(i.x1 + i.y1 + i.x2 + i.y2);
                else if constexpr (requires { i.cx; })
                    return std::isfinite(i.cx + i.cy + i.radius);
                else
                    return std::isfinite(i.x + i.y);
            },
            item);
        if (!finite) return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const long moments = argc > 1 ? std::atol(argv[1]) : 10000;
    ProgramState state;
    BuildBodyTables(state.bodies);
    LoadCoefficientTables(InstalledDataFiles(RunningProgramDirectory()), state.coefficients);
    InitDefaults(state, FixedClock({2000, 1, 1, 12, 0, 0}));

    std::vector<Moment> all = Corners();
    MomentSource source;
    for (long n = 0; n < moments; ++n)
        all.push_back(source.Next());

    Figures figures;
    const auto start = std::chrono::steady_clock::now();
    long cycle = 0;
    for (const Moment& m : all) {
        if (!AcceptDate(m.date) || !AcceptTime(m.time) || !AcceptLatitude(m.latitude) ||
            !AcceptLongitude(m.longitude)) {
            figures.Fail("a record the entry rules refuse", m, 0);
            continue;
        }
        for (int centre = 0; centre < kCentres; ++centre, ++cycle) {
            state.record = {
                "SWEEP", m.date, m.time, m.latitude, m.longitude, m.era ? "B.C." : "A.D.", m.era};
            state.options.CentreBody = static_cast<std::int16_t>(centre);
            state.options.HouseSystem = static_cast<std::int16_t>(cycle % kSystems);
            state.options.Zodiac = static_cast<std::int16_t>(cycle / kSystems % 2);
            state.options.OrbDegrees = static_cast<std::int16_t>(cycle % 11);
            // The precessed zodiac turns from the last natal chart to this one.
            PictureBox page(638, 428);
            ComputeChartPage(state, page);
            ++figures.charts;
            CheckChart(state, page.TextLines(), m, centre, figures);
            PictureBox wheel(638, 428);
            DrawWheelPage(state, wheel);
            if (!WheelIsFinite(wheel)) figures.Fail("a wheel drawn off the numbers", m, centre);
            if (centre == 3) {
                CheckHouseSystems(state.frame, m, figures);
                TakeNatalSnapshot(state);
                state.frame.PrecessSpanT = state.frame.JulianCenturies - state.frame.PrecessFromT;
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    static const char* const kSystemNames[] = {"Equal", "Campanus", "Regiomontanus", "Placidus",
                                               "Koch"};
    std::printf("domain sweep: %zu moments (%zu corners), %ld charts from all %d centres, "
                "%.1f s\n",
                all.size(), Corners().size(), figures.charts, kCentres, seconds);
    std::printf("  outside the span of the published series: %ld charts; a series without a "
                "radius (distance left out): %ld charts\n",
                figures.outsideSeries, figures.brokenSeries);
    for (int system = 0; system < kSystems; ++system)
        std::printf("  %-14s undefined (equal houses shown) in %ld of %ld moments\n",
                    kSystemNames[system], figures.undefinedSystem[system],
                    figures.systemCharts[system]);
    for (const auto& [check, count] : figures.failures)
        std::printf("  FAILED: %s in %ld charts, first %s\n", check.c_str(), count,
                    figures.firstFailure[check].c_str());
    if (figures.failures.empty())
        std::printf("  no crash, no value that is not a number, no longitude outside 0..360, no "
                    "negative or zero distance, opposite cusps half a turn apart wherever a "
                    "system is defined\n");
    return figures.failures.empty() ? 0 : 1;
}
