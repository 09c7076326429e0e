// The whole input domain swept: charts for random records over every date the entry form takes
// (0001 to 9999, A.D. and B.C.), every latitude to the poles (89N60, 89S60), every longitude,
// seen from every centre body, in every house system, zodiac and orb, and the corners of the
// domain. Each chart is checked for what a user must never see: a value that is not a number,
// a longitude outside 0..360 degrees, a negative or zero distance, a malformed position text.
// The house systems' own properties, at every latitude through the day, are the house tests'.
//
//   domain_sweep [MOMENTS]   (default 10000 moments, every one seen from all 11 centres)
//
// Prints the figures and ends with status 1 when any check failed.

#include "astro/angles.hpp"
#include "chart/chart_driver.hpp"
#include "ephemeris/body_theory.hpp"
#include "present/listing.hpp"
#include "present/wheel.hpp"
#include "shell/record_rules.hpp"
#include "support/chart_setup.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace astrodesk;
using astrodesk::testing::Format;

constexpr int kCentres = 11;
constexpr int kSystems = 5;

struct Moment {
    std::string date, time, latitude, longitude;
    std::int16_t era;
};

// The corners (first and last years in both eras, the equator, the polar circles and the poles,
// both ends of the day and of the longitudes), then random records the entry rules accept, one
// in ten of them at a pole.
std::vector<Moment> Moments(long count) {
    std::vector<Moment> all;
    for (const char* date : {"01-01-0001", "31-12-9999", "29-02-1999", "31-12-0001"})
        for (std::int16_t era : {0, 1})
            for (const char* latitude : {"00N00", "66N33", "66S34", "89N59", "89N60", "89S60"})
                for (const char* time : {"00:00:00", "23:59:59"})
                    all.push_back({date, time, latitude, era ? "179E60" : "179W60", era});
    auto pick = testing::RandomPick(99991);
    for (long n = 0; n < count; ++n) {
        Moment m{Format("%02d-%02d-%04d", pick(1, 31), pick(1, 12), pick(1, 9999)),
                 Format("%02d:%02d:%02d", pick(0, 23), pick(0, 59), pick(0, 59)), "",
                 Format("%03d%c%02d", pick(0, 179), "EW"[pick(0, 1)], pick(0, 60)),
                 static_cast<std::int16_t>(pick(0, 1))};
        const int pole = pick(0, 19);
        m.latitude = pole == 0   ? "89N60"
                     : pole == 1 ? "89S60"
                                 : Format("%02d%c%02d", pick(0, 89), "NS"[pick(0, 1)], pick(0, 60));
        all.push_back(m);
    }
    return all;
}

struct Figures {
    long charts = 0, outsideSeries = 0, brokenSeries = 0;
    std::map<std::string, long> failures; // check -> charts that failed it
    std::map<std::string, std::string> firstFailure;

