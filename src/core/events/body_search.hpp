#pragma once

// The search of one moving body over a sampled span: its stations, the monotonic stretches
// between them, and in each stretch the moments its longitude passes each of a set of marks
// (an aspect's exact longitude or the edges of its orb, the first degree of a sign, the natal
// longitude).
//
// Completeness: between two stations the longitude moves one way only, so each mark value
// between the stretch's two end longitudes is passed exactly once and bracketed at once. The
// stations themselves are the sign changes of the rate; two stations closer together than a
// grid step (which leave the rate's sign at both ends alike) are ruled out by the bound on the
// body's change of rate: the rate cannot go from its value at one end to zero and back to its
// value at the other end faster than that bound allows, and where it could, the interval is
// halved until it cannot.
//
// Root finders, on the track's interpolated longitude L(T) (degrees, unwrapped) and its rate:
// - a passage of a mark value: the grid interval that holds it by bisection over the samples,
//   then Newton's method kept inside the bracket, a step that would leave it replaced by
//   bisection (W. H. Press et al., Numerical Recipes, 2nd ed., Cambridge 1992, section 9.4),
//   to a millisecond of the event's time;
// - a station, where the rate changes sign: the Illinois variant of false position (M. Dowell
//   and P. Jarratt, BIT 11, 168, 1971), which halves the weight of an end kept twice in a row
//   so that the bracket shrinks from both sides.
// Then on the source itself (the program's positions): an exact passage (every passage with
// refineEdges) by Newton's method with the track's rate, to 0.05" or half a second of the event's
// time, whichever is closer, and no further than a day from the track's moment; a station by the
// secant method on the rate from central differences 0.02 day wide.

#include "events/event_search.hpp"
#include "events/longitude_track.hpp"

#include <vector>

namespace astrodesk {

// Which moment of a mark a passage is: the exact longitude, or the lower (smaller longitude) or
// upper edge of an orb around it.
enum class MarkRole { Exact, LowerEdge, UpperEdge };

struct Mark {
    double longitude = 0.0; // degrees 0..360, where the event happens
    EventKind kind = EventKind::Transit;
    // As Event::target; for an ingress the sign that begins at the mark (it is the sign entered
    // going forward; going back, the body enters the one before).
    int target = 0;
    int aspect = 0;
    MarkRole role = MarkRole::Exact;
    double targetLongitude = 0.0;
};

// What one body's search needs besides the track: the span, the marks, whether stations are
// wanted, the real positions for refining, and the map from the track's time to the event's.
struct BodySearch {
    int slot = 1;
    double from = 0.0, to = 0.0; // within the track's span, centuries from J2000
    const std::vector<Mark>* marks = nullptr;
    bool stations = false;
    // Refine every passage on the source (not only exact ones): for a body that the track's
    // polynomial follows less closely than the events are promised to.
    bool refineEdges = false;
    const LongitudeSource* source = nullptr;
    // The event's moment for a moment T of the track: timeBase + (T - timeBase) x dilation
    // (progressions run on progressed time, a day for a year; transits on the event's own).
    double timeBase = 0.0;
    double dilation = 1.0;
};

// The body's events in the span, in no particular order, appended to `events`.
void SearchBody(const LongitudeTrack& track, const BodySearch& search, std::vector<Event>& events);

// Bounds on the change of each body's geocentric rate, degrees per day per day (display slots
// 1..12), found by scanning the program's positions over the whole entry range with a margin.
double SharpestTurn(int slot);

} // namespace astrodesk
