#pragma once

// Nutation in longitude and the mean arguments of the Sun and the Moon's node.
//
// Source: the five largest terms in longitude of the IAU 1980 theory of nutation (J. M. Wahr,
// Geophys. J. R. Astron. Soc. 64, 705, 1981; P. K. Seidelmann, Celest. Mech. 27, 79, 1982), with
// the mean arguments in revolutions as O. Montenbruck and T. Pfleger give them, Astronomy on the
// Personal Computer, 3rd ed., Springer 1998: the Sun's mean anomaly l', the Moon's mean
// elongation D, its argument of latitude F and the node's mean longitude Omega. Their truncation
// leaves about 0.5 arcsecond. The obliquity is the linear IAU 1976 term (J. H. Lieske et al.,
// Astron. Astrophys. 58, 1, 1977): 23 deg 26' 21.448" - 46.815" T.

#include "astro/lanes.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// In: frame.JulianCenturies, T from J2000 (JD 2451545.0), dynamical time as the program takes the
// entered time. Out: positions.LunarNode (mean ascending node of date, radians, possibly
// negative), positions.NutationLongitude (delta psi, degrees), frame.Obliquity2000 (mean
// obliquity, radians) and frame.SunMeanAnomaly (radians). Nutation in obliquity is not used.
void ComputeNutation(ChartFrame& frame, PositionTables& positions);

// The same for one moment per lane of t: nutation in longitude (degrees), the node, the Sun's
// mean anomaly and the mean obliquity (radians).
struct LanesNutation {
    Lanes longitude;
    Lanes lunarNode;
    Lanes sunMeanAnomaly;
    Lanes obliquity2000;
};
void ComputeNutation(const Lanes& t, LanesNutation& nutation);

} // namespace astrodesk
