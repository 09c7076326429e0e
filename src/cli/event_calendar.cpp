// The events as an iCalendar file (RFC 5545): a VEVENT for each exact moment, written by hand.
// Lines end in CR LF and are folded at 75 octets; times are UTC date-times in the Gregorian
// calendar, which iCalendar uses for every date.

#include "astro/day_count.hpp"
#include "event_files.hpp"
#include "interpret/factors.hpp"
#include "present/listing.hpp"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace astrodesk::cli {

namespace {

constexpr double kSecondsPerDay = 86400.0;

// "YYYYMMDDTHHMMSSZ" of a Julian Day rounded to the second, in the proleptic Gregorian calendar
// (Meeus, Astronomical Algorithms, 2nd ed., ch. 7, with the Gregorian correction at every date).
std::string UtcDateTime(double julianDay) {
    const long long seconds = std::llround((julianDay + 0.5) * kSecondsPerDay);
    const long long z = seconds / 86400, secondOfDay = seconds % 86400;
    const long long alpha = static_cast<long long>(std::floor((z - 1867216.25) / 36524.25));
    const long long a = z + 1 + alpha - alpha / 4, b = a + 1524;
    const long long c = static_cast<long long>(std::floor((b - 122.1) / 365.25));
    const long long d = static_cast<long long>(std::floor(365.25 * c));
    const long long e = static_cast<long long>(std::floor((b - d) / 30.6001));
    const long long day = b - d - static_cast<long long>(std::floor(30.6001 * e));
    const long long month = e < 14 ? e - 1 : e - 13;
    const long long year = month > 2 ? c - 4716 : c - 4715;
    char text[128];
    std::snprintf(text, sizeof text, "%04lld%02lld%02lldT%02lld%02lld%02lldZ", year, month, day,
                  secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

// A content line folded after 75 octets, each continuation starting with a blank; the fold
// never splits a UTF-8 character.
void WriteLine(std::ostream& out, const std::string& line) {
    std::size_t start = 0, width = 75;
    while (line.size() - start > width) {
        std::size_t cut = start + width;
        while ((static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out << line.substr(start, cut - start) << "\r\n ";
        start = cut;
        width = 74;
    }
    out << line.substr(start) << "\r\n";
}

// Commas, semicolons and backslashes escaped, as TEXT values need.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == ',' || c == ';' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string Describe(const Event& e) {
    const std::string body(PointKey(e.body));
    switch (e.kind) {
    case EventKind::Ingress:
        return body + " enters " + EventTargetName(e);
    case EventKind::Station:
        return body + " turns " + EventTargetName(e);
    case EventKind::Return:
        return body + " return";
    default:
        return (e.kind == EventKind::Progression ? "progressed " : "") + body + " " +
               std::string(AspectName(e.aspect)) + " natal " + EventTargetName(e);
    }
}

// The event in a few upper-case words, as the program writes its texts: "SATURN SQUARE NATAL
// SUN", "MARS ENTERS TA".
std::string Summary(const Event& e) {
    std::string summary = Describe(e);
    for (char& c : summary)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return summary;
}

using WindowKey = std::tuple<EventKind, int, int, int>;

// For each exact moment of a transit or progression, the moments its body enters and leaves
// the orb around it (the span's ends where it was in orb already or still is).
std::map<std::size_t, std::pair<double, double>> OrbWindows(const std::vector<ListedEvent>& events,
                                                            const CalendarSpan& span) {
    std::map<std::size_t, std::pair<double, double>> windows;
    std::map<WindowKey, std::pair<double, std::vector<std::size_t>>> open;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i].event;
        if (e.kind != EventKind::Transit && e.kind != EventKind::Progression) continue;
        auto& [entered, exacts] = open.try_emplace({e.kind, e.body, e.target, e.aspect}, span.fromT,
                                                   std::vector<std::size_t>{})
                                      .first->second;
        if (e.phase == EventPhase::Enter) entered = e.julianCenturies;
        if (e.phase == EventPhase::Exact) exacts.push_back(i);
        if (e.phase == EventPhase::Leave) {
            for (const std::size_t exact : exacts)
                windows[exact] = {entered, e.julianCenturies};
            exacts.clear();
            entered = span.fromT;
        }
    }
    for (const auto& [key, state] : open)
        for (const std::size_t exact : state.second)
            windows[exact] = {state.first, span.toT};
    return windows;
}

double JulianDayOf(double T) {
    return 2451545.0 + kDaysPerJulianCentury * T;
}

} // namespace

void WriteEventCalendar(const std::vector<ListedEvent>& events, const CalendarSpan& span,
                        std::ostream& out) {
    const auto windows = span.orbSpans ? OrbWindows(events, span)
                                       : std::map<std::size_t, std::pair<double, double>>{};
    WriteLine(out, "BEGIN:VCALENDAR");
    WriteLine(out, "VERSION:2.0");
    WriteLine(out, "PRODID:-//Astrodesk//Events//EN");
    WriteLine(out, "CALSCALE:GREGORIAN");
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i].event;
        if (e.phase != EventPhase::Exact) continue;
        const std::string start = UtcDateTime(e.julianDay);
        WriteLine(out, "BEGIN:VEVENT");
        WriteLine(out, "UID:" + std::string(EventKindName(e.kind)) + "-" +
                           std::string(PointKey(e.body)) + "-" + EventTargetName(e) + "-" +
                           std::to_string(e.aspect) + "-" + start + "@astrodesk");
        WriteLine(out, "DTSTAMP:" + span.stamp);
        if (const auto window = windows.find(i); window != windows.end()) {
            WriteLine(out, "DTSTART:" + UtcDateTime(JulianDayOf(window->second.first)));
            WriteLine(out, "DTEND:" + UtcDateTime(JulianDayOf(window->second.second)));
        } else {
            WriteLine(out, "DTSTART:" + start);
        }
        WriteLine(out, "SUMMARY:" + Escaped(Summary(e)));
        WriteLine(out, "DESCRIPTION:" + Escaped(EventLine(e)));
        WriteLine(out, "CATEGORIES:" + std::string(EventKindName(e.kind)));
        WriteLine(out, "END:VEVENT");
    }
    WriteLine(out, "END:VCALENDAR");
}

} // namespace astrodesk::cli
