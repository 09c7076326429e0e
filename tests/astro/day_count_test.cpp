#include "astro/day_count.hpp"

#include <gtest/gtest.h>
#include <random>
#include <swephexp.h>

namespace astrodesk {
namespace {

// The frame the day count leaves for compact date and time texts.
ChartFrame DayCount(const char* date, const char* time, bool beforeChrist = false) {
    ChartRecord record;
    record.ChartDate = date;
    record.ChartTime = time;
    WorkingCopies working;
    working.ChartEraFlag = beforeChrist ? 1.0 : 0.0;
    ChartFrame frame;
    ComputeDayCount(record, working, frame);
    return frame;
}

constexpr double kMicroday = 1e-6;

// Julian Date of the instant of compact date and time texts.
double JulianDate(const char* date, const char* time, bool beforeChrist = false) {
    return DayCount(date, time, beforeChrist).JulianCenturies * 36525.0 + 2415020.0;
}

TEST(DayCount, CountsCenturiesFromTheEpoch) {
    EXPECT_EQ(DayCount("01012000", "120000").JulianCenturies, 1.0);
    EXPECT_EQ(DayCount("31121899", "120000").JulianCenturies, 0.0);
    const ChartFrame lastSecond = DayCount("10021993", "235959");
    EXPECT_NEAR(lastSecond.DayFraction, 0.99998843, 1e-8);
    EXPECT_EQ(lastSecond.DayFractionCopy, lastSecond.DayFraction);
    const ChartFrame midnight = DayCount("01012000", "000000");
    EXPECT_EQ(midnight.DayFraction, 0.0);
    EXPECT_NEAR(midnight.JulianCenturies, 1.0 - 0.5 / 36525, 1e-15);
}

TEST(DayCount, SwitchesToTheGregorianCalendarAfter15October1582) {
    EXPECT_NEAR(JulianDate("04101582", "120000"), 2299160.0, kMicroday);
    EXPECT_NEAR(JulianDate("15101582", "120000"), 2299171.0, kMicroday); // still Julian
    EXPECT_NEAR(JulianDate("16101582", "120000"), 2299162.0, kMicroday);
    EXPECT_NEAR(JulianDate("10101582", "120000"), 2299166.0,
                kMicroday); // the gap counts as Julian dates
}

TEST(DayCount, CountsEraAndLeapDays) {
    // 1 B.C. is year 0, 44 B.C. is year -43 (both Julian calendar).
    EXPECT_NEAR(JulianDate("01010001", "120000", true), swe_julday(0, 1, 1, 12.0, SE_JUL_CAL),
                kMicroday);
    EXPECT_NEAR(JulianDate("15030044", "120000", true), swe_julday(-43, 3, 15, 12.0, SE_JUL_CAL),
                kMicroday);
    EXPECT_NEAR(JulianDate("29022000", "120000"), JulianDate("28022000", "120000") + 1, kMicroday);
    EXPECT_NEAR(JulianDate("29021999", "120000"), JulianDate("01031999", "120000"), kMicroday);
}

TEST(DayCount, AgreesWithSwissEphemerisAcrossBothCalendars) {
    std::mt19937 random(1582);
    for (int trial = 0; trial < 500; ++trial) {
        const int year = std::uniform_int_distribution(1, 9999)(random);
        const int month = std::uniform_int_distribution(1, 12)(random);
        const int day = std::uniform_int_distribution(1, 28)(random);
        const int hour = std::uniform_int_distribution(0, 23)(random);
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%02d%02d%04d", day, month, year);
        std::snprintf(time, sizeof time, "%02d3015", hour);
        const bool gregorian = year * 10000 + month * 100 + day > 15821015;
        const double expected =
            swe_julday(year, month, day, hour + 30.25 / 60.0, gregorian ? SE_GREG_CAL : SE_JUL_CAL);
        EXPECT_NEAR(JulianDate(date, time), expected, kMicroday) << date;
    }
}

} // namespace
} // namespace astrodesk
