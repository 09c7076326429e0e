#pragma once

// Ecliptic precession of the chart's positions, for the precessed zodiac.

#include "shell/program_state.hpp"

namespace astrodesk {

// Carries body longitudes 1..19 (with their latitudes, which stay unchanged) and cusps 1..12
// from the ecliptic of PrecessFromT (centuries from J2000) over PrecessSpanT centuries. The
// cusps take the general precession in longitude only.
void PrecessPositions(ChartFrame& frame, PositionTables& positions);

} // namespace astrodesk
