#include "astro/angles.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace astrodesk {
namespace {

using Lines = std::vector<std::string>;

constexpr double Dms(double degrees, double minutes, double seconds) {
    return degrees + minutes / 60.0 + seconds / 3600.0;
}

// Display slots 1..12: longitude and latitude (degrees), distance (AU) and motion code.
constexpr double kLongitudes[] = {Dms(15, 30, 12.3),  Dms(123, 45, 6.7), Dms(29, 59, 30.4),
                                  Dms(45, 1, 2.2),    Dms(200, 2, 3.4),  Dms(310, 10, 10.1),
                                  Dms(95, 15, 44.4),  Dms(181, 0, 0.6),  Dms(241, 22, 33.3),
                                  Dms(271, 44, 55.5), Dms(331, 3, 4.1),  Dms(359, 59, 1.2)};
constexpr double kLatitudes[] = {Dms(0, 0, 0.36),  -Dms(5, 7, 24.24), -Dms(2, 14, 5.3),
                                 Dms(3, 33, 33.3), Dms(0, 0, 0),      -Dms(0, 45, 15.6),
                                 Dms(0, 30, 1),    Dms(2, 2, 2),      -Dms(0, 1, 1),
                                 Dms(1, 11, 11),   Dms(15, 31, 40),   Dms(0, 0, 0)};
constexpr double kDistances[] = {1.00325, 0,     .61234, 1.5,  0,    2.25,
                                 5.2034,  10.05, 19.2,   30.1, 39.5, 45.0123456789012};
constexpr std::int16_t kMotions[] = {0, 0, 1, 2, 0, 3, 0, 1, 0, 0, 0, 0};

ProgramState ChartSeenFrom(std::int16_t centre) {
    ProgramState state;
    BuildBodyTables(state.bodies);
    state.working.ChartCentre = centre;
    PositionTables& positions = state.positions;
    positions.HelioDistance.fill(1.0); // every series gives a place in space
    for (int slot = 1; slot <= 12; ++slot) {
        positions.BodyLongitude[slot] = DegToRad(kLongitudes[slot - 1]);
        positions.BodyLatitude[slot] = DegToRad(kLatitudes[slot - 1]);
        positions.BodyDistance[slot] = kDistances[slot - 1];
        positions.BodyMotion[slot] = kMotions[slot - 1];
    }
    positions.LunarNode = Dms(100, 12, 13.4);
    positions.BodyLongitude[17] = DegToRad(Dms(110, 20, 30.5)); // Midheaven
    positions.BodyLongitude[18] = DegToRad(Dms(200, 2, 3.4));   // Ascendant
    positions.BodyLongitude[19] = DegToRad(Dms(20, 40, 50.7));  // Vertex
    const double cusps[] = {Dms(230, 31, 0.9), Dms(262, 7, 7.7), 0, Dms(320, 20, 20.2),
                            Dms(350, 50, 50.8)};
    for (int house = 2; house <= 6; ++house)
        state.frame.HouseCusp[house] = DegToRad(cusps[house - 2]);
    state.record = {
        "A NAME LONGER THAN TWENTY-THREE", "06-12-2026", "08:05:30", "53N28", "002W13", "A.D.", 0};
    return state;
}

// The body rows only, with the first column (the body's name) trimmed.
Lines ListedNames(std::int16_t centre) {
    PictureBox box(640.0, 450.0);
    ListBodies(ChartSeenFrom(centre), box);
    Lines names;
    for (const std::string& line : box.TextLines())
        if (!line.empty()) names.push_back(line.substr(0, line.find("  ")));
    return names;
}

TEST(TextFormsTest, LongitudeLatitudeAndMotionMark) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, const char*> longitudes[] = {
        {0.0, "00° AR 00' 00.0\""},
        {15.5, "15° AR 30' 00.0\""},
        {359.99999, "29° PI 59' 60.0\""},          // the tenth carries into the seconds
        {Dms(10, 20, 59.96), "10° AR 20' 60.0\""}, // ... and no further
        {-15.0, "15° PI 00' 00.0\""},
        {nan, "UNDEFINED       "}};
    for (const auto& [degrees, text] : longitudes)
        EXPECT_EQ(FormatLongitude(degrees), text) << degrees;
    const std::pair<double, const char*> latitudes[] = {{-1.5, "01° S 30' 00\""},
                                                        {-Dms(0, 0, 30), "00° S 00' 30\""},
                                                        {Dms(2, 3, 59.6), "02° N 03' 60\""},
                                                        {nan, "UNDEFINED    "}};
    for (const auto& [degrees, text] : latitudes)
        EXPECT_EQ(FormatLatitude(degrees), text) << degrees;
    EXPECT_EQ((Lines{MotionMark(1), MotionMark(2), MotionMark(3), MotionMark(4), MotionMark(-1)}),
              (Lines{"   R", "   SR", "   SD", "   ", "   "}));
}

