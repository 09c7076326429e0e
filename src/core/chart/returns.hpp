#pragma once

// Returns: the moments at which the Sun or the Moon comes back to the apparent longitude it had
// at a base moment. They are found on the program's own apparent places (the chart driver's pass
// at each trial moment), so that a chart computed for a found moment lists the body where it
// stood at the base moment. The search is always geocentric, whatever the chart's centre.
//
// Moments here are Julian centuries from J2000 (JD 2451545.0), as ComputeApparentPlaces takes
// them.
//
// Root finder: the arc f(T) by which the body stands past the longitude, reduced to within half
// a turn either way, is driven to zero by the secant method from the estimate. A step whose
// slope differs from the body's mean motion by more than a factor of two (and the first step)
// is taken at the mean motion in tropical longitude instead: 36000.76983 deg per Julian century
// for the Sun and 481267.88123 for the Moon (J. Meeus, Astronomical Algorithms, 2nd ed., 1998,
// formulas 25.2 and 47.1). Each trial costs one pass of the chart driver.

#include "astro/angles.hpp"
#include "shell/program_state.hpp"

#include <optional>

namespace astrodesk {

// Display slots of the bodies whose returns are found.
inline constexpr int kSunSlot = 1;
inline constexpr int kMoonSlot = 2;

// The crossing is refined until the body stands this close to the longitude: 0.01 arcsecond in
// radians, well inside the half arcsecond a return is promised to, so that rounding the moment to
// the whole second of the record (the Moon moves 0.55" a second) keeps it there.
inline constexpr double kCrossingTolerance = DegToRad(0.01 / 3600.0);

// Apparent geocentric ecliptic longitude of display slot `slot` (kSunSlot or kMoonSlot) at T,
// radians 0..2 pi, as the chart of that moment lists it in the tropical zodiac. `scratch` is a
// copy of the program state (its coefficient tables are read; its position tables, time and
// centre serve as working space).
double GeocentricLongitude(ProgramState& scratch, int slot, double T);

// The moment near `estimate` at which slot `slot` stands at `longitude` (radians): the crossing
// that the body's motion reaches from `estimate` within half a turn either way, to
// kCrossingTolerance. Nothing when the series give no such crossing within a few dozen steps
// (which no moment of the entry range shows).
std::optional<double> LongitudeCrossing(ProgramState& scratch, int slot, double longitude,
                                        double estimate);

// The solar return near `estimate`: where the Sun is back at its longitude of `base`.
std::optional<double> SolarReturnNear(ProgramState& scratch, double base, double estimate);

// The lunar return nearest `target`: of the last return at or before it and the next one after
// it, the closer one.
std::optional<double> LunarReturnNearest(ProgramState& scratch, double base, double target);

} // namespace astrodesk
