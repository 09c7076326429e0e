#pragma once

// The events of a search as a timeline: each transit and progression a bar from the moment it
// comes within its orb to the moment it leaves it, its exact moments marked, and ingresses,
// stations and returns as marks, grouped by the moving body (the transiting bodies in the
// order Sun .. ZED, then the progressed ones).

#include "events/event_search.hpp"
#include "present/timeline.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

// The timeline of `events` (in time order, as the search with `search` found them) over the
// search's span. A transit already within its orb at the span's start, or still within it at
// its end, runs to that edge; with an orb of 0 each exact moment stands alone.
Timeline EventTimeline(const std::vector<Event>& events, const EventSearchOptions& search,
                       std::string title);

// The heading of a chart's timeline: "TIMELINE OF ANN  01-01-2027 TO 31-12-2027", the name cut
// to the 23 characters the listing shows.
std::string TimelineTitle(std::string_view chartName, std::string_view firstDay,
                          std::string_view lastDay);

// Bars of "SQR SUN": the aspect's three letters and the natal point.
std::string EventBarLabel(const Event& event);

} // namespace astrodesk
