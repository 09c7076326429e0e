#pragma once

// The passes of the chart driver evaluated side by side: one lane (astro/lanes.hpp) per pass
// time, every body theory, light time, aberration, the Moon, its node and nutation walking
// through their series once for all the passes.
//
// Light time: the body is taken at t - tau with tau = 0.005775463 day per AU of its distance
// (499.0 s per AU), the distance refined by three iterations from the geometric one (J. Meeus,
// Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, chapter 33). The Moon's distance comes
// from the lunar theory in Earth radii of 6378.14 km (IAU 1976) and is turned into AU of
// 149597870.7 km (IAU 2012).

#include "astro/lanes.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// The apparent places of one evaluation of every body, one pass time per lane: internal body
// indices 0 (the Moon) and 1..10 seen from the centre body, radians, and their distances (AU;
// the geometric distance, not the light-time one).
struct PassPlaces {
    IndexedArray<Lanes, 0, 10> longitude{};
    IndexedArray<Lanes, 0, 10> latitude{};
    IndexedArray<Lanes, 0, 10> distance{};
};

// Evaluates the passes at the times of the lanes (Julian centuries from J2000) from the centre
// state.working.ChartCentre, and leaves the position tables, the nutation and the frame's
// mean anomaly and obliquity as the pass of lane `lastLane` leaves them when the passes run one
// after another (PassLongitude apart, which the caller fills from the result).
PassPlaces RunPasses(ProgramState& state, const Lanes& times, int lastLane);

} // namespace astrodesk
