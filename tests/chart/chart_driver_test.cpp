// The chart driver: motion status, display slots, and whole charts computed from a record.

#include "chart/chart_driver.hpp"
#include "ephemeris/mean_orbits.hpp"
#include "support/chart_setup.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

// Motion code of a body whose longitudes before, at and after the chart time are given.
std::int16_t Motion(double earlier, double now, double later) {
    PositionTables p;
    p.PassLongitude[4] = earlier;
    p.PassLongitude[4 + 22] = now;
    p.PassLongitude[4 + 11] = later;
    SetMotionStatus(p);
    return p.BodyMotion[4];
}

TEST(MotionStatus, DirectRetrogradeAndBothStations) {
    EXPECT_EQ(Motion(1.0, 1.1, 1.2), 0);
    EXPECT_EQ(Motion(1.2, 1.1, 1.0), 1);
    EXPECT_EQ(Motion(1.0, 1.1, 1.05), 2); // came forward, turns back
    EXPECT_EQ(Motion(1.1, 1.0, 1.05), 3); // came back, turns forward
    // Straddling 0 is continuous motion, whichever way.
    EXPECT_EQ(Motion(6.28, 0.001, 0.002), 0);
    EXPECT_EQ(Motion(0.002, 0.001, 6.28), 1);
}

// Internal indices filled with recognisable values: longitude k, latitude k/100, distance k+20.
PositionTables NumberedPositions() {
    PositionTables p;
    for (int k = 0; k <= 10; ++k) {
        p.BodyLongitude[k] = k;
        p.BodyLatitude[k] = k / 100.0;
        p.BodyDistance[k] = k + 20.0;
        p.BodyMotion[k] = static_cast<std::int16_t>(k % 4);
    }
    p.BodyLongitude[17] = 17.0; // Midheaven
    p.BodyLongitude[18] = 18.0; // Ascendant
    p.BodyLongitude[19] = 19.0; // Vertex
    return p;
}

TEST(ReorderSlots, GeocentricHeliocentricAndMarsCentred) {
    PositionTables geo = NumberedPositions();
    ReorderSlots(geo, 3);
    EXPECT_EQ(geo.BodyLongitude[1], 3.0); // the Sun seen from the Earth
    EXPECT_EQ(geo.BodyMotion[1], 3);
    EXPECT_EQ(geo.BodyLongitude[2], 0.0); // the Moon
    EXPECT_EQ(geo.BodyMotion[2], 0);
    EXPECT_EQ(geo.BodyLongitude[5], 18.0); // the Earth's slot holds the Ascendant
    EXPECT_EQ(geo.BodyDistance[5], 0.0);
    EXPECT_EQ(geo.BodyLongitude[6], 4.0);  // Mars
    EXPECT_EQ(geo.BodyDistance[12], 30.0); // ZED
    EXPECT_EQ(geo.BodyLongitude[13], 18.0);
    EXPECT_EQ(geo.BodyLongitude[14], 17.0);
    EXPECT_EQ(geo.BodyLongitude[15], 19.0);

    PositionTables helio = NumberedPositions();
    ReorderSlots(helio, 0);
    EXPECT_EQ(helio.BodyLongitude[1], 18.0);
    EXPECT_EQ(helio.BodyDistance[1], 0.0);
    EXPECT_EQ(helio.BodyMotion[1], 0);
    EXPECT_EQ(helio.BodyLongitude[5], 3.0); // the Earth seen from the Sun

    PositionTables mars = NumberedPositions();
    ReorderSlots(mars, 4);
    EXPECT_EQ(mars.BodyLongitude[1], 4.0); // the Sun seen from Mars
    EXPECT_EQ(mars.BodyLongitude[6], 18.0);
    EXPECT_EQ(mars.BodyLongitude[5], 3.0);
}

class WholeChart : public ::testing::Test {
  protected:
    std::vector<std::string> Listing() {
        PictureBox page(638, 428);
        ComputeChartPage(state_, page);
        return page.TextLines();
    }
    ProgramState state_ = testing::LoadedState();
};

TEST_F(WholeChart, GeocentricListingOfAKnownMoment) {
    testing::SetRecord(state_.record, {10, 2, 1993, 20, 15, 30, 51, 33, false, 0, 40, true});
    state_.record.ChartName = "A NAME LONGER THAN TWENTY-THREE";
    const auto lines = Listing();
    ASSERT_GE(lines.size(), 23u);
    EXPECT_EQ(lines[4], "THE SUN       22\xB0 AQ 06' 50.1\"            00\xB0 S 00' 01\"  "
                        ".986957739560333");
    EXPECT_EQ(lines[8], "MARS          08\xB0 CN 48' 09.2\"   R        03\xB0 N 45' 16\"  "
                        ".775611020816564");
    EXPECT_EQ(lines[18], "VERTEX        22\xB0 PI 27' 26.5\"            NAME = A NAME LONGER THAN "
                         "TWEN");
    EXPECT_EQ(lines[20], "HOROSCOPE AS SEEN FROM THE EARTH          LON = 000E40");
    // The record is back in its display forms, and a second run gives the same chart.
    EXPECT_EQ(state_.record.ChartDate, "10-02-1993");
    EXPECT_EQ(state_.record.ChartTime, "20:15:30");
    EXPECT_EQ(state_.options.ClockOn, 0);
    EXPECT_EQ(state_.working.ChartReady, 1);
    const PositionTables first = state_.positions;
    EXPECT_EQ(Listing(), lines);
    EXPECT_EQ(state_.positions.BodyLongitude, first.BodyLongitude);
}

TEST_F(WholeChart, PlutoFollowsItsMeanOrbitBeyondTheSeriesRange) {
    testing::SetRecord(state_.record, {1, 6, 2150, 0, 0, 0, 0, 0, false, 0, 0, false});
    state_.options.CentreBody = 0; // heliocentric: no observer, so the orbit shows directly
    Listing();
    PositionTables orbit;
    PlutoMeanOrbit(state_.frame.JulianCenturies, orbit);
    EXPECT_NEAR(state_.positions.BodyDistance[11], orbit.TheoryR, 1e-9);
}

} // namespace
} // namespace astrodesk
