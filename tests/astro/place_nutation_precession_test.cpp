#include "astro/angles.hpp"
#include "astro/nutation.hpp"
#include "astro/place_text.hpp"
#include "astro/precession.hpp"

#include <gtest/gtest.h>
#include <random>
#include <swephexp.h>

namespace astrodesk {
namespace {

constexpr double kArcsecond = 1.0 / 3600.0; // degrees

TEST(PlaceText, ReadsDegreesMinutesAndDirectionInEitherCase) {
    EXPECT_NEAR(RadToDeg(LatitudeFromText("53N28")), 53.0 + 28.0 / 60, 1e-12);
    EXPECT_NEAR(RadToDeg(LatitudeFromText("51s32")), -(51.0 + 32.0 / 60), 1e-12);
    EXPECT_NEAR(RadToDeg(LatitudeFromText("89S60")), -90.0, 1e-12);
    EXPECT_EQ(LatitudeFromText("00N00"), 1e-8);
    EXPECT_EQ(LatitudeFromText("00S00"), 1e-8);
    EXPECT_NEAR(LongitudeWestFromText("002E13"), -2.2166667, 1e-7);
    EXPECT_NEAR(LongitudeWestFromText("100e42"), -(100.0 + 42.0 / 60), 1e-12);
    EXPECT_NEAR(LongitudeWestFromText("179w60"), 180.0, 1e-12);
    EXPECT_EQ(LongitudeWestFromText("000W00"), 0.0);
}

// Day from J2000 in Julian centuries as the Julian Date Swiss Ephemeris takes.
double JulianDateOf(double centuries) {
    return 2451545.0 + 36525.0 * centuries;
}

double DegreesApart(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

TEST(Nutation, AgreesWithSwissEphemerisToHalfAnArcsecond) {
    std::mt19937 random(1900);
    std::uniform_real_distribution<double> centuries(-2.0, 2.0);
    double worstNutation = 0.0;
    for (int trial = 0; trial < 200; ++trial) {
        ChartFrame frame;
        PositionTables positions;
        frame.JulianCenturies = centuries(random);
        ComputeNutation(frame, positions);
        double nutation[6], node[6];
        char error[AS_MAXCH];
        const double jd = JulianDateOf(frame.JulianCenturies);
        ASSERT_GE(swe_calc(jd, SE_ECL_NUT, SEFLG_MOSEPH, nutation, error), 0) << error;
        ASSERT_GE(swe_calc(jd, SE_MEAN_NODE, SEFLG_MOSEPH, node, error), 0) << error;
        worstNutation =
            std::max(worstNutation, DegreesApart(positions.NutationLongitude, nutation[2]));
        // The mean node's epoch value and rate are rounded: 0.005 degree plus 0.06 per century.
        EXPECT_LT(DegreesApart(RadToDeg(positions.LunarNode), node[0]),
                  0.005 + 0.06 * std::abs(frame.JulianCenturies));
        EXPECT_NEAR(RadToDeg(frame.Obliquity2000), nutation[1], kArcsecond);
    }
    RecordProperty("worst_nutation_arcsec", std::to_string(worstNutation * 3600));
    EXPECT_LT(worstNutation, 0.5 * kArcsecond);
}

TEST(Precession, CarriesJ2000PositionsToTheMeanEclipticOfDate) {
    std::mt19937 random(2000);
    std::uniform_real_distribution<double> centuries(-2.0, 2.0);
    for (int trial = 0; trial < 50; ++trial) {
        const double t = centuries(random);
        ChartFrame frame;
        frame.PrecessSpanT = t;
        PositionTables positions;
        double ofDate[SE_PLUTO + 1][6];
        for (int body = SE_SUN; body <= SE_PLUTO; ++body) {
            double j2000[6];
            char error[AS_MAXCH];
            const int flags = SEFLG_MOSEPH | SEFLG_NONUT;
            ASSERT_GE(swe_calc(JulianDateOf(t), body, flags | SEFLG_J2000, j2000, error), 0);
            ASSERT_GE(swe_calc(JulianDateOf(t), body, flags, ofDate[body], error), 0);
            positions.BodyLongitude[body + 1] = DegToRad(j2000[0]);
            positions.BodyLatitude[body + 1] = DegToRad(j2000[1]);
        }
        frame.HouseCusp[3] = DegToRad(359.9);
        PrecessPositions(frame, positions);
        for (int body = SE_SUN; body <= SE_PLUTO; ++body) {
            EXPECT_NEAR(DegreesApart(RadToDeg(positions.BodyLongitude[body + 1]), ofDate[body][0]),
                        0.0, 2 * kArcsecond * std::abs(t))
                << "body " << body << " t " << t;
        }
        const double generalPrecession = (5029.097 * t + 1.111 * t * t) / 3600;
        EXPECT_NEAR(DegreesApart(RadToDeg(frame.HouseCusp[3]), 359.9 + generalPrecession), 0.0,
                    1e-9);
    }
}

TEST(Precession, WithoutSpanOnlyReducesIntoOneTurn) {
    ChartFrame frame;
    frame.PrecessFromT = 0.7;
    PositionTables positions;
    positions.BodyLongitude[1] = 1.0;
    positions.BodyLatitude[1] = 0.3;
    positions.BodyLongitude[19] = -0.5;
    frame.HouseCusp[12] = kTwoPi + 0.25;
    PrecessPositions(frame, positions);
    EXPECT_EQ(positions.BodyLongitude[1], 1.0);
    EXPECT_DOUBLE_EQ(positions.BodyLongitude[19], kTwoPi - 0.5);
    EXPECT_DOUBLE_EQ(frame.HouseCusp[12], 0.25);
}

} // namespace
} // namespace astrodesk
