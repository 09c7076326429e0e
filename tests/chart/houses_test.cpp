#include "astro/angles.hpp"
#include "chart/equatorial.hpp"
#include "chart/houses.hpp"

#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

// The frame of a place at a time argument T (centuries from JD 2415020.0) and day fraction.
ChartFrame AnglesAt(const char* latitude, const char* longitude, double t, double dayFraction,
                    PositionTables& positions) {
    ChartFrame frame;
    frame.JulianCenturies = t;
    frame.DayFraction = dayFraction;
    ComputeAngles(ChartRecord{"", "", "", latitude, longitude, "", 0}, frame, positions);
    return frame;
}

ChartFrame AnglesAt(const char* latitude, double dayFraction) {
    PositionTables positions;
    return AnglesAt(latitude, "002W13", 0.93, dayFraction, positions);
}

ChartFrame CuspsOf(ChartFrame frame, std::int16_t system) {
    Options options;
    options.HouseSystem = system;
    ComputeHouseCusps(options, frame);
    return frame;
}

TEST(Angles, FollowTheSiderealTimeAndThePlace) {
    PositionTables positions;
    // T counts from noon, the day fraction from midnight: 1.2345 centuries is 14:42 GMT.
    const double t = 1.2345, jd = 2415020.0 + t * 36525;
    const ChartFrame frame = AnglesAt("51s32", "100e42", t, FracPart(jd + 0.5), positions);
    EXPECT_NEAR(RadToDeg(frame.Latitude), -51.5333333, 1e-7);
    EXPECT_NEAR(frame.LongitudeWest, -100.7, 1e-12);
    EXPECT_EQ(positions.BodyLongitude[17], frame.Midheaven);
    EXPECT_EQ(positions.BodyLongitude[18], frame.Ascendant);
    EXPECT_EQ(positions.BodyLongitude[19], frame.Vertex);
    // Mean sidereal time and obliquity of the oracle, at the same instant, within a second.
    double nutation[6];
    char error[AS_MAXCH];
    ASSERT_GE(swe_calc(jd, SE_ECL_NUT, SEFLG_MOSEPH, nutation, error), 0);
    EXPECT_NEAR(RadToDeg(frame.Obliquity), nutation[1], 1.0 / 3600);
    const double localSidereal = swe_sidtime0(jd, nutation[1], 0.0) * 15.0 + 100.7;
    EXPECT_NEAR(std::remainder(RadToDeg(frame.RAMC) - localSidereal, 360.0), 0.0, 15.0 / 3600);
    // Far from the epoch the sidereal angle still lands in one turn.
    const ChartFrame far = AnglesAt("51N32", "000W00", -40.0, 0.5, positions);
    EXPECT_GE(far.RAMC, 0.0);
    EXPECT_LT(far.RAMC, kTwoPi);
}

TEST(Angles, StayFiniteOnTheEquatorAndAtThePoles) {
    for (const char* latitude : {"00N00", "00S00", "89N60", "89S60"}) {
        for (double day = 0.0; day < 1.0; day += 1.0 / 96) {
            const ChartFrame frame = AnglesAt(latitude, day);
            for (double angle : {frame.Midheaven, frame.Ascendant, frame.Vertex}) {
                ASSERT_TRUE(angle >= 0.0 && angle <= kTwoPi) << latitude << ' ' << day;
            }
        }
    }
}

TEST(Houses, SystemsShareTheirAnglesAndOppositeCusps) {
    const ChartFrame frame = AnglesAt("53N28", 0.37);
    for (std::int16_t system = kEqualHouse; system <= kKoch; ++system) {
        const ChartFrame houses = CuspsOf(frame, system);
        EXPECT_NEAR(houses.HouseCusp[1], frame.Ascendant, 1e-5) << system;
        if (system != kEqualHouse) {
            EXPECT_NEAR(houses.HouseCusp[10], frame.Midheaven, 1e-5);
        }
        for (int house = 1; house <= 6; ++house) {
            const double apart = houses.HouseCusp[house + 6] - houses.HouseCusp[house];
            EXPECT_NEAR(std::abs(std::remainder(apart, kTwoPi)), kPi, 1e-6) << system;
        }
    }
    const ChartFrame equal = CuspsOf(frame, kEqualHouse);
    EXPECT_EQ(equal.HouseCusp[1], frame.Ascendant);
    EXPECT_NEAR(std::remainder(equal.HouseCusp[12] - equal.HouseCusp[11], kTwoPi), kPi / 6, 1e-12);
}

