#pragma once

// Keplerian mean orbits: ZED, the body beyond Pluto, always, and Pluto outside the range of its
// series. Time T in Julian centuries from J2000. Each writes heliocentric TheoryL, TheoryB
// (degrees, ecliptic and mean equinox of date) and TheoryR (AU), and the rectangular ecliptic
// coordinates (AU) straight into its own slot of HelioX/HelioY/HelioZ: 9 for Pluto, 10 for ZED.

#include "shell/program_state.hpp"

namespace astrodesk {

void PlutoMeanOrbit(double T, PositionTables& positions);
void ZedOrbit(double T, PositionTables& positions);

} // namespace astrodesk
