#include "astro/day_count.hpp"

#include "astro/number_text.hpp"

#include <cmath>
#include <string_view>

namespace astrodesk {

namespace {

// The number in a field of a fixed-position text; a missing field reads as 0.
double FieldNumber(std::string_view text, std::size_t first, std::size_t length) {
    return first < text.size() ? LeadingNumber(text.substr(first, length)) : 0.0;
}

// The number in the last two characters of a text.
double LastTwoNumber(std::string_view text) {
    return LeadingNumber(text.substr(text.size() < 2 ? 0 : text.size() - 2));
}

// Day number of the civil day (Julian Day at noon) of day D of month M of the astronomical
// year Y, Julian calendar up to 15 October 1582 and Gregorian afterwards.
double CivilDayNumber(double year, double month, double day) {
    // Months counted from March of year -4800, so that February ends each counting year.
    const double k = (year + 4800.0) * 12.0 + month - 3.0;
    double number = std::floor((365.0 * k + 2.0 * (k - 12.0 * std::floor(k / 12.0)) + 7.0) / 12.0) +
                    day + std::floor(k / 48.0) - 32083.0;
    constexpr double kLastJulianDayNumber = 2299171.0; // 15 October 1582 read as a Julian date
    if (number > kLastJulianDayNumber)
        number += std::floor(k / 4800.0) - std::floor(k / 1200.0) + 38.0;
    return number;
}

} // namespace

void ComputeDayCount(const ChartRecord& record, const WorkingCopies& working, ChartFrame& frame) {
    const std::string_view date = record.ChartDate;
    const std::string_view time = record.ChartTime;
    const double day = FieldNumber(date, 0, 2);
    const double month = FieldNumber(date, 2, 2);
    double year = FieldNumber(date, 4, 4);
    if (working.ChartEraFlag == 1.0) year = 1.0 - year; // astronomical numbering: 1 B.C. is 0

    const double hours = FieldNumber(time, 0, 2);
    const double minutes = FieldNumber(time, 2, 2);
    const double seconds = LastTwoNumber(time);
    frame.DayFraction = minutes / 1440.0 + hours / 24.0 + seconds / 86400.0;
    frame.DayFractionCopy = frame.DayFraction;

    // The civil day number is the Julian Date of its noon, hence the half day. The epoch is
    // taken off first so that the fraction of the day keeps its precision.
    const double daysFromEpoch = CivilDayNumber(year, month, day) - 2415020.0;
    frame.JulianCenturies = (daysFromEpoch + frame.DayFraction - 0.5) / 36525.0;
}

} // namespace astrodesk
