// Returns and solar-arc angles: the moments the Sun and the Moon come back to their natal
// longitudes, checked against Swiss Ephemeris, a brute-force scan and the charts the program
// lists for them; the directed angles against the horizon at the natal place.

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/chart_driver.hpp"
#include "chart/returns.hpp"
#include "chart/techniques.hpp"
#include "support/chart_setup.hpp"

#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

constexpr double kArcsecond = kPi / 180.0 / 3600.0;
constexpr double kSecondsPerCentury = 36525.0 * 86400.0;
constexpr double kJ1900 = 2415020.0;

double ArcBetween(double a, double b) {
    return std::abs(std::remainder(a - b, kTwoPi));
}

// Random natal charts from 1900 to 2050 and a target up to 60 years later, each solar return and
// lunar return charted from them.
struct ReturnCharts : ::testing::Test {
    ProgramState state = testing::LoadedState();
    testing::RandomPick Uniform{2026};

    static void SetUpTestSuite() { swe_set_ephe_path(const_cast<char*>(ASTRODESK_SWE_DATA_DIR)); }
    static void TearDownTestSuite() { swe_close(); }

    // A random natal chart, computed and snapshotted; returns its listed Sun and Moon.
    std::pair<double, double> NatalChart() {
        testing::SetRecord(state.record, {Uniform(1, 28), Uniform(1, 12), Uniform(1900, 2050),
                                          Uniform(0, 23), Uniform(0, 59), Uniform(0, 59),
                                          Uniform(0, 60), Uniform(0, 59), Uniform(0, 1) == 1,
                                          Uniform(0, 179), Uniform(0, 59), Uniform(0, 1) == 1});
        state.options.Technique = kNatal;
        ComputeChartTables(state);
        TakeNatalSnapshot(state);
        return {state.positions.BodyLongitude[1], state.positions.BodyLongitude[2]};
    }
    // The technique chart for a target `days` after birth; the moment charted (from 1900).
    double Chart(std::int16_t technique, std::int16_t arrow, double days) {
        state.options.Technique = technique;
        state.options.TimesArrow = arrow;
        EXPECT_TRUE(SetRecordFromTime(state.snapshots.NatalT + days / 36525.0, state.record));
        EXPECT_EQ(ComputeTechniqueChart(state), TechniqueOutcome::Charted);
        return RecordJulianCenturies(state.record);
    }
    double RandomSpanDays() { return Uniform(-3650, 60 * 365) + Uniform(0, 86399) / 86400.0; }
};

// The exact return lies within a tenth of a day of the mean-year return's anniversary; the
// converse return mirrors it about the birth moment.
TEST_F(ReturnCharts, TheMeanYearReturnIsNearAndConverseReturnsMirror) {
    for (int trial = 0; trial < 40; ++trial) {
        NatalChart();
        const double natalT = state.snapshots.NatalT, days = RandomSpanDays();
        const double exact = Chart(kSolarReturns, 0, days);
        state.options.ReturnMoment = kMeanYearReturn;
        const double mean = Chart(kSolarReturns, 0, days);
        state.options.ReturnMoment = kExactReturn;
        EXPECT_LT(std::abs(exact - mean) * 36525.0, 0.1) << "days between exact and mean";
        const double converse = Chart(kSolarReturns, 1, days);
        EXPECT_LE(std::abs((exact - natalT) + (converse - natalT)) * kSecondsPerCentury, 1.0);
    }
}

// However far from the series' epoch, in both eras, the return is found and the Sun or the Moon
// stands at its natal place in the chart the program lists.
TEST_F(ReturnCharts, ReturnsAreFoundAcrossTheWholeEntryRange) {
    for (int trial = 0; trial < 60; ++trial) {
        NatalChart();
        const bool beforeChrist = Uniform(0, 1) == 1;
        state.record.ChartDate =
            testing::Format("%02d-%02d-%04d", Uniform(1, 28), Uniform(1, 12), Uniform(2, 9990));
        state.record.ChartEra = beforeChrist ? 1 : 0;
        ComputeChartTables(state);
        TakeNatalSnapshot(state);
        const int slot = trial % 2 == 0 ? kSunSlot : kMoonSlot;
        const double natal = state.positions.BodyLongitude[slot];
        Chart(slot == kSunSlot ? kSolarReturns : kLunarReturns, 0, Uniform(-365, 3650));
        EXPECT_LT(ArcBetween(state.positions.BodyLongitude[slot], natal), 0.5 * kArcsecond)
            << state.record.ChartDate << " " << state.record.EraText;
    }
}

