#pragma once

// The event search: the moments in a span of time at which the moving bodies make the aspects
// of the chart's aspect table to the points of a natal chart (transits), enter a sign
// (ingresses), turn retrograde or direct (stations), come back to their natal longitude
// (returns), and at which the progressed bodies (a day after birth for each year of life) make
// those aspects to the natal points (progressions).
//
// Positions are the program's own apparent geocentric ecliptic longitudes of date (series, light
// time, aberration, nutation of each moment) in the tropical zodiac, the same the chart driver
// lists, so that a chart computed for the moment of an event shows the event.
//
// Moments are Julian centuries from J2000 (JD 2451545.0) on the program's single time scale:
// the record's Greenwich time, taken as the series' time argument.

#include "astro/day_count.hpp"
#include "chart/chart_driver.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

#include <functional>
#include <vector>

namespace astrodesk {

enum class EventKind { Transit, Ingress, Station, Return, Progression };

// Where in an aspect's orb a transit or progression stands: coming within the orb, at the exact
// angle, going out of it. Ingresses, stations and returns are always Exact.
enum class EventPhase { Enter, Exact, Leave };

// Points of a natal chart by display slot: 1 SUN, 2 MON, 3 MER, 4 VEN, 6 MAR .. 11 PLU, 12 ZED,
// 13 the Ascendant, 14 the Midheaven. Slot 5 (the Earth's, which holds the Ascendant in a
// geocentric chart) is no point of its own.
inline constexpr int kEarthSlot = 5;
inline constexpr int kAscendantPoint = 13;
inline constexpr int kMidheavenPoint = 14;

// The target of a station: the direction the body turns to.
inline constexpr int kTurnsRetrograde = 1;
inline constexpr int kTurnsDirect = 2;

struct Event {
    EventKind kind = EventKind::Transit;
    int body = 1; // display slot 1..12 of the moving (or progressed) body, never kEarthSlot
    // Transit, progression: the natal point (display slot 1..14); ingress: the sign entered,
    // 1 Aries .. 12 Pisces; station: kTurnsRetrograde or kTurnsDirect; return: the body's slot.
    int target = 1;
    int aspect = 0; // transit, progression: aspect type 1..9 (AspectName); otherwise 0
    EventPhase phase = EventPhase::Exact;
    double julianCenturies = 0.0; // the moment, from J2000
    double julianDay = 0.0;       // the same moment, 2451545.0 + 36525 x julianCenturies
    double longitude = 0.0;       // the moving body's apparent longitude then, degrees 0..360
    // Transit, progression, return: the natal point's longitude; ingress: the sign's first
    // degree; station: the body's own longitude (degrees 0..360).
    double targetLongitude = 0.0;
};

// The points a search measures against: the natal moment and the apparent geocentric tropical
// longitudes of the natal chart's points (degrees 0..360, slots as above; slot 5 unused).
struct NatalPoints {
    double julianCenturies = 0.0; // the natal moment, from J2000
    IndexedArray<double, 1, 14> longitude{};
};

// The natal points of a chart the chart driver has computed (`chart`: its record, options and
// tables). The bodies are taken geocentric and tropical whatever the chart's centre and zodiac,
// the angles as the chart computed them before any precession.
NatalPoints NatalPointsOf(const ProgramState& chart);

struct EventKinds {
    bool transits = true;
    bool ingresses = true;
    bool stations = true;
    bool returns = true;
    bool progressions = false;
};

struct EventSearchOptions {
    double fromT = 0.0; // the span, Julian centuries from J2000, fromT <= toT
    double toT = 0.0;
    EventKinds kinds;
    // Moving bodies by display slot. Empty: transits, ingresses and stations of the Sun to Pluto,
    // progressions of the Sun to Pluto and the Moon, returns of the Sun and the Moon.
    std::vector<int> bodies;
    // Natal points of transits and progressions. Empty: all of 1..14 but slot 5.
    std::vector<int> targets;
    // The chart's orb option, whole degrees 0..10: each aspect's orb is the share of it that the
    // chart's aspects use (the conjunction twice the option, the square half of it, ...). With
    // 0 only the exact moments are found.
    int orbDegrees = 6;
};

// The longest span one search covers: a century and a day.
inline constexpr double kLongestSpanCenturies = 1.0 + 1.0 / kDaysPerJulianCentury;

// Apparent geocentric longitudes of display slots 1..12 at a moment (radians 0..2 pi), as
// ComputeApparentPlaces gives them; another source (an oracle) may stand in its place.
using LongitudeSource = std::function<IndexedArray<double, 1, 12>(double T)>;

// The program's own source: ComputeApparentPlaces from a geocentric copy of `program` (its
// coefficient tables are read).
LongitudeSource ProgramLongitudes(const ProgramState& program);

// Every event of the options' kinds, bodies and targets in [fromT, toT], in time order (events
// at the same moment in the order kind, body, target, aspect). A span longer than
// kLongestSpanCenturies is cut to that length.
std::vector<Event> FindEvents(const LongitudeSource& source, const NatalPoints& natal,
                              const EventSearchOptions& options);

// The same on the program's own positions.
std::vector<Event> FindEvents(const ProgramState& program, const NatalPoints& natal,
                              const EventSearchOptions& options);

} // namespace astrodesk
