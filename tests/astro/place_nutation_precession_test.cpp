#include "astro/angles.hpp"
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
