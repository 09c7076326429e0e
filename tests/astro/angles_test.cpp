#include "astro/angles.hpp"
#include "astro/fast_trig.hpp"
#include "astro/lanes.hpp"
#include "astro/number_text.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

// Lanes never cross a call (astro/lanes.hpp): GCC's note on their calling convention does not
// apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace astrodesk {
namespace {

// Reduction steps by whole turns, as the sidereal angle of any chart needs (at most some 12,000
// turns for the years 9999 B.C. and A.D.); only an argument beyond a million turns, which no
// chart reaches, jumps there by the exact remainder instead of looping for ever. Angles of
// vectors lie in one turn: a hair below the full turn is 0, never 360 degrees.
TEST(NumericRoutines, AnglesStayWithinOneTurn) {
    double angle = -0.5;
    Reduce2Pi(angle);
    EXPECT_DOUBLE_EQ(angle, kTwoPi - 0.5);
    EXPECT_EQ(Reduce2Pi(kTwoPi), 0.0);
    EXPECT_EQ(Reduce360(-30.0), 330.0);
    EXPECT_EQ(Reduce360(4.32e6 + 12.5), 12.5);
    EXPECT_LT(Reduce2Pi(kTwoPi - 1e-17), kTwoPi);
    EXPECT_NEAR(Reduce360(1e12 + 30.0), 310.0, 1e-3);
    const double far = Reduce360(1e300);
    EXPECT_TRUE(far >= 0.0 && far < 360.0);
    EXPECT_DOUBLE_EQ(FracPart(-1.25), -0.25);

    for (double degrees = 5.0; degrees < 360.0; degrees += 10.0) {
        const double a = DegToRad(degrees), b = -2.7;
        EXPECT_NEAR(AngleOf(3 * std::sin(a), 3 * std::cos(a)), a, 1e-13) << degrees;
        const Rotation sum = AddAngles(std::cos(a), std::sin(a), std::cos(b), std::sin(b));
        EXPECT_NEAR(AngleOf(sum.RotSin, sum.RotCos), Reduce2Pi(a + b), 1e-13) << degrees;
    }
    EXPECT_DOUBLE_EQ(AngleOf(-2.0, 0.0), 3 * kPi / 2);
    EXPECT_EQ(AngleOf(-1e-20, 1.0), 0.0);
    EXPECT_LT(LongitudeDegrees(std::nextafter(kTwoPi, 0.0)), 360.0);
    EXPECT_EQ(AngleOf(0.0, 0.0), 0.0);
}

// The guarded inverses stay finite where their arguments reach or pass +-1 or 0, and say so by
// the argument they leave behind.
TEST(NumericRoutines, GuardedInversesStayFinite) {
    double cosine = 0.0, sine = 1.0;
    EXPECT_NEAR(ArcCosSafe(cosine), kPi / 2, 1e-8);
    EXPECT_EQ(cosine, 1e-8);
    EXPECT_NEAR(ArcCosSafe(-0.5), -kPi / 3, 1e-14); // arc cosine less pi below zero
    EXPECT_EQ(ArcCosSafe(1.5), 0.0);
    const double nearlyRightAngle = ArcSinSafe(sine);
    EXPECT_EQ(sine, 0.9999999999999);
    EXPECT_TRUE(nearlyRightAngle < kPi / 2 && nearlyRightAngle > kPi / 2 - 1e-6);
    EXPECT_NEAR(ArcSinSafe(-2.0), -nearlyRightAngle, 1e-15);
}

TEST(NumericRoutines, NumberTexts) {
    EXPECT_EQ(LeadingNumber("0044"), 44.0);
    EXPECT_EQ(LeadingNumber(" -12x5"), -12.0);
    EXPECT_EQ(LeadingNumber("  "), 0.0);
    EXPECT_EQ(LeadingNumber("N3"), 0.0);
    for (auto [given, expected] : {std::pair{"7", "07"}, {"123", "23"}, {"", "0"}}) {
        std::string text = given;
        EXPECT_EQ(TwoDigitText(text), expected);
        EXPECT_EQ(text, expected);
    }
}

constexpr double kPiExact = 3.14159265358979323846;

// Within 2e-16 of std::cos and std::sin over four turns either way: on a grid, at random, and
// where the reduction changes its quarter turn and the reduced angle nearly cancels; exact at 0
// and the library's own values beyond the range of the reduction.
TEST(FastTrig, AgreesWithTheLibrary) {
    double worst = 0.0, worstAt = 0.0;
    const auto check = [&](double x) {
        const Rotation fast = SinCos(x);
        const double d =
            std::max(std::abs(fast.RotCos - std::cos(x)), std::abs(fast.RotSin - std::sin(x)));
        if (d > worst) std::tie(worst, worstAt) = std::pair(d, x);
    };
    constexpr int kSteps = 1'000'000;
    for (int i = -kSteps; i <= kSteps; ++i)
        check(8.0 * kPiExact * i / kSteps);
    std::mt19937_64 generator(7);
    std::uniform_real_distribution<double> uniform(-8.0 * kPiExact, 8.0 * kPiExact);
    for (int i = 0; i < 1'000'000; ++i)
        check(uniform(generator));
    for (int eighth = -64; eighth <= 64; ++eighth) {
        double x = eighth * kPiExact / 4.0;
        for (int step = 0; step < 20; ++step)
            x = std::nextafter(x, -100.0);
        for (int step = 0; step < 40; ++step, x = std::nextafter(x, 100.0))
            check(x);
    }
    check(kFastTrigRange);
    EXPECT_LE(worst, 2e-16) << "at " << worstAt;

    EXPECT_EQ(SinCos(0.0).RotCos, 1.0);
    EXPECT_EQ(SinCos(0.0).RotSin, 0.0);
    EXPECT_EQ(Sin(-1e-300), -1e-300);
    for (const double far : {kFastTrigRange * 1.0000001, -3e7, 1e300}) {
        EXPECT_EQ(Cos(far), std::cos(far)) << far;
        EXPECT_EQ(Sin(far), std::sin(far)) << far;
    }
    EXPECT_TRUE(std::isnan(Sin(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(Cos(std::numeric_limits<double>::quiet_NaN())));
}

// The lanes compute what one value at a time computes, to the bit and whatever the other lanes
// hold: the fractional part at the edges of whole numbers (2^51, 2^52, signed zeros, infinities
// and NaN) and the sine and cosine inside and beyond the range of their reduction.
TEST(Lanes, EachLaneBitForBitAsOneValue) {
    const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {
        0.0,          -0.0,          0.5,          -0.5,           1.0,         -1.0,       0x1p51,
        0x1p51 + 0.5, -0x1p51 - 0.5, 0x1p52 - 0.5, 0x1p52,         -0x1p52 + 1, 0x1p53 + 2, 1e300,
        inf,          -inf,          std::nan(""), kFastTrigRange, -3e7,        1e-300};
    std::mt19937_64 generator(11);
    std::uniform_real_distribution<double> uniform(-2000.0, 2000.0);
    for (int i = 0; i < 4000; ++i)
        values.push_back(uniform(generator));
    for (std::size_t i = 0; i + 3 < values.size(); ++i) {
        const Lanes x = {values[i], values[i + 1], values[i + 2], values[i + 3]};
        const Lanes fraction = FracPart(x);
        const LanesRotation rotation = SinCos(x);
        for (int lane = 0; lane < kLaneCount; ++lane) {
            const double v = x[lane];
            ASSERT_EQ(bits(fraction[lane]), bits(FracPart(v))) << v;
            ASSERT_EQ(bits(rotation.RotCos[lane]), bits(SinCos(v).RotCos)) << v;
            ASSERT_EQ(bits(rotation.RotSin[lane]), bits(SinCos(v).RotSin)) << v;
        }
    }
}

} // namespace
} // namespace astrodesk
