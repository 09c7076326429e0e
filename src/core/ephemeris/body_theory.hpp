#pragma once

// One entry point for the chart computation: the theory of internal body k at time T (Julian
// centuries from J2000, JD 2451545.0). Positions are geometric (no light time, no aberration,
// no nutation) and referred to the mean ecliptic and equinox of date: the Sun and Mercury to
// Pluto from the series of ephemeris/planet_theories.hpp, Pluto outside its series and ZED
// from the mean orbits of ephemeris/mean_orbits.hpp, each with the source it follows.

#include "astro/lanes.hpp"
#include "ephemeris/mean_orbits.hpp"
#include "ephemeris/planet_theories.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Pluto's series serves for |T| below this many Julian centuries from J2000, its mean orbit
// beyond.
inline constexpr double kPlutoSeriesRange = 1.01;

// The span around J2000 where the published series hold, Julian centuries (1600 to 2400 A.D.):
// there the Sun, the Moon and Mercury to Neptune stay within about two minutes of arc of a
// modern ephemeris. Outside it they drift ever further from the sky (Uranus by two degrees
// around 1 A.D., by eight around 1000 B.C.), and far outside a series may give no position at
// all: the radius of Uranus falls to zero or below for some 30 years in every 84 from before
// 9999 B.C. until about 7440 B.C.
inline constexpr double kSeriesRangeFrom = -4.0;
inline constexpr double kSeriesRangeTo = 4.0;
inline constexpr int kSeriesRangeFromYear = 1600;
inline constexpr int kSeriesRangeToYear = 2400;
inline bool WithinSeriesRange(double T) {
    return T >= kSeriesRangeFrom && T <= kSeriesRangeTo;
}

// Evaluates internal body k at T (Julian centuries from J2000) into TheoryL, TheoryB (degrees)
// and TheoryR (AU): 0 the Sun seen from the Earth, 1 Mercury, 2 Venus, 3 the Earth seen from the
// Sun (the Sun's direction turned round: longitude in 0..360 plus 180 degrees, reduced below
// 360, latitude negated), 4 Mars ... 8 Neptune, 9 Pluto (series or mean orbit), 10 ZED.
void RunBodyTheory(int k, double T, const CoefficientTables& tables, PositionTables& positions);

// The same for up to four moments, one per lane. A lane that took a mean orbit (ZED always,
// Pluto beyond the range of its series) is marked in fromMeanOrbit, and `orbit` holds its
// rectangular coordinates as the orbit gave them.
struct LanesBody {
    LanesPlace place;
    LanesVector orbit;
    LaneMask fromMeanOrbit;
};
void RunBodyTheory(int k, const Lanes& T, const CoefficientTables& tables, LanesBody& body);

} // namespace astrodesk
