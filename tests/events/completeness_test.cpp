// Completeness: every transit, ingress, station and return that a fine scan of the program's
// positions shows is found by the search in the same scan step, and nothing else. The scan works
// from the chart's definition of an aspect (two longitudes' separation, folded to 0..180 degrees,
// within the orb of the aspect's angle), not from the search's marks.

#include "astro/angles.hpp"
#include "events/event_search.hpp"
#include "interpret/factors.hpp"
#include "support/chart_setup.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace astrodesk {
namespace {

constexpr double kDay = 1.0 / 36525.0; // centuries
constexpr double kHour = kDay / 24.0;

struct Key {
    EventKind kind;
    int body, target, aspect;
    EventPhase phase;
    auto operator<=>(const Key&) const = default;
};
// Moments (the search) or the start of the scan step that shows the event (the scan).
using Moments = std::map<Key, std::vector<double>>;

int SignOf(double degrees) {
    return static_cast<int>(std::floor(Reduce360(degrees) / 30.0)) + 1;
}

// Whether g changed sign from a to b without wrapping round (a change through 180 degrees).
bool Crossed(double a, double b) {
    return (a < 0.0) != (b < 0.0) && std::abs(a - b) < 90.0;
}

struct Scan {
    const NatalPoints& natal;
    const std::vector<int>& bodies;
    const std::vector<int>& targets;
    int orb;
    Moments found;

    void Exact(EventKind kind, int body, int target, double start) {
        found[{kind, body, target, 0, EventPhase::Exact}].push_back(start);
    }

    void Transits(int body, double before, double after, double start) {
        for (const int target : targets)
            for (int type = 1; type <= kAspectTypes; ++type) {
                const double angle = AspectAngle(type), point = natal.longitude[target];
                const double orbOf = AspectOrb(type, std::int16_t(orb));
                // How far past the exact aspect the body stands, and whether it is in orb.
                const auto past = [&](double lon) {
                    if (angle == 0.0 || angle == 180.0)
                        return std::remainder(lon - point - angle, 360.0);
                    return std::abs(std::remainder(lon - point, 360.0)) - angle;
                };
                const auto inOrb = [&](double lon) {
                    return std::abs(std::abs(std::remainder(lon - point, 360.0)) - angle) < orbOf;
                };
                const Key key{EventKind::Transit, body, target, type, EventPhase::Exact};
                if (Crossed(past(before), past(after))) found[key].push_back(start);
                if (orbOf > 0.0 && inOrb(before) != inOrb(after)) {
                    Key edge = key;
                    edge.phase = inOrb(after) ? EventPhase::Enter : EventPhase::Leave;
                    found[edge].push_back(start);
                }
            }
    }

    void Run(const LongitudeSource& source, double from, double to, double step) {
        IndexedArray<double, 1, 12> before = source(from), earlier = before;
        for (double T = from + step; T <= to; T += step) {
            const IndexedArray<double, 1, 12> after = source(T);
            for (const int body : bodies) {
                const double a = RadToDeg(before[body]), b = RadToDeg(after[body]);
                if (SignOf(a) != SignOf(b)) Exact(EventKind::Ingress, body, SignOf(b), T - step);
                const double motion = std::remainder(b - a, 360.0);
                const double previous = std::remainder(a - RadToDeg(earlier[body]), 360.0);
                if (T > from + step && (motion < 0.0) != (previous < 0.0))
                    Exact(EventKind::Station, body,
                          previous > 0.0 ? kTurnsRetrograde : kTurnsDirect, T - 2.0 * step);
                const double natalLon = natal.longitude[body];
                if (Crossed(std::remainder(a - natalLon, 360.0),
                            std::remainder(b - natalLon, 360.0)))
                    Exact(EventKind::Return, body, body, T - step);
                Transits(body, a, b, T - step);
            }
            earlier = before;
            before = after;
        }
    }
};

struct Completeness : ::testing::Test {
    ProgramState state = testing::LoadedState();

