#pragma once

// The chart's time argument: Julian centuries from the record's date, Greenwich time and era.
// There is one time scale only: the time typed is used as it stands (no zone, no Delta-T).
//
// The Julian Day counts days from noon of 1 January 4713 B.C. of the proleptic Julian calendar
// (J. Meeus, Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, chapter 7). The day number of
// a civil date is found from the months counted since March of the astronomical year -4800, so
// that the leap day ends each counting year: whole 4-year cycles (1461 days) of the Julian
// calendar, then, past the reform, its correction to the Gregorian (less one day in each century
// year not divisible by 400). The inverse for the Julian calendar is E. G. Richards' algorithm
// ("Calendars", Explanatory Supplement to the Astronomical Almanac, 3rd ed., University Science
// Books 2013); for the Gregorian calendar the days are split into 400-year eras of 146097 days
// counted from 1 March of year 0, so that every era repeats the same pattern of leap years.

#include "shell/program_state.hpp"

#include <cstdint>
#include <string>

namespace astrodesk {

inline constexpr double kDaysPerJulianCentury = 36525.0;
// The day count's epoch JD 2415020.0 lies one Julian century before J2000.0 (JD 2451545.0), the
// epoch of the theories' time argument: centuries from J2000 are centuries from JD 2415020.0
// less this.
inline constexpr double kCenturyBetweenEpochs = 1.0;

// The record's date "DD-MM-YYYY" and time "HH:MM:SS" as the day count reads them, "DDMMYYYY" and
// "HHMMSS", and back.
void CompactDateAndTime(ChartRecord& record);
void RestoreDateAndTime(ChartRecord& record);

// Reads the compact texts ChartDate "DDMMYYYY" and ChartTime "HHMMSS" and the era flag
// (1.0 = B.C.), and sets DayFraction and DayFractionCopy (the time of day as a fraction of the
// day from Greenwich midnight, 0..1) and JulianCenturies: (JD - 2415020.0) / 36525, JD the
// Julian Date of the moment, so counted from JD 2415020.0 (1899 December 31, 12h). Dates up to
// 15 October 1582 count in the Julian calendar, later ones in the Gregorian; 1 B.C. is year 0.
void ComputeDayCount(const ChartRecord& record, const WorkingCopies& working, ChartFrame& frame);

// A moment as the chart record holds it: a civil date with its astronomical year (1 B.C. is 0)
// and the Greenwich time of day to the whole second.
struct CalendarMoment {
    int year, month, day;
    int hour, minute, second;
    friend bool operator==(const CalendarMoment&, const CalendarMoment&) = default;
};

// The exact inverse of ComputeDayCount: the moment `julianCenturies` (from JD 2415020.0),
// rounded to the whole second, as the date and time that the day count reads back as that
// moment. Days up to 5 October 1582 of the Julian calendar (JD 2299161, which the day count
// cannot reach as Gregorian 15 October) are written in the Julian calendar, later days in the
// Gregorian.
CalendarMoment CalendarMomentOf(double julianCenturies);

// The day count of a record at rest (date "DD-MM-YYYY", time "HH:MM:SS", era 0 A.D. or 1 B.C.):
// the one way from the record's texts to its moment.
ChartFrame DayCountOfRecord(const ChartRecord& record);
// Its moment in Julian centuries from JD 2415020.0; the same for the texts alone.
double RecordJulianCenturies(const ChartRecord& record);
double JulianCenturiesOfTexts(const std::string& date, const std::string& time, std::int16_t era);

// A moment in the record's forms: "DD-MM-YYYY" with the year of its era (1 - y for the
// astronomical years y <= 0), "HH:MM:SS", "A.D." or "B.C." and the era code (0 or 1).
struct MomentTexts {
    std::string date;
    std::string time;
    std::string eraText;
    std::int16_t era = 0;
};
MomentTexts MomentTextsOf(const CalendarMoment& moment);

} // namespace astrodesk