TEST(ListingTest, GeocentricPage) {
    ProgramState state = ChartSeenFrom(3);
    PictureBox box(640.0, 450.0);
    ListChartPage(state, box);
    EXPECT_EQ(
        box.TextLines(),
        (Lines{
            state.ProductBanner,
            "",
            "PLANET        LONGITUDE                   LATITUDE       DISTANCE (A.U.)",
            "",
            "THE SUN       15° AR 30' 12.3\"            00° N 00' 00\"  1.00325",
            "THE MOON      03° LE 45' 06.7\"            05° S 07' 24\"  NODE =10° CN 12' 13.4\"",
            "MERCURY       29° AR 59' 30.4\"   R        02° S 14' 05\"  .61234",
            "VENUS         15° TA 01' 02.2\"   SR       03° N 33' 33\"  1.5",
            "MARS          10° AQ 10' 10.1\"   SD       00° S 45' 16\"  2.25",
            "JUPITER       05° CN 15' 44.4\"            00° N 30' 01\"  5.2034",
            "SATURN        01° LI 00' 00.6\"   R        02° N 02' 02\"  10.05",
            "URANUS        01° SG 22' 33.3\"            00° S 01' 01\"  19.2",
            "NEPTUNE       01° CP 44' 55.5\"            01° N 11' 11\"  30.1",
            "PLUTO         01° PI 03' 04.1\"            15° N 31' 40\"  39.5",
            "ZED           29° PI 59' 01.2\"            00° N 00' 00\"  45.0123456789012",
            "",
            "ASCENDANT     20° LI 02' 03.4\"            DATE = 06-12-2026 A.D.",
            "MIDHEAVEN     20° CN 20' 30.5\"            TIME = 08:05:30",
            "VERTEX        20° AR 40' 50.7\"            NAME = A NAME LONGER THAN TWEN",
            "                                          LAT = 53N28",
            "HOROSCOPE AS SEEN FROM THE EARTH          LON = 002W13",
            "CUSP 2        20° SC 31' 00.9\"            CUSP 3        22° SG 07' 07.7\"",
            "CUSP 5        20° AQ 20' 20.2\"            CUSP 6        20° PI 50' 50.8\"",
        }));
    EXPECT_EQ(state.positions.PositionText[1], "15° AR 30' 12.3");
    EXPECT_EQ(state.positions.PositionText[12], "29° PI 59' 01.2");
}

TEST(ListingTest, HeliocentricChartBeforeChristWithUndefinedHouseSystemAndAGreekName) {
    ProgramState state = ChartSeenFrom(0);
    state.working.ChartEraFlag = 1.0;
    state.frame.HouseSystemUndefined = true;
    state.record.ChartName = "Παπαδόπουλος Zoë Müller-Ñúñez"; // 23 characters shown, 41 bytes
    PictureBox box(640.0, 450.0);
    ListBodies(state, box);
    PrintAngleBlock(state, box);
    box.PrintEmptyLine();
    const Lines lines = box.TextLines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "MERCURY       29° AR 59' 30.4\"   R        02° S 14' 05\"  .61234");
    EXPECT_EQ(lines[2], "THE EARTH     20° LI 02' 03.4\"            00° N 00' 00\"  0");
    EXPECT_EQ(lines[11], "ASCENDANT     20° LI 02' 03.4\"            DATE = 06-12-2026 B.C.");
    EXPECT_EQ(lines[13],
              "VERTEX        20° AR 40' 50.7\"            NAME = Παπαδόπουλος Zoë Müller");
    EXPECT_EQ(lines[15], "HOROSCOPE AS SEEN FROM THE SUN            LON = 002W13");
    EXPECT_EQ(lines[18], "HOUSE SYSTEM UNDEFINED AT THIS LATITUDE: EQUAL HOUSES SHOWN");
}

TEST(ListingTest, PlanetCentredChartsLeaveOutTheCentreAndTheMoon) {
    EXPECT_EQ(ListedNames(0), (Lines{"MERCURY", "VENUS", "THE EARTH", "MARS", "JUPITER", "SATURN",
                                     "URANUS", "NEPTUNE", "PLUTO", "ZED"}));
    EXPECT_EQ(ListedNames(4), (Lines{"THE SUN", "MERCURY", "VENUS", "THE EARTH", "JUPITER",
                                     "SATURN", "URANUS", "NEPTUNE", "PLUTO", "ZED"}));
    EXPECT_EQ(ListedNames(10), (Lines{"THE SUN", "MERCURY", "VENUS", "THE EARTH", "MARS", "JUPITER",
                                      "SATURN", "URANUS", "NEPTUNE", "PLUTO"}));
}

} // namespace
} // namespace astrodesk
