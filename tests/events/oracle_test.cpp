// The search against Swiss Ephemeris (Moshier's series, the entered time taken as UT): solar
// returns by swe_solcross_ut, ingresses and stations by bisection over its positions. The
// moments differ by the two theories' difference of position at each body's rate.

#include "astro/angles.hpp"
#include "events/event_search.hpp"
#include "support/chart_setup.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDay = 1.0 / 36525.0;
constexpr std::array<int, 12> kSwissBody = {SE_SUN,    SE_MOON,    SE_MERCURY, SE_VENUS,
                                            -1,        SE_MARS,    SE_JUPITER, SE_SATURN,
                                            SE_URANUS, SE_NEPTUNE, SE_PLUTO,   -1};

struct SwissSearch : ::testing::Test {
    ProgramState state = testing::LoadedState();
    static void SetUpTestSuite() { swe_set_ephe_path(const_cast<char*>(ASTRODESK_SWE_DATA_DIR)); }
    static void TearDownTestSuite() { swe_close(); }

    // Longitude (degrees) and rate (degrees a day) of display slot `slot` at a Julian Day.
    static std::pair<double, double> Swiss(int slot, double jd) {
        double x[6];
        char error[AS_MAXCH];
        swe_calc_ut(jd, kSwissBody[static_cast<std::size_t>(slot - 1)], SEFLG_MOSEPH | SEFLG_SPEED,
                    x, error);
        return {x[0], x[3]};
    }
    // The Julian Day in [a, b] where f changes sign, by bisection to a tenth of a second.
    template <typename F> static double Bisect(F f, double a, double b) {
        const bool negativeAtA = f(a) < 0.0;
        while (b - a > 0.1 / 86400.0) {
            const double m = 0.5 * (a + b);
            ((f(m) < 0.0) == negativeAtA ? a : b) = m;
        }
        return 0.5 * (a + b);
    }
    // The Swiss moment of an ingress or station nearest `jd`: the sign change within two days.
    static double SwissMoment(const Event& e) {
        const double jd = e.julianDay;
        if (e.kind == EventKind::Station)
            return Bisect([&](double t) { return Swiss(e.body, t).second; }, jd - 2.0, jd + 2.0);
        const double boundary = e.longitude > 359.0 ? 360.0 : std::round(e.longitude / 30.0) * 30.0;
        return Bisect(
            [&](double t) { return std::remainder(Swiss(e.body, t).first - boundary, 360.0); },
            jd - 2.0, jd + 2.0);
    }
};

TEST_F(SwissSearch, SolarReturnsAgreeWithSolcross) {
    auto pick = testing::RandomPick(20);
    double worstSeconds = 0.0;
    for (int trial = 0; trial < 40; ++trial) {
        testing::SetRecord(state.record,
                           {pick(1, 28), pick(1, 12), pick(1900, 2040), pick(0, 23), pick(0, 59),
                            pick(0, 59), pick(0, 60), 0, false, pick(0, 179), 0, false});
        ComputeChartTables(state);
        const NatalPoints natal = NatalPointsOf(state);
        EventSearchOptions options;
        options.fromT = natal.julianCenturies + pick(1, 60) * 365.25 * kDay;
        options.toT = options.fromT + 366.0 * kDay;
        options.kinds = {false, false, false, true, false};
        options.bodies = {1};
        const std::vector<Event> returns = FindEvents(state, natal, options);
        ASSERT_EQ(returns.size(), 1u);
        const double natalJd = kJ2000 + natal.julianCenturies * 36525.0;
        char error[AS_MAXCH];
        const double oracle = swe_solcross_ut(Swiss(1, natalJd).first, returns[0].julianDay - 2.0,
                                              SEFLG_MOSEPH, error);
        worstSeconds = std::max(worstSeconds, std::abs(returns[0].julianDay - oracle) * 86400.0);
    }
    std::printf("solar returns: at most %.1f s from swe_solcross_ut\n", worstSeconds);
    EXPECT_LT(worstSeconds, 120.0);
}

// Every ingress and station of the Sun to Pluto in 2024 and 2025 has its Swiss Ephemeris
// counterpart nearby: an ingress within the time the body takes to move 25 arcseconds (the two
// series of Mercury differ by some 6", those of Neptune by 18", five hours at its rate), a
// station within an hour (a station is the flattest point of the motion, so a small difference
// in the rate moves it far: Pluto's by some 40 minutes).
TEST_F(SwissSearch, IngressesAndStationsAgreeWithASwissSearch) {
    testing::SetRecord(state.record, {1, 1, 2000, 12, 0, 0, 51, 30, false, 0, 0, false});
    ComputeChartTables(state);
    EventSearchOptions options;
    options.fromT = (2460310.5 - kJ2000) * kDay; // 1 January 2024
    options.toT = options.fromT + 731.0 * kDay;
    options.kinds = {false, true, true, false, false};
    const std::vector<Event> events = FindEvents(state, NatalPointsOf(state), options);
    double worstArc = 0.0, worstStation = 0.0;
    int ingresses = 0, stations = 0;
    for (const Event& e : events) {
        const double apartDays = std::abs(e.julianDay - SwissMoment(e));
        if (e.kind == EventKind::Station) {
            worstStation = std::max(worstStation, apartDays * 1440.0);
            ++stations;
        } else {
            const double arc = apartDays * std::abs(Swiss(e.body, e.julianDay).second) * 3600.0;
            worstArc = std::max(worstArc, arc);
            ++ingresses;
        }
    }
    std::printf("%d ingresses within %.1f\" of motion, %d stations within %.1f minutes\n",
                ingresses, worstArc, stations, worstStation);
    EXPECT_LT(worstArc, 25.0);
    EXPECT_LT(worstStation, 60.0);
    EXPECT_GT(ingresses, 50);
    EXPECT_GT(stations, 15);
}

} // namespace
} // namespace astrodesk
