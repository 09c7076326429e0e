#pragma once

// The chart's time argument: Julian centuries from the record's date, Greenwich time and era.
// There is one time scale only: the time typed is used as it stands (no zone, no Delta-T).

#include "shell/program_state.hpp"

namespace astrodesk {

// Reads the compact texts ChartDate "DDMMYYYY" and ChartTime "HHMMSS" and the era flag
// (1.0 = B.C.), and sets DayFraction, DayFractionCopy and JulianCenturies, counted from
// JD 2415020.0 (1899 December 31, 12h). Dates up to 15 October 1582 count in the Julian
// calendar, later ones in the Gregorian; 1 B.C. is year 0.
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

} // namespace astrodesk
