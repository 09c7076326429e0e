#include "astro/angles.hpp"
#include "interpret/factors.hpp"

#include <array>
#include <gtest/gtest.h>
#include <initializer_list>

namespace astrodesk {
namespace {

// The AspectCode entry of the factor slots 1 and 2 at the given longitudes (degrees).
int PairCode(double first, double second, std::int16_t orb) {
    Factors factors;
    factors.FactorLon[1] = first;
    factors.FactorLon[2] = second;
    ComputeAspects(factors, orb);
    return factors.AspectCode[AspectIndex(1, 2)];
}

// Factors of a chart whose display slots 1..12 lie at the given longitudes (degrees).
Factors FactorsOf(std::initializer_list<double> longitudes, std::int16_t centre) {
    PositionTables positions;
    int slot = 1;
    for (const double longitude : longitudes)
        positions.BodyLongitude[slot++] = DegToRad(longitude);
    Factors factors;
    ComputeFactors(positions, centre, factors);
    return factors;
}

// The 78 pairs i < j of the 13 factor slots fill the aspect table's entries 1 .. 78 in order.
TEST(AspectTableTest, PairsFillTheTableInOrder) {
    int entry = 0;
    for (int i = 1; i <= 12; ++i)
        for (int j = i + 1; j <= 13; ++j)
            EXPECT_EQ(AspectIndex(i, j), ++entry) << i << " " << j;
}

TEST(ComputeAspectsTest, EveryTypeAndGradeAtOrbsZeroSixAndTen) {
    struct Case {
        double first, second;
        std::int16_t orb;
        int code;
    };
    const Case cases[] = {
        {359.0, 1.0, 6, 13},   // 2 degrees apart across 0 Aries
        {0.0, 11.9, 6, 11},    // conjunction orb 12
        {0.0, 177.0, 6, 21},   // deviation of exactly half the orb: one star
        {0.0, 186.0, 6, 0},    // deviation equal to the orb: no aspect
        {200.0, 321.5, 6, 32}, // trine orb 4
        {10.0, 100.5, 6, 43},  // square orb 3
        {0.0, 61.9, 6, 51},    {0.0, 30.2, 6, 63},   {0.0, 150.4, 6, 72},
        {0.0, 45.5, 6, 82},    {0.0, 135.0, 6, 93},  {0.0, 19.0, 10, 11},
        {0.0, 4.9, 10, 13},    {0.0, 171.0, 10, 21}, {0.0, 153.0, 10, 0}, // inconjunct orb 10/6
        {0.0, 0.0, 0, 0}, // orb 0: not even an exact conjunction
    };
    for (const Case& c : cases)
        EXPECT_EQ(PairCode(c.first, c.second, c.orb), c.code) << c.first << " " << c.second;
}

TEST(ComputeAspectsTest, StrengthCountsEveryAspectOfASlot) {
    // Slots 1..11 in conjunction at 200.5 .. 205.5 degrees; slot 12 at 290 squares those up
    // to 203 (exclusive: 87 degrees apart is exactly the orb 3 off); slot 13 stays at 0.
    Factors factors;
    for (int slot = 1; slot <= 11; ++slot)
        factors.FactorLon[slot] = 200.0 + 0.5 * slot;
    factors.FactorLon[12] = 290.0;
    ComputeAspects(factors, 6);
    EXPECT_EQ(factors.AspectCode[AspectIndex(5, 12)], 41);
    const std::vector<int> strengths{11, 11, 11, 11, 11, 10, 10, 10, 10, 10, 10, 5, 0};
    for (int slot = 1; slot <= 13; ++slot)
        EXPECT_EQ(factors.FactorStrength[slot], strengths[static_cast<std::size_t>(slot - 1)])
            << slot;
}

TEST(ComputeFactorsTest, SignsAndElements) {
    const auto elements = [](const Factors& f) {
        return std::array{f.FireCount, f.EarthCount, f.AirCount, f.WaterCount};
    };
    const Factors spread = FactorsOf({0, 30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 359.9}, 3);
    for (int slot = 1; slot <= 12; ++slot)
        EXPECT_EQ(spread.FactorSign[slot], slot);
    EXPECT_EQ(elements(spread), (std::array{3.0, 3.0, 3.0, 3.0}));
    const Factors fire = FactorsOf({1, 125, 245, 10, 130, 250, 29, 149, 269, 15, 135, 255}, 3);
    EXPECT_EQ(elements(fire), (std::array{12.0, 0.0, 0.0, 0.0}));
}

TEST(ComputeFactorsTest, SectorsCountFromTheCentreSlot) {
    const auto sectors = [](const Factors& f) {
        return std::array{f.FactorHouse[1], f.FactorHouse[2], f.FactorHouse[3], f.FactorHouse[4],
                          f.FactorHouse[5], f.FactorHouse[6], f.FactorHouse[7]};
    };
    // Geocentric: the Earth slot 5 (the Ascendant) at 100 degrees is the reference. Slot 1 is
    // on it, slot 2 less than 30 degrees past it, slot 4 one degree before it.
    const Factors geocentric = FactorsOf({100, 129.9, 130.01, 99, 100, 280, 0}, 3);
    EXPECT_EQ(sectors(geocentric), (std::array<std::int16_t, 7>{1, 1, 2, 12, 1, 7, 9}));
    // Heliocentric: the Sun's slot 1 holds the reference.
    const Factors heliocentric = FactorsOf({200, 0, 0, 0, 230.5, 0, 199}, 0);
    EXPECT_EQ(sectors(heliocentric), (std::array<std::int16_t, 7>{1, 6, 6, 6, 2, 6, 12}));
}

} // namespace
} // namespace astrodesk
