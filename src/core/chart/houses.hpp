#pragma once

// The chart's place, sidereal frame and angles (Midheaven, Ascendant, Vertex), and the twelve
// house cusps in the chosen system. Angles and cusps are ecliptic longitudes of date, radians
// in 0..2 pi; the equator and equinox are the mean ones of date (no nutation).
//
// Sidereal time: the local mean sidereal time RAMC = GMST - west longitude, with Greenwich mean
// sidereal time 6h 38m 45.836s + 8640184.542s T + 0.0929s T^2 at 0h (S. Newcomb; T in Julian
// centuries from JD 2415020.0). It is evaluated with T of the moment itself, the rate rounded
// to 2400.0513 h per century, plus the Greenwich time of day in mean solar hours: T carrying
// the day fraction adds the sidereal day's gain of 3m 56.56s a day, so the sum is the usual
// 0h value plus 1.0027379 times the time of day. The obliquity is the mean obliquity of the
// same epoch, 23.452294 deg - 0.0130125 deg T (23 deg 27' 8.26" - 46.845" T). Both from the
// Explanatory Supplement to the Astronomical Ephemeris (HMSO, 1961).
//
// Angles, with e the obliquity and phi the geographic latitude: the Midheaven is the ecliptic
// point on the meridian, of right ascension RAMC (tan MC = tan RAMC / cos e, J. Meeus,
// Astronomical Algorithms, 2nd ed., 1998, formula 13.3 with zero latitude); the Ascendant the
// ecliptic point rising in the east, tan ASC = -cos RAMC / (sin RAMC cos e + tan phi sin e)
// (Meeus, chapter 14, the ecliptic and the horizon); the Vertex the ecliptic point on the prime
// vertical given by the Ascendant formula taken at RAMC + 180 deg and the colatitude
// 90 deg - phi: the western of the two points where the ecliptic crosses the prime vertical
// outside the tropics; within |phi| <= e the formula's quadrant may give the eastern one.
//
// House systems as R. W. Holden describes them, The Elements of House Division (Fowler, 1977):
// Equal (30 deg from the Ascendant), Campanus (the prime vertical divided), Regiomontanus (the
// equator divided), Placidus (the semi-arcs of diurnal motion trisected) and Koch (the
// Midheaven degree's semi-arc trisected in oblique ascension under the place's own pole). The
// quadrant systems find each cusp as the ecliptic point of a given oblique ascension OA under a
// pole of elevation P: tan lambda = sin OA / (cos OA cos e - tan P sin e), the Ascendant
// formula with OA = RAMC + 90 deg and P = phi.

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

// The angles of another Midheaven (radians, ecliptic longitude of date) at the frame's Latitude
// and Obliquity: RAMC becomes that point's right ascension, and Midheaven, Ascendant and Vertex
// (and slots 17..19) follow from it as ComputeAngles derives them from the sidereal time.
void SetAnglesFromMidheaven(double midheaven, ChartFrame& frame, PositionTables& positions);

// Fills HouseCusp 1..12 by the chosen system; an unknown code leaves the cusps as they were.
// Where the chosen system does not exist, the cusps are equal houses and HouseSystemUndefined
// is set: Placidus where a cusp's condition is met by no ecliptic point that rises and sets
// (inside the polar circles, depending on the sidereal time) or by more than one; every system
// but Equal House at the geographic pole itself. Koch goes on inside the polar circles, the
// Midheaven's ascensional difference held at (nearly) 90 degrees.
void ComputeHouseCusps(const Options& options, ChartFrame& frame);

// The single systems, from RAMC, Latitude, Obliquity, Ascendant and Midheaven of the frame
// (radians), each filling HouseCusp 1..12 (radians, ecliptic longitude of date).

// Cusp i at the Ascendant plus (i - 1) × 30 deg.
void EqualHouseCusps(ChartFrame& frame);

// The prime vertical divided into 30-deg arcs h from the zenith; each division's circle
// through the north and south points meets the equator at the arc A from the meridian with
// tan A = tan h cos phi, and is the house circle of pole tan P = tan phi sin A at oblique
// ascension RAMC + A.
void CampanusCusps(ChartFrame& frame);

// The equator divided into 30-deg arcs A from the meridian; each division's circle through the
// north and south points is the house circle of pole tan P = tan phi sin A at oblique ascension
// RAMC + A.
void RegiomontanusCusps(ChartFrame& frame);

// Cusps 10, 1, 4, 7 are the angles. Cusps 11 and 12 are the ecliptic points whose right
// ascension x lies one and two thirds of their diurnal semi-arc SA(x) east of the upper
// meridian (x = RAMC + SA/3, RAMC + 2 SA/3); cusps 3 and 2 lie one and two thirds of their
// nocturnal semi-arc from the lower meridian; 5, 6, 8, 9 are opposite 11, 12, 2, 3. Here
// cos SA = -tan delta tan phi (diurnal) with tan delta = sin x tan e for a point of the
// ecliptic, and the longitude follows from tan lambda = tan x / cos e. Solved by ten passes of
// fixed-point iteration, kept where they settle outside the polar circles; otherwise the
// equation is solved outright, by bisection at every sign change of its residual over 72 trial
// right ascensions across the cusp's range, and the cusp exists where exactly one solution has
// a semi-arc. False where a Placidus cusp does not exist (the cusps are then finite but mean
// nothing).
bool PlacidusCusps(ChartFrame& frame);

// The Midheaven degree's ascensional difference AD at the place (sin AD = tan delta_MC tan phi)
// shares its diurnal semi-arc 90 deg + AD among the houses: cusp 11 stands at oblique
// ascension RAMC + 30 deg - 2 AD / 3, cusp 12 at RAMC + 60 deg - AD / 3, cusp 1 at RAMC + 90 deg,
// cusp 2 at RAMC + 120 deg + AD / 3, cusp 3 at RAMC + 150 deg + 2 AD / 3, each under the pole of
// the place's latitude; the western houses 4 to 9 take the opposite pole, so that each cusp is
// opposite its partner.
void KochCusps(ChartFrame& frame);

} // namespace astrodesk
