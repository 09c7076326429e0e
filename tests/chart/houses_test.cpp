#include "astro/angles.hpp"
#include "chart/houses.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

ChartFrame CuspsOf(ChartFrame frame, std::int16_t system) {
    Options options;
    options.HouseSystem = system;
    ComputeHouseCusps(options, frame);
    return frame;
}

bool InOneTurn(double angle) {
    return angle >= 0.0 && angle <= kTwoPi;
}

// On the equator and from 66 degrees to the poles, north and south, at every hour of the day:
// the angles and the cusps of every system lie in one turn (never NaN), and Placidus and Koch
// give way to equal houses, with the notice, exactly inside the polar circles.
TEST(Houses, StayDefinedOnTheEquatorAndInThePolarCircles) {
    std::vector<std::string> latitudes = {"00N00", "00S00"};
    for (int degrees = 66; degrees <= 89; ++degrees)
        for (const char* rest : {"N00", "S00", "N30", "S30", "N60", "S60"})
            latitudes.push_back(std::to_string(degrees) + rest);
    for (const std::string& latitude : latitudes) {
        for (int hour = 0; hour < 24; ++hour) {
            ChartFrame frame;
            frame.JulianCenturies = 0.93;
            frame.DayFraction = hour / 24.0;
            PositionTables positions;
            ComputeAngles(ChartRecord{"", "", "", latitude, "002W13", "", 0}, frame, positions);
            for (double angle : {frame.Midheaven, frame.Ascendant, frame.Vertex})
                ASSERT_TRUE(InOneTurn(angle)) << latitude << " at " << hour;
            const bool polar = std::abs(frame.Latitude) > kPi / 2 - frame.Obliquity;
            for (std::int16_t system = kEqualHouse; system <= kKoch; ++system) {
                const ChartFrame houses = CuspsOf(frame, system);
                const bool fallsBack = polar && (system == kPlacidus || system == kKoch);
                ASSERT_EQ(houses.HouseSystemUndefined, fallsBack) << latitude << ' ' << system;
                if (fallsBack) {
                    EXPECT_EQ(houses.HouseCusp, CuspsOf(frame, kEqualHouse).HouseCusp);
                }
                for (int house = 1; house <= 12; ++house)
                    ASSERT_TRUE(InOneTurn(houses.HouseCusp[house])) << latitude << ' ' << system;
            }
            for (auto semiArcSystem : {PlacidusCusps, KochCusps}) { // called on their own
                ChartFrame alone = frame;
                semiArcSystem(alone);
                for (double cusp : alone.HouseCusp)
                    ASSERT_TRUE(std::isfinite(cusp));
            }
        }
    }
}

TEST(Houses, UnknownSystemLeavesTheCuspsAlone) {
    ChartFrame frame;
    frame.HouseCusp.fill(1.5);
    frame.HouseSystemUndefined = true;
    for (std::int16_t system : {-1, 5}) {
        const ChartFrame unchanged = CuspsOf(frame, system);
        EXPECT_EQ(unchanged.HouseCusp, frame.HouseCusp);
        EXPECT_FALSE(unchanged.HouseSystemUndefined);
    }
}

} // namespace
} // namespace astrodesk
