#include "astro/day_count.hpp"

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

// The day count against Swiss Ephemeris where it departs from the plain calendar: 5 to 15 October
// 1582 are still read as Julian dates, so the day after 15 October comes before it; the B.C. era
// counts 1 B.C. as the astronomical year 0; a 29 February that the entry form takes in a common
// year is 1 March. (Every other date, in both calendars and eras, goes through the day count in
// the round trip of the record's texts of a moment.)
TEST(DayCount, TheReformTheErasAndTheLeapDays) {
    const struct {
        const char* date;
        double eraFlag;
        int year, month, day, calendar;
    } cases[] = {
        {"04101582", 0, 1582, 10, 4, SE_JUL_CAL},  {"10101582", 0, 1582, 10, 10, SE_JUL_CAL},
        {"15101582", 0, 1582, 10, 15, SE_JUL_CAL}, {"16101582", 0, 1582, 10, 16, SE_GREG_CAL},
        {"01010001", 1, 0, 1, 1, SE_JUL_CAL},      {"15030044", 1, -43, 3, 15, SE_JUL_CAL},
        {"29021999", 0, 1999, 3, 1, SE_GREG_CAL},  {"29022000", 0, 2000, 2, 29, SE_GREG_CAL}};
    for (const auto& c : cases)
        EXPECT_NEAR(JulianDate(c.date, "120000", c.eraFlag),
                    swe_julday(c.year, c.month, c.day, 12.0, c.calendar), 1e-9)
            << c.date;
}

} // namespace
} // namespace astrodesk
