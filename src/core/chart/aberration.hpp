#pragma once

// Aberration from the motion of the centre body. The observer's velocity comes from short
// series of the heliocentric motion rates of the planets in their mean anomalies.

#include "shell/program_state.hpp"

namespace astrodesk {

// Rectangular ecliptic velocity, in the unit of the radius rate (AU per Julian century).
struct Velocity {
    double vx;
    double vy;
    double vz;
};

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
