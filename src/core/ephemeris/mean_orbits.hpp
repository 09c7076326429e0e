#pragma once

// Keplerian mean orbits: ZED, the body beyond Pluto, always, and Pluto outside the range of its
// series. Time T in Julian centuries from J2000. Each gives heliocentric longitude, latitude
// (degrees, ecliptic and mean equinox of date) and radius (AU), and the rectangular ecliptic
// coordinates (AU) it found them from. The forms for one moment write TheoryL, TheoryB and
// TheoryR, and the rectangular coordinates straight into the body's own slot of
// HelioX/HelioY/HelioZ: 9 for Pluto, 10 for ZED.

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
