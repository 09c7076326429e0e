#include "astro/day_count.hpp"
#include "support/comparison.hpp"

#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

// Julian Date of compact date and time texts ("DDMMYYYY", "HHMMSS"), by the day count.
double JulianDate(std::string date, std::string time, double eraFlag = 0.0) {
    ChartFrame frame;
    ComputeDayCount(ChartRecord{"", date, time, "", "", "", 0}, WorkingCopies{0, eraFlag}, frame);
    EXPECT_EQ(frame.DayFractionCopy, frame.DayFraction);
    return 2415020.0 + 36525.0 * frame.JulianCenturies;
}

TEST(DayCount, EpochsSwitchEraAndLeapDays) {
    EXPECT_EQ(JulianDate("01012000", "120000"), 2451545.0); // exactly 1 century from 1900
    EXPECT_NEAR(JulianDate("31121899", "120000"), 2415020.0, 1e-9);
    EXPECT_NEAR(JulianDate("01012000", "000000"), 2451544.5, 1e-9);
    EXPECT_NEAR(JulianDate("01012000", "235959"), 2451545.49998843, 1e-8);
    // 15 October 1582 is still read as a Julian date, the gap before it too.
    for (auto [date, expected] : {std::pair{"04101582", 2299160.0},
                                  {"10101582", 2299166.0},
                                  {"15101582", 2299171.0},
                                  {"16101582", 2299162.0}})
        EXPECT_NEAR(JulianDate(date, "120000"), expected, 1e-9) << date;
    EXPECT_NEAR(JulianDate("01010001", "120000", 1.0), swe_julday(0, 1, 1, 12, SE_JUL_CAL), 1e-9);
    EXPECT_NEAR(JulianDate("15030044", "120000", 1.0), swe_julday(-43, 3, 15, 12, SE_JUL_CAL),
                1e-9);
    EXPECT_NEAR(JulianDate("29021999", "120000"), JulianDate("01031999", "120000"), 1e-9);
    EXPECT_NEAR(JulianDate("29022000", "120000"), JulianDate("01032000", "120000") - 1, 1e-9);
}

TEST(DayCount, AgreesWithSwissEphemerisInBothCalendars) {
    auto pick = testing::RandomPick(1582);
    for (int trial = 0; trial < 500; ++trial) {
        const int year = pick(1, 9999), month = pick(1, 12), day = pick(1, 28), hour = pick(0, 23);
        const std::string date = testing::Format("%02d%02d%04d", day, month, year);
        const int calendar = year * 10000 + month * 100 + day > 15821015 ? SE_GREG_CAL : SE_JUL_CAL;
        EXPECT_NEAR(JulianDate(date, testing::Format("%02d%02d%02d", hour, 30, 15)),
                    swe_julday(year, month, day, hour + 30.25 / 60, calendar), 1e-6)
            << date;
    }
}

} // namespace
} // namespace astrodesk
