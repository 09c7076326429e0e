#include "shell/output_screen.hpp"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace astrodesk {
namespace {

// The general format by an independent route: the C library's "%.15G", then the zero before
// the point dropped.
std::string LibraryGeneralText(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15G", value);
    std::string general = text;
    const std::size_t digits = general[0] == '-' ? 1 : 0;
    if (general.compare(digits, 2, "0.") == 0) general.erase(digits, 1);
    return general;
}

TEST(GeneralNumberTextTest, AgreesWithTheLibraryFromTinyToHuge) {
    std::mt19937_64 random(1993);
    std::uniform_real_distribution<double> decade(-7.0, 17.0);
    for (int n = 0; n < 200000; ++n) {
        const double value = std::copysign(std::pow(10.0, decade(random)), n % 2 - 0.5);
        ASSERT_EQ(GeneralNumberText(value), LibraryGeneralText(value)) << value;
    }
    for (const double value : {1e-4, std::nextafter(1e-4, 0.0), 1e15, std::nextafter(1e15, 0.0),
                               999999999999999.4, 0.1 + 0.2, 5e-324, 1.7e308})
        EXPECT_EQ(GeneralNumberText(value), LibraryGeneralText(value)) << value;
}

// A sixteenth significant digit that is exactly 5 rounds the fifteenth to even, and a carry
// can reach a new leading digit or the exponent form.
TEST(GeneralNumberTextTest, ExactHalvesRoundToEven) {
    EXPECT_EQ(GeneralNumberText(100000000000000.5), "100000000000000");
    EXPECT_EQ(GeneralNumberText(100000000000001.5), "100000000000002");
    EXPECT_EQ(GeneralNumberText(-10000000000000.25), "-10000000000000.2");
    EXPECT_EQ(GeneralNumberText(999999999999999.5), "1E+15");
    // q / 2^j is exact; with q x 5^j a sixteen-digit odd number it ends in that 5.
    std::mt19937_64 random(7);
    for (int j = 1; j <= 20; ++j) {
        const double five = std::pow(5.0, j);
        const double lowest = std::ceil(1e15 / five), highest = std::floor(9.99e15 / five);
        std::uniform_real_distribution<double> pick(lowest, highest);
        for (int n = 0; n < 500; ++n) {
            const double q = 2.0 * std::floor(pick(random) / 2.0) + 1.0;
            if (q > highest) continue;
            const double value = std::ldexp(q, -j);
            ASSERT_EQ(GeneralNumberText(value), LibraryGeneralText(value)) << q << " / 2^" << j;
        }
    }
}

} // namespace
} // namespace astrodesk
