#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/nutation.hpp"
#include "astro/place_text.hpp"
#include "astro/precession.hpp"
#include "support/comparison.hpp"

#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

using testing::DegreesApart;

constexpr double kArcsecond = 1.0 / 3600.0; // degrees

// The day count against Swiss Ephemeris where it departs from the plain calendar: 5 to 15 October
// 1582 are still read as Julian dates, so the day after 15 October comes before it; the B.C. era
// counts 1 B.C. as the astronomical year 0; a 29 February that the entry form takes in a common
// year is 1 March. (Other dates are the round trip of the record's texts of a moment.)
TEST(DayCount, TheReformTheErasAndTheLeapDays) {
    const struct {
        const char* date;
        double eraFlag;
        int year, month, day, calendar;
    } cases[] = {
        {"04101582", 0, 1582, 10, 4, SE_JUL_CAL},  {"10101582", 0, 1582, 10, 10, SE_JUL_CAL},
        {"15101582", 0, 1582, 10, 15, SE_JUL_CAL}, {"16101582", 0, 1582, 10, 16, SE_GREG_CAL},
        {"01010001", 1, 0, 1, 1, SE_JUL_CAL},      {"15030044", 1, -43, 3, 15, SE_JUL_CAL},
        {"29021999", 0, 1999, 3, 1, SE_GREG_CAL},  {"29022000", 0, 2000, 2, 29, SE_GREG_CAL}};
    for (const auto& c : cases) {
        ChartFrame frame;
        ComputeDayCount(ChartRecord{"", c.date, "120000", "", "", "", 0},
                        WorkingCopies{0, c.eraFlag}, frame);
        EXPECT_EQ(frame.DayFractionCopy, frame.DayFraction);
        EXPECT_NEAR(2415020.0 + 36525.0 * frame.JulianCenturies,
                    swe_julday(c.year, c.month, c.day, 12.0, c.calendar), 1e-9)
            << c.date;
    }
}

TEST(PlaceText, ReadsDegreesMinutesAndDirectionInEitherCase) {
    EXPECT_NEAR(RadToDeg(LatitudeFromText("51s32")), -(51 + 32 / 60.0), 1e-12);
    EXPECT_NEAR(RadToDeg(LatitudeFromText("89N60")), 90.0, 1e-12);
    EXPECT_EQ(LatitudeFromText("00S00"), 1e-8);
    EXPECT_NEAR(LongitudeWestFromText("002E13"), -2.2166667, 1e-7);
    EXPECT_NEAR(LongitudeWestFromText("179w60"), 180.0, 1e-12);
}

// Against Swiss Ephemeris between 1800 and 2200 (centuries from J2000).
TEST(Nutation, AgreesWithSwissEphemeris) {
    std::mt19937 random(1900);
    std::uniform_real_distribution<double> centuries(-2.0, 2.0);
    for (int trial = 0; trial < 200; ++trial) {
        ChartFrame frame;
        PositionTables positions;
        frame.JulianCenturies = centuries(random);
        ComputeNutation(frame, positions);
        double nutation[6], node[6];
        const double jd = 2451545.0 + 36525.0 * frame.JulianCenturies;
        ASSERT_GE(swe_calc(jd, SE_ECL_NUT, SEFLG_MOSEPH, nutation, nullptr), 0);
        ASSERT_GE(swe_calc(jd, SE_MEAN_NODE, SEFLG_MOSEPH, node, nullptr), 0);
        EXPECT_LT(DegreesApart(positions.NutationLongitude, nutation[2]), 0.5 * kArcsecond);
        EXPECT_NEAR(RadToDeg(frame.Obliquity2000), nutation[1], kArcsecond);
        // The mean node's epoch value and rate are rounded: 0.005 degree plus 0.06 per century.
        EXPECT_LT(DegreesApart(RadToDeg(positions.LunarNode), node[0]),
                  0.005 + 0.06 * std::abs(frame.JulianCenturies));
    }
}

// Planets from the ecliptic of J2000 to the mean ecliptic of date, within 2" per century; a cusp,
// on the ecliptic, moves as far as the Sun (latitude below 1"), within 0.5" per century (the
// general precession of the two theories differs by 0.3" per century).
TEST(Precession, CarriesPositionsToTheEclipticOfDate) {
    for (double t : {-2.0, -0.7, 0.0, 0.4, 1.9}) {
        ChartFrame frame;
        frame.PrecessSpanT = t;
        frame.HouseCusp[3] = DegToRad(359.9);
        PositionTables positions;
        double ofDate[SE_PLUTO + 1][6], j2000[SE_PLUTO + 1][6];
        for (int body = SE_SUN; body <= SE_PLUTO; ++body) {
            const int flags = SEFLG_MOSEPH | SEFLG_NONUT;
            const double jd = 2451545.0 + 36525.0 * t;
            ASSERT_GE(swe_calc(jd, body, flags | SEFLG_J2000, j2000[body], nullptr), 0);
            ASSERT_GE(swe_calc(jd, body, flags, ofDate[body], nullptr), 0);
            positions.BodyLongitude[body + 1] = DegToRad(j2000[body][0]);
            positions.BodyLatitude[body + 1] = DegToRad(j2000[body][1]);
        }
        PrecessPositions(frame, positions);
        for (int body = SE_SUN; body <= SE_PLUTO; ++body)
            EXPECT_LE(DegreesApart(RadToDeg(positions.BodyLongitude[body + 1]), ofDate[body][0]),
                      2 * kArcsecond * std::abs(t) + 1e-9)
                << body << " at " << t;
        const double sunShift = ofDate[SE_SUN][0] - j2000[SE_SUN][0];
        EXPECT_LE(DegreesApart(RadToDeg(frame.HouseCusp[3]), 359.9 + sunShift),
                  0.5 * kArcsecond * std::abs(t) + 1e-9)
            << t;
        EXPECT_LT(frame.HouseCusp[3], kTwoPi);
    }
}

} // namespace
} // namespace astrodesk
