#include "astro/day_count.hpp"
#include "support/comparison.hpp"

#include <gtest/gtest.h>
#include <random>
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

// The day count's texts of a moment: "DDMMYYYY" with the era's year, "HHMMSS", the era flag.
double CenturiesOf(const CalendarMoment& m) {
    const bool bc = m.year <= 0;
    ChartFrame frame;
    ComputeDayCount(
        ChartRecord{"", testing::Format("%02d%02d%04d", m.day, m.month, bc ? 1 - m.year : m.year),
                    testing::Format("%02d%02d%02d", m.hour, m.minute, m.second), "", "", "", 0},
        WorkingCopies{0, bc ? 1.0 : 0.0}, frame);
    return frame.JulianCenturies;
}

TEST(CalendarMoment, ReadsBackToTheSameSecondOverTheWholeEntryRange) {
    // 01-01-9999 B.C. 00:00:00 to 31-12-9999 A.D. 23:59:59, in whole seconds from JD 2415020.0.
    const double first = CenturiesOf({-9998, 1, 1, 0, 0, 0});
    const double last = CenturiesOf({9999, 12, 31, 23, 59, 59});
    const long long firstSecond = std::llround(first * 36525 * 86400);
    const long long span = std::llround((last - first) * 36525 * 86400);
    std::mt19937_64 engine(1582);
    for (int trial = 0; trial < 20000; ++trial) {
        const long long second =
            firstSecond + std::uniform_int_distribution<long long>(0, span)(engine);
        const double t = static_cast<double>(second) / (36525.0 * 86400.0);
        const CalendarMoment moment = CalendarMomentOf(t);
        ASSERT_EQ(std::llround(CenturiesOf(moment) * 36525 * 86400), second)
            << moment.day << "-" << moment.month << "-" << moment.year;
        // The calendar of the date against Swiss Ephemeris.
        int year, month, day;
        double hours;
        const double jd = 2415020.0 + t * 36525.0;
        swe_revjul(jd, jd < 2299161.5 ? SE_JUL_CAL : SE_GREG_CAL, &year, &month, &day, &hours);
        ASSERT_EQ((CalendarMoment{year, month, day, moment.hour, moment.minute, moment.second}),
                  moment);
    }
}

TEST(CalendarMoment, RoundsToTheSecondBeforeSplittingTheDay) {
    // 12:35:00 less a microsecond stays 12:35:00; half a second rounds up across midnight.
    const double noonish = CenturiesOf({2000, 1, 1, 12, 35, 0}) - 1e-6 / 86400 / 36525;
    EXPECT_EQ(CalendarMomentOf(noonish), (CalendarMoment{2000, 1, 1, 12, 35, 0}));
    const double lastHalfSecond = CenturiesOf({1999, 12, 31, 23, 59, 59}) + 0.5 / 86400 / 36525;
    EXPECT_EQ(CalendarMomentOf(lastHalfSecond), (CalendarMoment{2000, 1, 1, 0, 0, 0}));
}

TEST(CalendarMoment, TheReformOfOctober1582) {
    // JD 2299160 and 2299161 are Julian 4 and 5 October; the next day is Gregorian 16 October.
    const auto noonOf = [](double jd) { return (jd - 2415020.0) / 36525.0; };
    EXPECT_EQ(CalendarMomentOf(noonOf(2299160.0)), (CalendarMoment{1582, 10, 4, 12, 0, 0}));
    EXPECT_EQ(CalendarMomentOf(noonOf(2299161.0)), (CalendarMoment{1582, 10, 5, 12, 0, 0}));
    EXPECT_EQ(CalendarMomentOf(noonOf(2299162.0)), (CalendarMoment{1582, 10, 16, 12, 0, 0}));
    // Dates the day count reads as Julian (5 to 15 October) come back as the same moment.
    for (int day = 4; day <= 16; ++day) {
        const double t = CenturiesOf({1582, 10, day, 6, 0, 0});
        EXPECT_EQ(std::llround(CenturiesOf(CalendarMomentOf(t)) * 36525 * 86400),
                  std::llround(t * 36525 * 86400))
            << day;
    }
}

} // namespace
} // namespace astrodesk
