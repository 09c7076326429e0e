// Exact moments: at each moment the search reports, the program's own apparent longitude of the
// body stands where the event says, whatever the era.

#include "astro/angles.hpp"
#include "chart/chart_driver.hpp"
#include "chart/techniques.hpp"
#include "events/event_search.hpp"
#include "interpret/factors.hpp"
#include "support/chart_setup.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

constexpr double kArcsecond = 1.0 / 3600.0; // degrees
constexpr double kDay = 1.0 / 36525.0;      // centuries

struct ExactMoments : ::testing::Test {
    ProgramState state = testing::LoadedState();

    double Longitude(int slot, double T) {
        ProgramState scratch = state;
        scratch.working.ChartCentre = kGeocentricCentre;
        return LongitudeDegrees(ComputeApparentPlaces(scratch, T).Longitude[slot]);
    }
    // Where the event's body should stand at its moment (degrees).
    double Expected(const Event& e, int orb) {
        switch (e.kind) {
        case EventKind::Ingress: // the sign's first degree going forward, its last going back
            return testing::DegreesApart(e.longitude, 30.0 * (e.target - 1)) < 1.0
                       ? 30.0 * (e.target - 1)
                       : 30.0 * e.target;
        case EventKind::Station:
        case EventKind::Return:
            return e.targetLongitude;
        default: {
            const double angle = AspectAngle(e.aspect);
            const double edge =
                e.phase == EventPhase::Exact ? 0.0 : AspectOrb(e.aspect, std::int16_t(orb));
            // Of the aspect's longitudes and their orb edges, the one nearest the body.
            double best = 1e9, nearest = 0.0;
            for (const double side : {angle, -angle})
                for (const double offset : {-edge, edge}) {
                    const double mark = e.targetLongitude + side + offset;
                    const double apart = testing::DegreesApart(mark, e.longitude);
                    if (apart < best) best = apart, nearest = mark;
                }
            return nearest;
        }
        }
    }
};

TEST_F(ExactMoments, EveryEventOfAYearStandsAtItsMark) {
    testing::SetRecord(state.record, {15, 6, 1990, 12, 0, 0, 51, 30, false, 0, 7, false});
    ComputeChartTables(state);
    const NatalPoints natal = NatalPointsOf(state);
    EventSearchOptions options;
    options.fromT = (2461041.5 - 2451545.0) / 36525.0; // 1 January 2026
    options.toT = options.fromT + 365.0 * kDay;
    options.kinds.progressions = true;
    const std::vector<Event> events = FindEvents(state, natal, options);
    ASSERT_GT(events.size(), 1000u);
    for (const Event& e : events) {
        double T = e.julianCenturies;
        if (e.kind == EventKind::Station) { // the turning point: an hour either side, one side
            const double hour = kDay / 24.0, at = Longitude(e.body, T);
            EXPECT_GT(std::remainder(Longitude(e.body, T - hour) - at, 360.0) *
                          std::remainder(Longitude(e.body, T + hour) - at, 360.0),
                      0.0);
            continue;
        }
        // A progressed body stands at the moment a day after birth for each year since.
        if (e.kind == EventKind::Progression)
            T = natal.julianCenturies + (T - natal.julianCenturies) / kTropicalYearDays;
        ASSERT_LT(testing::DegreesApart(Longitude(e.body, T), Expected(e, 6)), 0.5 * kArcsecond)
            << e.body << " " << int(e.kind) << " " << e.aspect << " at " << T;
    }
}

// A natal point in the middle of Jupiter's retrograde loop of 2026-27 is passed three times:
// going forward, back, and forward again, all within one stay in the conjunction's orb.
TEST_F(ExactMoments, ARetrogradeLoopHitsThreeTimes) {
    NatalPoints natal;
    EventSearchOptions options;
    options.fromT = (2461041.5 - 2451545.0) / 36525.0 + 180.0 * kDay; // 30 June 2026
    options.toT = options.fromT + 365.0 * kDay;
    options.kinds = {false, false, true, false, false};
    options.bodies = {7};
    const std::vector<Event> stations = FindEvents(state, natal, options);
    ASSERT_EQ(stations.size(), 2u);
    natal.longitude[1] = 0.5 * (stations[0].longitude + stations[1].longitude);
    options.kinds = {true, false, false, false, false};
    options.targets = {1};
    options.toT += 200.0 * kDay; // to the orb's far edge
    std::vector<Event> hits;
    for (const Event& e : FindEvents(state, natal, options))
        if (e.aspect == 1) hits.push_back(e);
    ASSERT_EQ(hits.size(), 5u);
    EXPECT_EQ(hits.front().phase, EventPhase::Enter);
    EXPECT_EQ(hits.back().phase, EventPhase::Leave);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(hits[i].phase, EventPhase::Exact);
        const double after = Longitude(7, hits[i].julianCenturies + kDay);
        // Forward, back, forward.
        EXPECT_EQ(std::remainder(after - natal.longitude[1], 360.0) > 0.0, i != 2);
    }
    EXPECT_LT(stations[0].julianCenturies, hits[2].julianCenturies);
    EXPECT_GT(stations[1].julianCenturies, hits[2].julianCenturies);
}

} // namespace
} // namespace astrodesk
