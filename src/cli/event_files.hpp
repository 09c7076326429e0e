#pragma once

// The events command's output formats: one line of text per event, a JSON array, CSV rows and an
// iCalendar (RFC 5545) calendar with one event per exact moment.

#include "events/event_search.hpp"
#include "events/event_text.hpp"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace astrodesk::cli {

// The local clock of an event's moment, where the command knows a zone.
struct LocalMoment {
    MomentText moment;        // the local date, time and era
    std::string offset;       // "+02:00"
    std::string abbreviation; // "CEST"
};

struct ListedEvent {
    Event event;
    std::optional<LocalMoment> local;
};

void WriteEventText(const std::vector<ListedEvent>& events, std::ostream& out);
void WriteEventJson(const std::vector<ListedEvent>& events, std::ostream& out);
// A header row, with the local clock's columns when `local`, then a row per event.
void WriteEventCsv(const std::vector<ListedEvent>& events, bool local, std::ostream& out);

// The span searched, for the durations of the calendar's events.
struct CalendarSpan {
    double fromT, toT; // Julian centuries from J2000
    bool orbSpans;     // a transit or progression runs from entering its orb to leaving it
    std::string stamp; // DTSTAMP, the moment of writing: "YYYYMMDDTHHMMSSZ"
};

// The first Julian Day the calendar can hold: 1 January of the year 1 in the Gregorian calendar
// that iCalendar dates follow, 00:00 Greenwich.
inline constexpr double kFirstCalendarJulianDay = 1721425.5;

void WriteEventCalendar(const std::vector<ListedEvent>& events, const CalendarSpan& span,
                        std::ostream& out);

} // namespace astrodesk::cli
