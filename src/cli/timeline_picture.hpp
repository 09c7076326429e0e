#pragma once

// The events command's picture: the timeline of the events found, written as PNG or SVG by the
// same writer as the wheel's pictures.

#include "events/event_search.hpp"

#include <string>
#include <vector>

namespace astrodesk::cli {

// True for a file name ending in .png or .svg (in any case).
bool IsPictureFileName(const std::string& fileName);

// Writes the timeline of `events` (found with `search`) under `title`; refuses a file that
// cannot be written.
void WriteEventTimeline(const std::vector<Event>& events, const EventSearchOptions& search,
                        const std::string& title, const std::string& fileName);

} // namespace astrodesk::cli
