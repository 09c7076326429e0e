// The chart driver: motion status, display slots, and whole charts computed from a record.

#include "chart/chart_driver.hpp"
#include "present/listing.hpp"
#include "support/chart_setup.hpp"

#include <gtest/gtest.h>
#include <swephexp.h>
#include <tuple>
#include <vector>

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

// The display slots of charts seen from the Earth, the Sun and Mars, from internal indices whose
// longitude is their own number (17, 18, 19: Midheaven, Ascendant, Vertex). The centre body's
// slot holds the Ascendant, with no distance; the Sun's slot holds the Sun seen from the centre.
TEST(ReorderSlots, GeocentricHeliocentricAndMarsCentred) {
    const std::pair<std::int16_t, std::vector<std::pair<int, double>>> cases[] = {
        {3, {{1, 3}, {2, 0}, {5, 18}, {6, 4}, {12, 10}, {13, 18}, {14, 17}, {15, 19}}},
        {0, {{1, 18}, {5, 3}}},
        {4, {{1, 4}, {5, 3}, {6, 18}}}};
    for (const auto& [centre, expected] : cases) {
        PositionTables p;
        for (int k : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18, 19})
            p.BodyLongitude[k] = k;
        p.BodyDistance.fill(1.0);
        ReorderSlots(p, centre);
        for (const auto& [slot, longitude] : expected)
            EXPECT_EQ(p.BodyLongitude[slot], longitude) << "centre " << centre << " slot " << slot;
        EXPECT_EQ(p.BodyDistance[CentreSlot(centre)], 0.0) << centre;
    }
}

class WholeChart : public ::testing::Test {
  protected:
    std::vector<std::string> Listing() {
        PictureBox page(638, 428);
        ComputeChartTables(state_);
        ListChartPage(state_, page);
        return page.TextLines();
    }
    ProgramState state_ = testing::LoadedState();
};

// The listing shows the record in its display forms, the record is left in them, the clock is
// stopped, and a second run gives the same chart.
TEST_F(WholeChart, ARecordChartedTwiceGivesTheSameChart) {
    testing::SetRecord(state_.record, {10, 2, 1993, 20, 15, 30, 51, 33, false, 0, 40, true});
    const auto lines = Listing();
    ASSERT_GE(lines.size(), 23u);
    EXPECT_TRUE(lines[16].ends_with("DATE = 10-02-1993 A.D.")) << lines[16];
    EXPECT_TRUE(lines[17].ends_with("TIME = 20:15:30")) << lines[17];
    EXPECT_EQ(std::tie(state_.record.ChartDate, state_.record.ChartTime, state_.options.ClockOn,
                       state_.working.ChartReady),
              std::tuple("10-02-1993", "20:15:30", 0, 1));
    const PositionTables first = state_.positions;
    EXPECT_EQ(Listing(), lines);
    EXPECT_EQ(state_.positions.BodyLongitude, first.BodyLongitude);
}

// Julian day (UT) at which Neptune, seen from the Earth, stood still in longitude in May 2000
// by Swiss Ephemeris: where its speed changes sign.
double NeptuneStationMay2000() {
    const auto speed = [](double jd) {
        double result[6];
        swe_calc_ut(jd, SE_NEPTUNE, SEFLG_MOSEPH | SEFLG_SPEED, result, nullptr);
        return result[3];
    };
    double direct = swe_julday(2000, 5, 1, 0.0, SE_GREG_CAL), retrograde = direct + 14.0;
    while (retrograde - direct > 1e-6) {
        const double middle = (direct + retrograde) / 2;
        (speed(middle) > 0 ? direct : retrograde) = middle;
    }
    return direct;
}

