#pragma once

// The chart's place, sidereal frame and angles (Midheaven, Ascendant, Vertex), and the twelve
// house cusps in the chosen system. Angles and cusps are ecliptic longitudes of date, radians
// in 0..2 pi.

#include "shell/program_state.hpp"

#include <cstdint>

namespace astrodesk {

// House system codes of Options::HouseSystem.
inline constexpr std::int16_t kEqualHouse = 0;
inline constexpr std::int16_t kCampanus = 1;
inline constexpr std::int16_t kRegiomontanus = 2;
inline constexpr std::int16_t kPlacidus = 3;
inline constexpr std::int16_t kKoch = 4;

// From the record's place texts, JulianCenturies (still from JD 2415020.0) and DayFraction:
// Latitude, LongitudeWest, Obliquity, RAMC, Midheaven, Ascendant and Vertex, and their copies
// in BodyLongitude slots 17 (Midheaven), 18 (Ascendant) and 19 (Vertex).
void ComputeAngles(const ChartRecord& record, ChartFrame& frame, PositionTables& positions);

// Fills HouseCusp 1..12 by the chosen system; an unknown code leaves the cusps as they were.
// Inside the polar circles, where the semi-arcs that Placidus and Koch divide do not exist
// for every point of the ecliptic, those two give equal houses and set HouseSystemUndefined.
void ComputeHouseCusps(const Options& options, ChartFrame& frame);

// The single systems, from RAMC, Latitude, Obliquity, Ascendant and Midheaven of the frame.
// Placidus and Koch stay finite inside the polar circles but mean nothing there.
void EqualHouseCusps(ChartFrame& frame);
void CampanusCusps(ChartFrame& frame);
void RegiomontanusCusps(ChartFrame& frame);
void PlacidusCusps(ChartFrame& frame);
void KochCusps(ChartFrame& frame);

} // namespace astrodesk
