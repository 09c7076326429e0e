#pragma once

// Ecliptic precession of the chart's positions, for the precessed zodiac.
//
// Source: the IAU 1976 precession angles in ecliptic coordinates (J. H. Lieske et al., Astron.
// Astrophys. 58, 1, 1977), as J. Meeus gives them, Astronomical Algorithms, 2nd ed., Willmann-Bell
// 1998, chapter 21: the longitude Pi of the axis about which the ecliptic turns, its angle pi
// and the general precession p in longitude, as polynomials in the starting epoch T0 and the span
// t (Julian centuries). The positions are carried by the first-order formula
// lambda' = lambda + p + pi tan(beta) cos(lambda - Pi); the latitude is left unchanged.

#include "shell/program_state.hpp"

namespace astrodesk {

// Carries body longitudes 1..19 (radians, with their latitudes, which stay unchanged) and cusps
// 1..12 (radians) from the ecliptic and equinox of frame.PrecessFromT (T0, Julian centuries from
// J2000) over frame.PrecessSpanT (t, Julian centuries, negative backwards). The cusps take the
// general precession in longitude only.
void PrecessPositions(ChartFrame& frame, PositionTables& positions);

} // namespace astrodesk
