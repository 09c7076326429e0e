#pragma once

// The chart's place, sidereal frame and angles (Midheaven, Ascendant, Vertex), and the twelve
// house cusps in the chosen system. Angles and cusps are ecliptic longitudes of date, radians
// in 0..2 pi.
//
// Sources: Greenwich mean sidereal time 6h 38m 45.836s + 8640184.542s T + 0.0929s T^2 (S. Newcomb,
// T in Julian centuries from JD 2415020.0) and the mean obliquity 23.452294 deg - 0.0130125 deg T
// of the same epoch, both from the Explanatory Supplement to the Astronomical Ephemeris (HMSO,
// 1961). The angles from the right ascension of the Midheaven by the spherical triangles of W. M.
// Smart, Textbook on Spherical Astronomy, 6th ed., Cambridge 1977. The house systems as R. W.
// Holden defines them, The Elements of House Division (Fowler, 1977): Equal (30 deg from the
// Ascendant), Campanus (the prime vertical divided), Regiomontanus (the equator divided),
// Placidus (the semi-arcs of diurnal motion trisected) and Koch (the Midheaven's ascensional
// difference under the place's pole).

#include "shell/program_state.hpp"

#include <cstdint>

namespace astrodesk {

// House system codes of Options::HouseSystem.
inline constexpr std::int16_t kEqualHouse = 0;
inline constexpr std::int16_t kCampanus = 1;
inline constexpr std::int16_t kRegiomontanus = 2;
inline constexpr std::int16_t kPlacidus = 3;
inline constexpr std::int16_t kKoch = 4;

// In: the record's place texts, frame.JulianCenturies (still from JD 2415020.0) and DayFraction
// (of the Greenwich day). Out: Latitude (radians), LongitudeWest (degrees, west positive),
// Obliquity, RAMC, Midheaven, Ascendant and Vertex (radians), and their copies in BodyLongitude
// slots 17 (Midheaven), 18 (Ascendant) and 19 (Vertex).
void ComputeAngles(const ChartRecord& record, ChartFrame& frame, PositionTables& positions);

// Fills HouseCusp 1..12 by the chosen system; an unknown code leaves the cusps as they were.
// Where the chosen system does not exist, the cusps are equal houses and HouseSystemUndefined
// is set: Placidus where a cusp's condition is met by no ecliptic point that rises and sets
// (inside the polar circles, depending on the sidereal time) or by more than one; every system
// but Equal House at the geographic pole itself. Koch goes on inside the polar circles, the
// Midheaven's ascensional difference held at (nearly) 90 degrees.
void ComputeHouseCusps(const Options& options, ChartFrame& frame);

// The single systems, from RAMC, Latitude, Obliquity, Ascendant and Midheaven of the frame.
void EqualHouseCusps(ChartFrame& frame);
void CampanusCusps(ChartFrame& frame);
void RegiomontanusCusps(ChartFrame& frame);
// False where a Placidus cusp does not exist (the cusps are then finite but mean nothing).
bool PlacidusCusps(ChartFrame& frame);
void KochCusps(ChartFrame& frame);

} // namespace astrodesk