// Swiss Ephemeris (Moshier's series, the entered time taken as UT) finds its own Sun back at its
// own natal Sun within two minutes: the two Suns differ by up to 3" (70 s of time in 400 random
// charts), and Delta T changes between birth and return (some 20 s more).
TEST_F(ReturnCharts, SolarReturnsAgreeWithSwissEphemeris) {
    double worstSeconds = 0.0;
    for (int trial = 0; trial < 100; ++trial) {
        NatalChart();
        const double natalJd = state.snapshots.NatalT * 36525.0 + kJ1900;
        const double found = Chart(kSolarReturns, 0, RandomSpanDays()) * 36525.0 + kJ1900;
        double sun[6];
        char error[256];
        ASSERT_GE(swe_calc_ut(natalJd, SE_SUN, SEFLG_MOSEPH, sun, error), 0) << error;
        const double oracle = swe_solcross_ut(sun[0], found - 2.0, SEFLG_MOSEPH, error);
        ASSERT_GT(oracle, found - 2.0) << error;
        worstSeconds = std::max(worstSeconds, std::abs(found - oracle) * 86400.0);
    }
    EXPECT_LT(worstSeconds, 120.0);
    EXPECT_GT(worstSeconds, 1.0); // the two series do differ: the comparison is not circular
}

// The lunar return charted is the nearest of those that a three-hourly scan of the program's own
// Moon finds in the 40 days around the target (crossings interpolated between scan moments).
TEST_F(ReturnCharts, TheLunarReturnNearestTheTarget) {
    constexpr int kSteps = 8 * 20; // three-hour steps either side of the target
    for (int trial = 0; trial < 6; ++trial) {
        const double natalMoon = NatalChart().second;
        const double target = state.snapshots.NatalT + RandomSpanDays() / 36525.0;
        const double found = Chart(kLunarReturns, 0, (target - state.snapshots.NatalT) * 36525.0);
        EXPECT_LT(ArcBetween(state.positions.BodyLongitude[2], natalMoon), 0.5 * kArcsecond);
        ProgramState scratch = state;
        const auto arcAt = [&](int step) {
            const double t = target + step / 8.0 / 36525.0 - 1.0;
            return std::remainder(GeocentricLongitude(scratch, kMoonSlot, t) - natalMoon, kTwoPi);
        };
        double nearest = 1e9, before = arcAt(-kSteps);
        for (int step = -kSteps + 1; step <= kSteps; ++step) {
            const double arc = arcAt(step);
            if (before < 0.0 && arc >= 0.0 && arc < 1.0) {
                const double crossing = target + (step - arc / (arc - before)) / 8.0 / 36525.0;
                if (std::abs(crossing - target) < std::abs(nearest - target)) nearest = crossing;
            }
            before = arc;
        }
        EXPECT_LT(std::abs(found - nearest) * 36525.0 * 1440.0, 5.0) << "minutes";
    }
}

// Solar-arc progressions: the Midheaven is the natal one advanced by the progressed Sun's arc,
// and the Ascendant the ecliptic point rising in the east when that Midheaven culminates at the
// natal latitude (altitude and hour angle by the spherical triangle, Meeus ch. 13).
TEST_F(ReturnCharts, SolarArcAnglesFollowTheProgressedSun) {
    for (int trial = 0; trial < 20; ++trial) {
        const double natalSun = NatalChart().first;
        const double natalMidheaven = state.frame.Midheaven, latitude = state.frame.Latitude;
        state.options.ProgressedAngles = kSolarArcAngles;
        Chart(kProgressions, Uniform(0, 1), RandomSpanDays());
        state.options.ProgressedAngles = kProgressedMomentAngles;
        const double arc = std::remainder(state.positions.BodyLongitude[1] - natalSun, kTwoPi);
        EXPECT_LT(ArcBetween(state.positions.BodyLongitude[14], natalMidheaven + arc),
                  0.1 * kArcsecond);

        const double e = state.frame.Obliquity, mc = state.positions.BodyLongitude[14];
        const double localSiderealTime = std::atan2(std::sin(mc) * std::cos(e), std::cos(mc));
        const double asc = state.positions.BodyLongitude[13];
        const double rightAscension = std::atan2(std::sin(asc) * std::cos(e), std::cos(asc));
        const double declination = std::asin(std::sin(e) * std::sin(asc));
        const double hourAngle = localSiderealTime - rightAscension;
        const double altitude =
            std::asin(std::sin(latitude) * std::sin(declination) +
                      std::cos(latitude) * std::cos(declination) * std::cos(hourAngle));
        EXPECT_LT(std::abs(altitude), 0.1 * kArcsecond) << state.record.ChartLatitude;
        EXPECT_LT(std::sin(hourAngle), 0.0) << "the Ascendant rises in the east";
        EXPECT_EQ(state.frame.HouseCusp[1], state.frame.Ascendant); // equal houses from it
    }
}

} // namespace
} // namespace astrodesk
