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

} // namespace astrodesk
