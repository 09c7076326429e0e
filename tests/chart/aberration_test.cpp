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

TEST(Aberration, EarthRatesAndTheBodiesWithoutRates) {
    for (const double T : {-0.9, 0.0, 0.35, 0.99}) {
        const PositionTables p = PassAt(T);
        EXPECT_NEAR(p.RateLongitude[kEarth], 172.0 * 3.6525, 5.75 * 3.6525 + 1e-9);
        EXPECT_EQ(p.RateLatitude[kEarth], 0.0);
        for (const int still : {0, 10})
            EXPECT_EQ(p.RateLongitude[still] + p.RateLatitude[still] + p.RateRadius[still], 0.0);
    }
}

TEST(Aberration, VelocityIsTheTimeDerivativeOfThePosition) {
    const double L = 123.4, B = -5.6, R = 1.7, dL = 0.3, dB = -0.2, dR = 0.05, h = 1e-6;
    auto position = [&](double t) {
        const double l = DegToRad(L) + dL * t, b = DegToRad(B) + dB * t, r = R + dR * t;
        return std::array{r * std::cos(b) * std::cos(l), r * std::cos(b) * std::sin(l),
                          r * std::sin(b)};
    };
    const Velocity v = VelocityFromRates(L, B, R, dL, dB, dR);
    const auto later = position(h), earlier = position(-h);
    EXPECT_NEAR(v.vx, (later[0] - earlier[0]) / (2 * h), 1e-8);
    EXPECT_NEAR(v.vy, (later[1] - earlier[1]) / (2 * h), 1e-8);
    EXPECT_NEAR(v.vz, (later[2] - earlier[2]) / (2 * h), 1e-8);
}

TEST(Aberration, NoCorrectionFromTheSunOrZedOrForTheCentreItself) {
    const PositionTables p = PassAt(0.2);
    EXPECT_EQ(ShiftArcseconds(p, 0, kMars), 0.0);
    EXPECT_EQ(ShiftArcseconds(p, 10, kMars), 0.0);
    EXPECT_EQ(ShiftArcseconds(p, kEarth, kEarth), 0.0);
    // The Earth's orbital speed, 29.3 to 30.3 km/s, over the speed of light.
    EXPECT_NEAR(ShiftArcseconds(p, kEarth, kMars), 20.5, 0.5);
}

// Swiss Ephemeris' annual aberration of Mars seen from the Earth, against ours.
TEST(Aberration, AgreesWithSwissEphemerisForMarsFromTheEarth) {
    for (const double T : {-0.61, -0.2, 0.07, 0.44, 0.93}) {
        PositionTables p = PassAt(T);
        const double jd = 2451545.0 + T * 36525.0;
        const int flags = SEFLG_MOSEPH | SEFLG_NONUT | SEFLG_NOGDEFL; // with light time
        double apparent[6], geometric[6];
        char error[AS_MAXCH];
        swe_calc(jd, SE_MARS, flags, apparent, error);
        swe_calc(jd, SE_MARS, flags | SEFLG_NOABERR, geometric, error);
        const double theirs = std::remainder(apparent[0] - geometric[0], 360.0) * 3600;

        const auto rectangular = [&](int k) {
            const double l = DegToRad(p.HelioLongitude[k]), b = DegToRad(p.HelioLatitude[k]);
            return std::array{p.HelioDistance[k] * std::cos(b) * std::cos(l),
                              p.HelioDistance[k] * std::cos(b) * std::sin(l),
                              p.HelioDistance[k] * std::sin(b)};
        };
        const auto mars = rectangular(kMars), earth = rectangular(kEarth);
        p.RelX = mars[0] - earth[0];
        p.RelY = mars[1] - earth[1];
        p.RelZ = mars[2] - earth[2];
        const double before = RadToDeg(AngleOf(p.RelY, p.RelX));
        ApplyAberration(kEarth, kMars, std::hypot(p.RelX, p.RelY, p.RelZ), p);
        const double ours = std::remainder(RadToDeg(AngleOf(p.RelY, p.RelX)) - before, 360) * 3600;
        EXPECT_NEAR(ours, theirs, 0.1) << T;
    }
}

} // namespace
} // namespace astrodesk