    void Expect(bool holds, const std::string& check, const Moment& m, int centre) {
        if (!holds && failures[check]++ == 0)
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

bool Drawable(const DisplayItem& item) {
    return std::visit(
        [](const auto& i) {
            if constexpr (requires { i.x1; })
                return std::isfinite(i.x1 + i.y1 + i.x2 + i.y2);
            else if constexpr (requires { i.cx; })
                return std::isfinite(i.cx + i.cy + i.radius);
            else
                return std::isfinite(i.x + i.y);
        },
        item);
}

void CheckChart(const ProgramState& state, const PictureBox& page, const PictureBox& wheel,
                const Moment& m, int centre, Figures& figures) {
    const PositionTables& p = state.positions;
    const ChartFrame& f = state.frame;
    bool finite = std::isfinite(p.LunarNode) && std::isfinite(f.RAMC) &&
                  std::ranges::all_of(wheel.Items(), Drawable);
    bool inTurn = p.LunarNode >= 0.0 && p.LunarNode < 360.0, texts = true, distances = true;
    bool broken = false;
    for (int slot = 1; slot <= 15; ++slot) {
        finite = finite && std::isfinite(p.BodyLongitude[slot] + p.BodyLatitude[slot]);
        inTurn = inTurn && InTurn(p.BodyLongitude[slot]);
        texts = texts && WellFormedPosition(p.PositionText[slot]);
    }
    for (int slot = 1; slot <= 12; ++slot) {
        const bool undefined = UndefinedDistanceReason(state, slot).has_value();
        broken = broken || (undefined && slot != CentreSlot(state.working.ChartCentre));
        const double distance = p.BodyDistance[slot];
        distances = distances && (undefined || (std::isfinite(distance) && distance > 0.0));
        inTurn =
            inTurn && state.factors.FactorLon[slot] >= 0.0 && state.factors.FactorLon[slot] < 360.0;
        inTurn = inTurn && InTurn(f.HouseCusp[slot]);
    }
    // No field reads "UNDEFINED" (the notice of a house system does), and no number is negative.
    for (const std::string& line : page.TextLines())
        texts = texts &&
                (line.starts_with("HOUSE SYSTEM UNDEFINED") ||
                 line.find("UNDEFINED") == std::string::npos) &&
                line.find("nan") == std::string::npos && line.find(" -") == std::string::npos;
    figures.Expect(finite, "a value that is not a number", m, centre);
    figures.Expect(inTurn, "a longitude outside 0..360 degrees", m, centre);
    figures.Expect(distances, "a negative, zero or undefined distance shown", m, centre);
    figures.Expect(texts, "a malformed or undefined text in the listing", m, centre);
    figures.brokenSeries += broken;
    figures.outsideSeries += !WithinSeriesRange(f.JulianCenturies);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<Moment> moments = Moments(argc > 1 ? std::atol(argv[1]) : 10000);
    ProgramState state = testing::LoadedState();

    Figures figures;
    long cycle = 0;
    for (const Moment& m : moments) {
        const bool accepted = AcceptDate(m.date) && AcceptTime(m.time) &&
                              AcceptLatitude(m.latitude) && AcceptLongitude(m.longitude);
        figures.Expect(accepted, "a record the entry rules refuse", m, 0);
        for (int centre = 0; accepted && centre < kCentres; ++centre, ++cycle) {
            state.record = {
                "SWEEP", m.date, m.time, m.latitude, m.longitude, m.era ? "B.C." : "A.D.", m.era};
            state.options.CentreBody = static_cast<std::int16_t>(centre);
            state.options.HouseSystem = static_cast<std::int16_t>(cycle % kSystems);
            state.options.Zodiac = static_cast<std::int16_t>(cycle / kSystems % 2);
            state.options.OrbDegrees = static_cast<std::int16_t>(cycle % 11);
            // The precessed zodiac turns from the last natal chart to this one.
            PictureBox page(638, 428), wheel(638, 428);
            ComputeChartTables(state);
            ListChartPage(state, page);
            DrawWheelPage(state, wheel);
            ++figures.charts;
            CheckChart(state, page, wheel, m, centre, figures);
            if (centre == 3) {
                TakeNatalSnapshot(state);
                state.frame.PrecessSpanT = state.frame.JulianCenturies - state.frame.PrecessFromT;
            }
        }
    }

    std::printf("domain sweep: %zu moments, %ld charts from all %d centres\n", moments.size(),
                figures.charts, kCentres);
    std::printf("  outside the span of the published series: %ld charts; a series without a "
                "radius (distance left out): %ld charts\n",
                figures.outsideSeries, figures.brokenSeries);
    for (const auto& [check, count] : figures.failures)
        std::printf("  FAILED: %s in %ld charts, first %s\n", check.c_str(), count,
                    figures.firstFailure[check].c_str());
    if (figures.failures.empty())
        std::printf("  no crash, no value that is not a number, no longitude outside 0..360, no "
                    "negative or zero distance\n");
    return figures.failures.empty() ? 0 : 1;
}
