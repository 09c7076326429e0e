#include "ephemeris/body_theory.hpp"
#include "ephemeris/mean_orbits.hpp"
#include "ephemeris/moon_theory.hpp"
#include "ephemeris/planet_theories.hpp"
#include "support/loaded_tables.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace astrodesk {
namespace {

using testing::LoadedTables;

// Pluto's mean orbit: mean anomaly 229.94722 + 144.91306 t degrees, t centuries from 1900.0.
double PlutoCenturiesAtAnomaly(double degrees) {
    return (degrees - 229.94722) / 144.91306 - 1.0;
}

// Latitude of a point at argument of latitude u on Pluto's mean orbit (inclination 17.15°).
double PlutoLatitudeAt(double uDegrees) {
    return RadToDeg(
        std::asin(std::sin(DegToRad(uDegrees)) * std::sin(DegToRad(17.146778128198427))));
}

TEST(MeanOrbits, PerihelionAndAphelion) {
    PositionTables atPerihelion, atAphelion;
    PlutoMeanOrbit(PlutoCenturiesAtAnomaly(0.0), atPerihelion);
    EXPECT_NEAR(atPerihelion.TheoryR, 39.51744 * (1 - 0.24864), 1e-9);
    EXPECT_NEAR(atPerihelion.TheoryB, PlutoLatitudeAt(113.52139), 1e-7);
    // E within 0.0001° of 180° is taken as the true anomaly itself.
    PlutoMeanOrbit(PlutoCenturiesAtAnomaly(180.0 + 1e-6), atAphelion);
    EXPECT_NEAR(atAphelion.TheoryR, 39.51744 * (1 + 0.24864), 1e-9);
    EXPECT_NEAR(atAphelion.TheoryB, PlutoLatitudeAt(293.52139), 1e-5);
}

TEST(MeanOrbits, WriteTheirOwnRectangularSlotOnly) {
    for (const auto& [orbit, slot] : {std::pair{&PlutoMeanOrbit, 9}, std::pair{&ZedOrbit, 10}}) {
        PositionTables p;
        orbit(2.7, p);
        const double L = DegToRad(p.TheoryL), B = DegToRad(p.TheoryB);
        EXPECT_NEAR(p.HelioX[slot], p.TheoryR * std::cos(B) * std::cos(L), 1e-12);
        EXPECT_NEAR(p.HelioZ[slot], p.TheoryR * std::sin(B), 1e-12);
        p.HelioX[slot] = 0.0;
        EXPECT_EQ(p.HelioX, PositionTables{}.HelioX);
    }
}

TEST(BodyTheory, PlutoSeriesWithinItsRangeAndTheMeanOrbitBeyond) {
    for (const double T : {1.0, -1.0, 1.01, -1.01, 5.0}) {
        PositionTables dispatched, direct;
        RunBodyTheory(9, T, LoadedTables(), dispatched);
        if (std::abs(T) < 1.01)
            PlutoTheory(T, LoadedTables(), direct);
        else
            PlutoMeanOrbit(T, direct);
        EXPECT_EQ(dispatched.TheoryL, direct.TheoryL) << T;
    }
}

TEST(BodyTheory, EarthIsTheSunTurnedRound) {
    for (const double T : {-0.37, 0.0, 0.52}) {
        PositionTables sun, earth;
        RunBodyTheory(0, T, LoadedTables(), sun);
        RunBodyTheory(3, T, LoadedTables(), earth);
        EXPECT_NEAR(std::remainder(earth.TheoryL - sun.TheoryL - 180.0, 360.0), 0.0, 1e-12);
        EXPECT_GE(earth.TheoryL, 0.0);
        EXPECT_LE(earth.TheoryL, 360.0);
        EXPECT_EQ(earth.TheoryB, -sun.TheoryB);
        EXPECT_EQ(earth.TheoryR, sun.TheoryR);
    }
}

TEST(BodyTheory, EveryTheoryRebuildsItsWorkingStateAndGivesTheSameTwice) {
    for (int k = 0; k <= 10; ++k) {
        PositionTables first, again;
        RunBodyTheory(k, 0.123, LoadedTables(), first);
        RunBodyTheory((k + 5) % 11, -0.7, LoadedTables(), again); // something else in between
        RunBodyTheory(k, 0.123, LoadedTables(), again);
        EXPECT_EQ(first.TheoryL, again.TheoryL) << k;
        EXPECT_EQ(first.TheoryB, again.TheoryB) << k;
        EXPECT_EQ(first.TheoryR, again.TheoryR) << k;
    }
}

TEST(MoonTheory, ConstantTermsAndTheBareParallax) {
    MoonSeries m;
    AddSolarTerm(m, 3.0, 4.0, 5.0, 6.0, 0, 0, 0, 0); // argument 0: the cosine terms only
    EXPECT_EQ(m.MoonLambda + m.MoonDS, 0.0);
    EXPECT_EQ(m.MoonGamma, 5.0);
    EXPECT_EQ(m.MoonSinPi, 3422.7 + 6.0);
    // Without solar terms the distance is that of the bare parallax.
    PositionTables p;
    MoonTheory(0.1, CoefficientTables{}, p);
    EXPECT_NEAR(p.TheoryR, 206264.8062 / (3422.7 * 0.999953253), 1e-9);
}

} // namespace
} // namespace astrodesk
