#include "astro/angles.hpp"
#include "astro/number_text.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

TEST(Reduction, BringsAnglesIntoOneTurnInPlace) {
    double angle = -0.5;
    EXPECT_DOUBLE_EQ(Reduce2Pi(angle), 5.78318530717958);
    EXPECT_DOUBLE_EQ(angle, 5.78318530717958);
    EXPECT_EQ(Reduce2Pi(kTwoPi), 0.0);
    EXPECT_NEAR(Reduce2Pi(-3 * kTwoPi - 1.0), kTwoPi - 1.0, 1e-12);
    EXPECT_EQ(Reduce360(720.0), 0.0);
    EXPECT_EQ(Reduce360(-30.0), 330.0);
    EXPECT_NEAR(Reduce360(1e9 + 30.0), 310.0, 1e-6); // far arguments end in range quickly
    EXPECT_DOUBLE_EQ(DegToRad(180.0), kPi);
    EXPECT_DOUBLE_EQ(RadToDeg(kPi / 2), 90.0);
}

TEST(FracPart, TruncatesTowardsZero) {
    EXPECT_DOUBLE_EQ(FracPart(-1.25), -0.25);
    EXPECT_DOUBLE_EQ(FracPart(-0.3), -0.3);
    EXPECT_DOUBLE_EQ(FracPart(2.75), 0.75);
}

TEST(GuardedInverses, StayFiniteAtZeroAndTheEnds) {
    double cosine = 0.0;
    EXPECT_NEAR(ArcCosSafe(cosine), kPi / 2, 1e-8);
    EXPECT_EQ(cosine, 1e-8);
    EXPECT_NEAR(ArcCosSafe(-0.5), -kPi / 3, 1e-14); // arc cosine minus pi below zero
    EXPECT_NEAR(ArcCosSafe(0.5), kPi / 3, 1e-14);
    EXPECT_EQ(ArcCosSafe(1.5), 0.0);
    double sine = 1.0;
    const double nearlyRight = ArcSinSafe(sine);
    EXPECT_EQ(sine, 0.9999999999999);
    EXPECT_LT(nearlyRight, kPi / 2);
    EXPECT_NEAR(nearlyRight, kPi / 2, 1e-6);
    EXPECT_NEAR(ArcSinSafe(-2.0), -nearlyRight, 1e-15);
    EXPECT_NEAR(ArcSinSafe(0.5), kPi / 6, 1e-14);
}

TEST(AddAngles, GivesCosineAndSineOfTheSum) {
    const double a = 1.1, b = -2.7;
    const Rotation sum = AddAngles(std::cos(a), std::sin(a), std::cos(b), std::sin(b));
    EXPECT_NEAR(sum.RotCos, std::cos(a + b), 1e-15);
    EXPECT_NEAR(sum.RotSin, std::sin(a + b), 1e-15);
}

TEST(AngleOf, FollowsTheVectorIntoEveryQuadrant) {
    for (double degrees = 5.0; degrees < 360.0; degrees += 10.0) {
        const double angle = DegToRad(degrees);
        EXPECT_NEAR(AngleOf(3 * std::sin(angle), 3 * std::cos(angle)), angle, 1e-13) << degrees;
    }
    EXPECT_DOUBLE_EQ(AngleOf(2.0, 0.0), kPi / 2);
    EXPECT_DOUBLE_EQ(AngleOf(-2.0, 0.0), 3 * kPi / 2);
    EXPECT_EQ(AngleOf(0.0, -1.0), 0.0);
    EXPECT_EQ(AngleOf(0.0, 0.0), 0.0);
}

TEST(NumberText, ReadsLeadingDigitsAndPadsTwoDigitFields) {
    EXPECT_EQ(LeadingNumber("0044"), 44.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("  "), 0.0);
    EXPECT_EQ(LeadingNumber("N3"), 0.0);
    EXPECT_EQ(LeadingNumber(" -12x5"), -12.0);
    for (auto [given, expected] : {std::pair{"7", "07"}, {"123", "23"}, {"45", "45"}, {"", "0"}}) {
        std::string text = given;
        EXPECT_EQ(TwoDigitText(text), expected);
        EXPECT_EQ(text, expected);
    }
}

} // namespace
} // namespace astrodesk
