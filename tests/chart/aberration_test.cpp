#include "astro/angles.hpp"
#include "chart/aberration.hpp"
#include "ephemeris/body_theory.hpp"
#include "support/loaded_tables.hpp"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

constexpr int kEarth = 3;
constexpr int kMars = 4;

std::array<double, 3> Rectangular(double L, double B, double R) {
    return {R * std::cos(B) * std::cos(L), R * std::cos(B) * std::sin(L), R * std::sin(B)};
}

// Heliocentric places of bodies 0..10 and their rates at T, as a chart pass leaves them.
PositionTables PassAt(double T) {
    PositionTables p;
    for (int k = 0; k <= 10; ++k) {
        RunBodyTheory(k, T, testing::LoadedTables(), p);
        p.HelioLongitude[k] = p.TheoryL < 0.0 ? p.TheoryL + 360.0 : p.TheoryL;
        p.HelioLatitude[k] = p.TheoryB;
        p.HelioDistance[k] = p.TheoryR;
    }
    FillMotionRates(T, p);
    return p;
}

// How far the aberration of body k seen from the centre cb moves a body 1 AU away (arcseconds).
double ShiftArcseconds(PositionTables p, int cb, int k) {
    p.RelX = 1.0;
    p.RelY = p.RelZ = 0.0;
    ApplyAberration(cb, k, 1.0, p);
    return RadToDeg(std::hypot(p.RelX - 1.0, p.RelY, p.RelZ)) * 3600.0;
}

TEST(Aberration, OnlyAMovingCentreShiftsOtherBodies) {
    for (const double T : {-0.9, 0.2, 0.99}) {
        const PositionTables p = PassAt(T);
        EXPECT_EQ(ShiftArcseconds(p, 0, kMars), 0.0);
        EXPECT_EQ(ShiftArcseconds(p, 10, kMars), 0.0);
        EXPECT_EQ(ShiftArcseconds(p, kEarth, kEarth), 0.0);
        // The Earth's orbital speed, 29.3 to 30.3 km/s, over the speed of light.
        EXPECT_NEAR(ShiftArcseconds(p, kEarth, kMars), 20.5, 0.5);
    }
}

TEST(Aberration, VelocityIsTheTimeDerivativeOfThePosition) {
    const double L = 123.4, B = -5.6, R = 1.7, dL = 0.3, dB = -0.2, dR = 0.05, h = 1e-6;
    const auto at = [&](double t) {
        return Rectangular(DegToRad(L) + dL * t, DegToRad(B) + dB * t, R + dR * t);
    };
    const Velocity v = VelocityFromRates(L, B, R, dL, dB, dR);
    const auto later = at(h), earlier = at(-h);
    for (auto [axis, velocity] : {std::pair{0, v.vx}, {1, v.vy}, {2, v.vz}})
        EXPECT_NEAR(velocity, (later[axis] - earlier[axis]) / (2 * h), 1e-8) << axis;
}

// Swiss Ephemeris' annual aberration of Mars seen from the Earth against ours.
TEST(Aberration, AgreesWithSwissEphemerisForMarsFromTheEarth) {
    for (const double T : {-0.61, -0.2, 0.07, 0.44, 0.93}) {
        const int flags = SEFLG_MOSEPH | SEFLG_NONUT | SEFLG_NOGDEFL; // with light time
        const double jd = 2451545.0 + T * 36525.0;
        double apparent[6], unaberrated[6];
        swe_calc(jd, SE_MARS, flags, apparent, nullptr);
        swe_calc(jd, SE_MARS, flags | SEFLG_NOABERR, unaberrated, nullptr);
        PositionTables p = PassAt(T);
        const auto place = [&p](int k) {
            return Rectangular(DegToRad(p.HelioLongitude[k]), DegToRad(p.HelioLatitude[k]),
                               p.HelioDistance[k]);
        };
        const auto mars = place(kMars), earth = place(kEarth);
        p.RelX = mars[0] - earth[0];
        p.RelY = mars[1] - earth[1];
        p.RelZ = mars[2] - earth[2];
        const double before = AngleOf(p.RelY, p.RelX);
        ApplyAberration(kEarth, kMars, std::hypot(p.RelX, p.RelY, p.RelZ), p);
        EXPECT_NEAR(std::remainder(RadToDeg(AngleOf(p.RelY, p.RelX) - before), 360) * 3600,
                    std::remainder(apparent[0] - unaberrated[0], 360) * 3600, 0.1)
            << T;
    }
}

} // namespace
} // namespace astrodesk
