#include "astro/day_count.hpp"

#include "astro/number_text.hpp"
#include "shell/record_rules.hpp"

#include <cmath>
#include <cstdio>
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

constexpr long long kSecondsPerDay = 86400;

// Floor division and its non-negative remainder.
constexpr long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
constexpr long long FloorMod(long long a, long long b) {
    return a - b * FloorDiv(a, b);
}

// Julian-calendar date of civil day number z (Richards' algorithm). Whole four-year cycles of
// 1461 days are added first so that every division works on positive numbers.
CalendarMoment JulianCalendarDate(long long z) {
    constexpr long long kCycles = 4000; // 16000 years: far before the earliest date entered
    const long long e = 4 * (z + 1401 + 1461 * kCycles) + 3;
    const long long h = 5 * (e % 1461 / 4) + 2;
    const int month = static_cast<int>((h / 153 + 2) % 12 + 1);
    const long long year = e / 1461 - 4716 + (14 - month) / 12 - 4 * kCycles;
    return {static_cast<int>(year), month, static_cast<int>(h % 153 / 5 + 1), 0, 0, 0};
}

// Gregorian date of civil day number z (days counted in 400-year eras from 1 March of year 0).
CalendarMoment GregorianDate(long long z) {
    const long long days = z - 1721120; // 1 March of year 0
    const long long era = FloorDiv(days, 146097);
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year),
            month,
            static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1),
            0,
            0,
            0};
}

// Characters first..first+count-1 (1-based) of a text, as much of them as there is.
std::string Characters(const std::string& text, std::size_t first, std::size_t count) {
    return first - 1 < text.size() ? text.substr(first - 1, count) : std::string();
}
std::string LastCharacters(const std::string& text, std::size_t count) {
    return text.size() > count ? text.substr(text.size() - count) : text;
}

} // namespace

void CompactDateAndTime(ChartRecord& record) {
    record.ChartDate = Characters(record.ChartDate, 1, 2) + Characters(record.ChartDate, 4, 2) +
                       LastCharacters(record.ChartDate, 4);
    record.ChartTime = Characters(record.ChartTime, 1, 2) + Characters(record.ChartTime, 4, 2) +
                       LastCharacters(record.ChartTime, 2);
}

void RestoreDateAndTime(ChartRecord& record) {
    record.ChartDate = Characters(record.ChartDate, 1, 2) + "-" +
                       Characters(record.ChartDate, 3, 2) + "-" +
                       LastCharacters(record.ChartDate, 4);
    record.ChartTime = Characters(record.ChartTime, 1, 2) + ":" +
                       Characters(record.ChartTime, 3, 2) + ":" +
                       LastCharacters(record.ChartTime, 2);
}

CalendarMoment CalendarMomentOf(double julianCenturies) {
    // Whole seconds from the midnight that begins civil day 2415020 (31 December 1899).
    const long long seconds =
        std::llround(julianCenturies * 36525.0 * kSecondsPerDay) + kSecondsPerDay / 2;
    const long long dayNumber = 2415020 + FloorDiv(seconds, kSecondsPerDay);
    const long long secondOfDay = FloorMod(seconds, kSecondsPerDay);
    // The day count reads 5 to 15 October 1582 as Julian dates, so JD 2299161 can only be
    // written as Julian 5 October; Gregorian dates start on 16 October 1582.
    constexpr long long kLastJulianWrittenDay = 2299161;
    CalendarMoment moment = dayNumber <= kLastJulianWrittenDay ? JulianCalendarDate(dayNumber)
                                                               : GregorianDate(dayNumber);
    moment.hour = static_cast<int>(secondOfDay / 3600);
    moment.minute = static_cast<int>(secondOfDay / 60 % 60);
    moment.second = static_cast<int>(secondOfDay % 60);
    return moment;
}

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
    frame.JulianCenturies = (daysFromEpoch + frame.DayFraction - 0.5) / kDaysPerJulianCentury;
}

ChartFrame DayCountOfRecord(const ChartRecord& record) {
    ChartRecord compact = record;
    CompactDateAndTime(compact);
    ChartFrame frame;
    ComputeDayCount(compact, WorkingCopies{0, record.ChartEra == 1 ? 1.0 : 0.0}, frame);
    return frame;
}

double RecordJulianCenturies(const ChartRecord& record) {
    return DayCountOfRecord(record).JulianCenturies;
}

double JulianCenturiesOfTexts(const std::string& date, const std::string& time, std::int16_t era) {
    ChartRecord record;
    record.ChartDate = date;
    record.ChartTime = time;
    record.ChartEra = era;
    return RecordJulianCenturies(record);
}

MomentTexts MomentTextsOf(const CalendarMoment& moment) {
    const bool beforeChrist = moment.year <= 0;
    char date[40], time[40];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", moment.day, moment.month,
                  beforeChrist ? 1 - moment.year : moment.year);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", moment.hour, moment.minute, moment.second);
    return {date, time, EraTextOf(beforeChrist ? 1 : 0), static_cast<std::int16_t>(beforeChrist)};
}

} // namespace astrodesk
