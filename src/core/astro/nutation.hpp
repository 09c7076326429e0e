#pragma once

// Nutation in longitude and the mean arguments of the Sun and the Moon's node.

#include "shell/program_state.hpp"

namespace astrodesk {

// From JulianCenturies counted from J2000: LunarNode (mean ascending node, radians, possibly
// negative) and NutationLongitude (degrees) in the position tables; Obliquity2000 and
// SunMeanAnomaly (radians) in the frame. Nutation in obliquity is not used anywhere.
void ComputeNutation(ChartFrame& frame, PositionTables& positions);

} // namespace astrodesk
