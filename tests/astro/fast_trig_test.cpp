#include "astro/fast_trig.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace astrodesk {
namespace {

constexpr double kLimit = 2e-16; // absolute, against the standard library
constexpr double kPiExact = 3.14159265358979323846;

// The largest deviation from std::cos and std::sin, and where it is.
struct Worst {
    double deviation = 0.0;
    double at = 0.0;

    void Check(double x) {
        const Rotation fast = SinCos(x);
        for (const double d :
             {std::abs(fast.RotCos - std::cos(x)), std::abs(fast.RotSin - std::sin(x))}) {
            if (d > deviation) {
                deviation = d;
                at = x;
            }
        }
    }
};

TEST(FastTrig, AgreesWithTheLibraryWithin2e16OverFourTurns) {
    Worst grid, random, nearQuarterTurns;
    constexpr int kSteps = 1'000'000;
    for (int i = -kSteps; i <= kSteps; ++i)
        grid.Check(8.0 * kPiExact * i / kSteps);
    std::mt19937_64 generator(7);
    std::uniform_real_distribution<double> uniform(-8.0 * kPiExact, 8.0 * kPiExact);
    for (int i = 0; i < 1'000'000; ++i)
        random.Check(uniform(generator));
    // Where the reduction changes its quarter turn, and where the reduced angle nearly cancels.
    for (int eighth = -64; eighth <= 64; ++eighth) {
        double x = eighth * kPiExact / 4.0;
        for (int step = 0; step < 20; ++step)
            x = std::nextafter(x, -100.0);
        for (int step = 0; step < 40; ++step, x = std::nextafter(x, 100.0))
            nearQuarterTurns.Check(x);
    }
    for (const Worst* w : {&grid, &random, &nearQuarterTurns})
        EXPECT_LE(w->deviation, kLimit) << "at " << w->at;
}

TEST(FastTrig, ExactAtZeroAndTheLibraryBeyondItsRange) {
    EXPECT_EQ(SinCos(0.0).RotCos, 1.0);
    EXPECT_EQ(SinCos(0.0).RotSin, 0.0);
    EXPECT_EQ(Sin(-1e-300), -1e-300);
    for (const double far : {kFastTrigRange * 1.0000001, -3e7, 1e300}) {
        EXPECT_EQ(Cos(far), std::cos(far)) << far;
        EXPECT_EQ(Sin(far), std::sin(far)) << far;
    }
    EXPECT_NEAR(Sin(kFastTrigRange), std::sin(kFastTrigRange), kLimit);
    EXPECT_TRUE(std::isnan(Sin(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(Cos(std::numeric_limits<double>::quiet_NaN())));
}

} // namespace
} // namespace astrodesk
