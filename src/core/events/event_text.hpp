#pragma once

// Events as text: the names the command line and the files use for kinds, bodies, targets and
// phases, the moment in the record's text forms, and the one line per event that the command
// line's text format and the desktop's events page print.

#include "events/event_search.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace astrodesk {

// "transit", "ingress", "station", "return", "progression".
std::string_view EventKindName(EventKind kind);
// "enter", "exact", "leave".
std::string_view EventPhaseName(EventPhase phase);

// The command line's names of display slots 1..14: "sun", "moon", "mercury", "venus", "earth",
// "mars" .. "pluto", "zed", "ascendant", "midheaven"; empty for any other slot.
std::string_view PointKey(int slot);
// The slot of a name of PointKey, or nothing.
std::optional<int> PointOfKey(std::string_view key);

// The target as the files name it: a point's key for a transit, progression or return, the
// sign's abbreviation ("AR" .. "PI") for an ingress, "retrograde" or "direct" for a station.
std::string EventTargetName(const Event& event);

// The Greenwich moment in the record's text forms, to the whole second: "DD-MM-YYYY" (the Julian
// calendar up to 4 October 1582, the Gregorian from 15 October), "HH:MM:SS" and the era "A.D."
// or "B.C.". Empty texts for a moment outside the years 9999 B.C. .. 9999 A.D.
struct MomentText {
    std::string date, time, era;
};
MomentText MomentTextOf(double julianCenturies);

// One line for an event: date, Greenwich time and era, the body, what happens (the aspect's
// name, INGRESS, STATION, RETURN) and its target, the phase, the body's longitude and the
// target's, in columns; `localClock`, when not empty (for example "14:05:09 CEST"), follows the
// Greenwich time.
std::string EventLine(const Event& event, std::string_view localClock = {});

} // namespace astrodesk