TEST(Houses, UnknownSystemLeavesTheCuspsAlone) {
    ChartFrame frame = CuspsOf(AnglesAt("53N28", 0.37), kKoch);
    const auto before = frame.HouseCusp;
    EXPECT_EQ(CuspsOf(frame, 5).HouseCusp, before);
    EXPECT_EQ(CuspsOf(frame, -1).HouseCusp, before);
}

// From 66 degrees to the pole, north and south, every system gives finite cusps in one turn;
// Placidus and Koch give way to equal houses, with the notice, where they do not exist.
TEST(Houses, PolarLatitudesNeverYieldNaNAndFallBackToEqualHouses) {
    for (int degrees = 66; degrees <= 89; ++degrees) {
        for (int minutes : {0, 30, 60}) {
            for (char hemisphere : {'N', 'S'}) {
                char latitude[8];
                std::snprintf(latitude, sizeof latitude, "%02d%c%02d", degrees, hemisphere,
                              minutes);
                for (double day = 0.0; day < 1.0; day += 1.0 / 48) {
                    const ChartFrame frame = AnglesAt(latitude, day);
                    const bool polar = std::abs(frame.Latitude) > kPi / 2 - frame.Obliquity;
                    const ChartFrame equal = CuspsOf(frame, kEqualHouse);
                    for (std::int16_t system = kEqualHouse; system <= kKoch; ++system) {
                        const ChartFrame houses = CuspsOf(frame, system);
                        const bool fallsBack = polar && (system == kPlacidus || system == kKoch);
                        ASSERT_EQ(houses.HouseSystemUndefined, fallsBack) << latitude;
                        if (fallsBack) {
                            EXPECT_EQ(houses.HouseCusp, equal.HouseCusp);
                        }
                        for (int house = 1; house <= 12; ++house) {
                            ASSERT_TRUE(houses.HouseCusp[house] >= 0.0 &&
                                        houses.HouseCusp[house] <= kTwoPi)
                                << latitude << " system " << system << " house " << house;
                        }
                    }
                    // Called on their own, the semi-arc systems still stay finite there.
                    for (auto cusps : {PlacidusCusps, KochCusps}) {
                        ChartFrame alone = frame;
                        cusps(alone);
                        for (double cusp : alone.HouseCusp)
                            ASSERT_TRUE(std::isfinite(cusp));
                    }
                }
            }
        }
    }
}

TEST(Equatorial, PlacesTheEquinoxSolsticeAndPole) {
    const double t = 0.25;
    const double obliquity = EclipticToEquatorial(0.0, 0.0, t).EquatorialObliquity;
    EXPECT_NEAR(RadToDeg(obliquity), 23.4392911 - 46.815 * t / 3600, 1e-5);
    const EquatorialPlace equinox = EclipticToEquatorial(0.0, 0.0, t);
    EXPECT_EQ(equinox.EquatorialRA, 0.0);
    EXPECT_EQ(equinox.EquatorialDec, 0.0);
    const EquatorialPlace solstice = EclipticToEquatorial(kPi / 2, 0.0, t);
    EXPECT_NEAR(solstice.EquatorialRA, kPi / 2, 1e-12);
    EXPECT_NEAR(solstice.EquatorialDec, obliquity, 1e-12);
    const EquatorialPlace pole = EclipticToEquatorial(1.0, kPi / 2, t);
    EXPECT_NEAR(pole.EquatorialRA, 3 * kPi / 2, 1e-9);
    EXPECT_NEAR(pole.EquatorialDec, kPi / 2 - obliquity, 1e-12);
}

} // namespace
} // namespace astrodesk