// A body turns "SR" when its longitude at the chart time exceeds those 0.00001 century (0.37
// day) before and after: within 0.18 day of the station. Every pass takes the nutation of its
// own time, whose change over the passes is as large as Neptune's motion there.
TEST_F(WholeChart, MotionMarksBeforeAtAndAfterAStation) {
    const auto neptuneMotion = [this](const testing::ChartMoment& moment) {
        testing::SetRecord(state_.record, moment);
        Listing();
        return state_.positions.BodyMotion[10];
    };
    const auto hoursFromStation = [station = NeptuneStationMay2000()](double hours) {
        int year, month, day;
        double hour;
        swe_revjul(station + (hours + 0.5 / 3600) / 24, SE_GREG_CAL, &year, &month, &day, &hour);
        const int seconds = static_cast<int>(hour * 3600); // to the second
        return testing::ChartMoment{
            day,   month, year, seconds / 3600, seconds / 60 % 60, seconds % 60, 51, 29,
            false, 0,     0,    false};
    };
    EXPECT_EQ(neptuneMotion(hoursFromStation(-10)), 0); // still direct
    EXPECT_EQ(neptuneMotion(hoursFromStation(-1)), 2);  // stationary, turning retrograde
    EXPECT_EQ(neptuneMotion(hoursFromStation(1)), 2);
    EXPECT_EQ(neptuneMotion(hoursFromStation(10)), 1); // retrograde
    // The two moments of the first report of the fault.
    EXPECT_EQ(neptuneMotion({8, 5, 2000, 7, 0, 0, 51, 29, false, 0, 0, false}), 0);
    EXPECT_EQ(neptuneMotion({8, 5, 2000, 16, 0, 0, 51, 29, false, 0, 0, false}), 2);
}

// Around 9000 B.C. the Uranus series gives a negative radius: Uranus, and every body seen from
// it but the geocentric Moon, has no distance to list; the others keep theirs, all positive.
TEST_F(WholeChart, NoDistanceWhereASeriesBreaksDownInDeepTime) {
    testing::SetRecord(state_.record, {1, 6, 9035, 12, 0, 0, 51, 29, false, 0, 0, false});
    state_.record.ChartEra = 1;
    for (std::int16_t centre : {3, 7}) {
        state_.options.CentreBody = centre;
        const auto lines = Listing();
        for (int slot = 1; slot <= 12; ++slot) {
            const bool none = UndefinedDistanceReason(state_, slot).has_value();
            // The Moon is always the geocentric Moon.
            const bool seenFromUranus = centre == 7 && slot != 2;
            EXPECT_EQ(none, slot == CentreSlot(centre) || slot == 9 || seenFromUranus) << slot;
            if (!none) {
                EXPECT_GT(state_.positions.BodyDistance[slot], 0.0) << slot;
            }
        }
        const std::string uranus = centre == 3 ? lines[11] : lines[4]; // or the Sun's row
        EXPECT_EQ(uranus.back(), '"') << uranus;                       // ends at the latitude
    }
}

// The three passes run side by side, one per vector lane; each must come out exactly as one
// moment alone gives it, whatever the centre, and where the passes straddle the end of Pluto's
// series (early in 2101), so that some lanes take the series and others the mean orbit.
TEST_F(WholeChart, EachPassAsOneMomentAloneGivesIt) {
    constexpr double kPassOffset[] = {-0.00001, 0.00001, 0.0};
    for (const int centre : {3, 0, 9}) {
        for (const int hour : {0, 6, 12, 18}) {
            testing::SetRecord(state_.record, {6, 1, 2101, hour, 0, 0, 40, 0, false, 3, 0, true});
            state_.options.CentreBody = static_cast<std::int16_t>(centre);
            ComputeChartTables(state_);
            ProgramState scratch = state_;
            for (int pass = 0; pass < 3; ++pass) {
                const ApparentPlaces alone = ComputeApparentPlaces(
                    scratch, state_.frame.JulianCenturies + kPassOffset[pass]);
                for (int k = 1; k <= 10; ++k) {
                    if (k == centre) continue; // its slot holds the Sun, apart in ApparentPlaces
                    EXPECT_EQ(alone.Longitude[k + 2], state_.positions.PassLongitude[k + 11 * pass])
                        << "centre " << centre << " hour " << hour << " pass " << pass << " body "
                        << k;
                }
            }
        }
    }
}

} // namespace
} // namespace astrodesk