    // The search and the scan over [from, to] agree event for event.
    void Compare(const NatalPoints& natal, double from, double to, std::vector<int> bodies, int orb,
                 double step) {
        EventSearchOptions options;
        options.fromT = from, options.toT = to, options.orbDegrees = orb;
        options.bodies = bodies;
        const LongitudeSource source = ProgramLongitudes(state);
        Moments searched;
        for (const Event& e : FindEvents(source, natal, options))
            searched[{e.kind, e.body, e.target, e.aspect, e.phase}].push_back(e.julianCenturies);
        std::vector<int> targets;
        for (int slot = 1; slot <= 14; ++slot)
            if (slot != kEarthSlot) targets.push_back(slot);
        Scan scan{natal, bodies, targets, orb, {}};
        scan.Run(source, from, to, step);
        std::size_t compared = 0;
        for (const auto& [key, moments] : scan.found) {
            const std::vector<double>& ours = searched[key];
            const double window = key.kind == EventKind::Station ? 2.0 * step : step;
            ASSERT_EQ(ours.size(), moments.size())
                << "kind " << int(key.kind) << " body " << key.body << " target " << key.target
                << " aspect " << key.aspect << " phase " << int(key.phase);
            for (std::size_t i = 0; i < ours.size(); ++i) {
                EXPECT_GE(ours[i], moments[i] - 1e-9);
                EXPECT_LE(ours[i], moments[i] + window + 1e-9);
            }
            compared += ours.size();
        }
        for (const auto& [key, moments] : searched)
            EXPECT_TRUE(moments.empty() || scan.found.contains(key))
                << "invented: kind " << int(key.kind) << " body " << key.body;
        EXPECT_GT(compared, 100u);
    }
};

const std::vector<int> kSunToPluto = {1, 3, 4, 6, 7, 8, 9, 10, 11};

// Four years of the Sun to Pluto and two months of the Moon and Zed at a fine step; then a year
// each in the calendar change of 1582, the change of era, the far past and the far future, and
// across the change of Pluto's theory in 2101, with the narrowest and widest orbs.
TEST_F(Completeness, TheSearchFindsWhatAFineScanShows) {
    const testing::ChartMoment newYork{9, 11, 1987, 4, 30, 0, 40, 43, false, 74, 0, false};
    const testing::ChartMoment tokyo{29, 2, 1996, 18, 5, 0, 35, 41, true, 139, 41, true};
    const testing::ChartMoment greenwich{1, 1, 1900, 0, 0, 0, 0, 0, false, 0, 0, false};
    const struct {
        const testing::ChartMoment& natal;
        double fromJulianDay, days;
        int orb;
        std::vector<int> bodies;
        double step;
    } spans[] = {
        {newYork, 2459945.5, 4 * 365.25, 6, kSunToPluto, kHour},             // 1 January 2023
        {tokyo, 2460734.5, 61, 10, {2, 12}, kHour / 6},                      // 1 March 2025
        {greenwich, 2298883.5, 365.25, 3, kSunToPluto, kHour},               // 1 July 1582 (Julian)
        {greenwich, 1721240.5, 365.25, 10, kSunToPluto, kHour},              // 1 July 2 B.C.
        {greenwich, -1930000.5, 365.25, 1, kSunToPluto, kHour},              // 9997 B.C.
        {greenwich, 5373000.5, 365.25, 6, kSunToPluto, kHour},               // 9998 A.D.
        {greenwich, 2488200.5, 365.25, 6, {1, 3, 4, 6, 7, 8, 9, 10}, kHour}, // 2100-01, no Pluto
    };
    for (const auto& span : spans) {
        SCOPED_TRACE(span.fromJulianDay);
        testing::SetRecord(state.record, span.natal);
        ComputeChartTables(state);
        const double from = (span.fromJulianDay - 2451545.0) * kDay;
        Compare(NatalPointsOf(state), from, from + span.days * kDay, span.bodies, span.orb,
                span.step);
    }
}

} // namespace
} // namespace astrodesk
