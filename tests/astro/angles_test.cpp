#include "astro/angles.hpp"
#include "astro/number_text.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

// Reduction steps by whole turns, as the sidereal angle of any chart needs (at most some 12,000
// turns for the years 9999 B.C. and A.D.); only an argument beyond a million turns, which no
// chart reaches, jumps there by the exact remainder instead of looping for ever.
TEST(NumericRoutines, ReduceInPlaceByWholeTurnsJumpingOnlyBeyondAnyChart) {
    double angle = -0.5;
    Reduce2Pi(angle);
    EXPECT_DOUBLE_EQ(angle, 5.78318530717958);
    EXPECT_EQ(Reduce2Pi(kTwoPi), 0.0);
    EXPECT_EQ(Reduce360(720.0), 0.0);
    EXPECT_EQ(Reduce360(-30.0), 330.0);
    EXPECT_EQ(Reduce360(4.32e6 + 12.5), 12.5); // 12,000 turns, stepped
    EXPECT_LT(Reduce2Pi(kTwoPi - 1e-17), kTwoPi);
    EXPECT_NEAR(Reduce360(1e12 + 30.0), 310.0, 1e-3);
    const double far = Reduce360(1e300); // ends, and lands within one turn
    EXPECT_TRUE(far >= 0.0 && far < 360.0);
    EXPECT_DOUBLE_EQ(FracPart(-1.25), -0.25);
}

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

TEST(NumericRoutines, AnglesOfVectorsAndSums) {
    for (double degrees = 5.0; degrees < 360.0; degrees += 10.0) {
        const double a = DegToRad(degrees), b = -2.7;
        EXPECT_NEAR(AngleOf(3 * std::sin(a), 3 * std::cos(a)), a, 1e-13) << degrees;
        const Rotation sum = AddAngles(std::cos(a), std::sin(a), std::cos(b), std::sin(b));
        EXPECT_NEAR(AngleOf(sum.RotSin, sum.RotCos), Reduce2Pi(a + b), 1e-13) << degrees;
    }
    EXPECT_DOUBLE_EQ(AngleOf(-2.0, 0.0), 3 * kPi / 2);
    EXPECT_EQ(AngleOf(-1e-20, 1.0), 0.0); // a hair below the full turn is no 360 degrees
    EXPECT_LT(LongitudeDegrees(std::nextafter(kTwoPi, 0.0)), 360.0);
    EXPECT_EQ(AngleOf(0.0, 0.0), 0.0);
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

} // namespace
} // namespace astrodesk
