#pragma once

// Keplerian mean orbits: ZED, the body beyond Pluto, always, and Pluto outside the range of its
// series. Time T in Julian centuries from J2000. Each gives heliocentric longitude, latitude
// (degrees, ecliptic and mean equinox of date) and radius (AU), and the rectangular ecliptic
// coordinates (AU) it found them from. The forms for one moment write TheoryL, TheoryB and
// TheoryR, and the rectangular coordinates straight into the body's own slot of
// HelioX/HelioY/HelioZ: 9 for Pluto, 10 for ZED.
//
// Each orbit is a set of mean elements of epoch JD 2415020.0 (the mean anomaly and the node
// linear or quadratic in the centuries t from that epoch; the node's rate carries the general
// precession, so the place is of date). Kepler's equation E = M + e sin E is solved by fixed-
// point iteration and the true anomaly follows from tan(nu/2) = sqrt((1+e)/(1-e)) tan(E/2)
// (J. Meeus, Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, chapter 30); the position is
// the orbit-plane point at argument of latitude u = nu + omega rotated by the inclination and the
// node.

#include "ephemeris/planet_theories.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Rectangular ecliptic coordinates (AU), one moment per lane.
struct LanesVector {
    Lanes x;
    Lanes y;
    Lanes z;
};

void PlutoMeanOrbit(const Lanes& T, LanesPlace& place, LanesVector& rectangular);
void ZedOrbit(const Lanes& T, LanesPlace& place, LanesVector& rectangular);

void PlutoMeanOrbit(double T, PositionTables& positions);
void ZedOrbit(double T, PositionTables& positions);

} // namespace astrodesk
