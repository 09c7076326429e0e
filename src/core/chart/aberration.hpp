#pragma once

// Aberration from the motion of the centre body. The observer's velocity comes from short
// series of the heliocentric motion rates of the planets in their mean anomalies.
//
// Method: with the body already taken at the light-time moment t - tau, the observer's own motion
// over tau is removed from the centre-to-body vector, r' = r - v tau: the planetary aberration as
// the sum of light time and the observer's aberration, to first order in v/c (J. Meeus,
// Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, chapter 33). tau is 1.581250735e-7 Julian
// century, 0.00577552 day (499.005 s, the IAU 1976 light time for one AU), per AU of distance.
// Each rate series is a constant (the mean motion, for longitude) plus harmonics up to 4M of the
// planet's mean anomaly M, in 1e-4 radian or AU per day.

#include "astro/lanes.hpp"
#include "ephemeris/mean_orbits.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Rectangular ecliptic velocity, in the unit of the radius rate (AU per Julian century).
struct Velocity {
    double vx;
    double vy;
    double vz;
};

// Heliocentric motion rates of bodies 1..9, one moment per lane (units as RateLongitude,
// RateLatitude and RateRadius); indices 0 and 10 stay 0.
struct LanesRates {
    IndexedArray<Lanes, 0, 10> longitude{};
    IndexedArray<Lanes, 0, 10> latitude{};
    IndexedArray<Lanes, 0, 10> radius{};
};

// A body's heliocentric longitude, latitude (degrees) and distance (AU), one moment per lane.
struct HelioLanes {
    Lanes longitude;
    Lanes latitude;
    Lanes distance;
};

// The velocity of the Sun as seen from the centre body (AU per Julian century): `moving` from
// the centre's rates, `still` the zero velocity of the same direction that a body placed from
// itself gets.
struct CentreVelocity {
    LanesVector moving;
    LanesVector still;
};

// The rates of bodies first..last only (those outside 1..9 have none).
void FillMotionRates(const Lanes& T, int first, int last, LanesRates& rates);
CentreVelocity VelocityOfTheCentre(int cb, const HelioLanes& centre, const LanesRates& rates);
// Rel -= V × lightDistance × 1.581250735e-7 for body k, as ApplyAberration below.
void ApplyAberration(int cb, int k, const Lanes& lightDistance, const CentreVelocity& centre,
                     LanesVector& rel);

// Heliocentric rates of Mercury..Pluto (internal indices 1..9, 3 the Earth) at T (Julian
// centuries from J2000) into RateLongitude, RateLatitude (radians per Julian century) and
// RateRadius (AU per Julian century). Indices 0 (Sun) and 10 (ZED) are left as they are: 0.
void FillMotionRates(double T, PositionTables& positions);

// Corrects the centre-to-body vector RelX/RelY/RelZ of body k for the motion of the centre body
// cb: Rel -= V × lightDistance × 1.581250735e-7, with V the velocity of the Sun as seen from the
// centre body (zero when k = cb and for the Sun and ZED as centres) and lightDistance the
// light-time distance of the body (AU).
void ApplyAberration(int cb, int k, double lightDistance, PositionTables& positions);

// The velocity of a point at longitude L, latitude B (degrees) and radius R whose coordinates
// change at dL, dB (radians per unit time) and dR (radius per unit time).
Velocity VelocityFromRates(double L, double B, double R, double dL, double dB, double dR);

} // namespace astrodesk
