#include "events/event_text.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/techniques.hpp"
#include "interpret/factors.hpp"
#include "present/listing.hpp"
#include "shell/utf8_text.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace astrodesk {

namespace {

constexpr std::array<std::string_view, 14> kPointKeys = {
    "sun",    "moon",   "mercury", "venus", "earth", "mars",      "jupiter",
    "saturn", "uranus", "neptune", "pluto", "zed",   "ascendant", "midheaven"};

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The middle column: the aspect's name, or what the event is.
std::string_view WhatHappens(const Event& event) {
    switch (event.kind) {
    case EventKind::Ingress:
        return "INGRESS";
    case EventKind::Station:
        return "STATION";
    case EventKind::Return:
        return "RETURN";
    default:
        return AspectName(event.aspect);
    }
}

// 16 characters in the listing's form, "15° AR 30' 00.0\"", rounded to the tenth of an arcsecond
// before it is split, so that 29° 59' 59.97" reads as the next sign's 00° 00' 00.0".
std::string LongitudeText(double degrees) {
    constexpr long long kTenthsPerTurn = 360LL * 36000;
    const long long tenths =
        (std::llround(degrees * 36000.0) % kTenthsPerTurn + kTenthsPerTurn) % kTenthsPerTurn;
    const long long inSign = tenths % 1080000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld%s %s %02lld' %04.1f\"", inSign / 36000, kDegreeSign,
                  std::string(SignAbbreviation(static_cast<int>(tenths / 1080000) + 1)).c_str(),
                  inSign / 600 % 60, (inSign % 600) / 10.0);
    return text;
}

} // namespace

std::string_view EventKindName(EventKind kind) {
    static constexpr std::array<std::string_view, 5> kNames = {"transit", "ingress", "station",
                                                               "return", "progression"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::string_view EventPhaseName(EventPhase phase) {
    static constexpr std::array<std::string_view, 3> kNames = {"enter", "exact", "leave"};
    return kNames[static_cast<std::size_t>(phase)];
}

std::string_view PointKey(int slot) {
    if (slot < 1 || slot > 14) return {};
    return kPointKeys[static_cast<std::size_t>(slot - 1)];
}

std::optional<int> PointOfKey(std::string_view key) {
    for (std::size_t i = 0; i < kPointKeys.size(); ++i)
        if (kPointKeys[i] == key) return static_cast<int>(i) + 1;
    return std::nullopt;
}

std::string EventTargetName(const Event& event) {
    switch (event.kind) {
    case EventKind::Ingress:
        return std::string(SignAbbreviation(event.target));
    case EventKind::Station:
        return event.target == kTurnsRetrograde ? "retrograde" : "direct";
    default:
        return std::string(PointKey(event.target));
    }
}

MomentText MomentTextOf(double julianCenturies) {
    ChartRecord record;
    if (!SetRecordFromTime(julianCenturies + kCenturyBetweenEpochs, record)) return {};
    return {record.ChartDate, record.ChartTime, record.EraText};
}

std::string EventLine(const Event& event, std::string_view localClock) {
    const MomentText moment = MomentTextOf(event.julianCenturies);
    const bool progressed = event.kind == EventKind::Progression;
    const std::string body = (progressed ? "PROG. " : "") + UpperCase(PointKey(event.body));
    char columns[96];
    std::snprintf(columns, sizeof columns, "  %-13s %-12s %-10s %-5s  ", body.c_str(),
                  std::string(WhatHappens(event)).c_str(),
                  UpperCase(EventTargetName(event)).c_str(),
                  UpperCase(EventPhaseName(event.phase)).c_str());
    std::string line = moment.date + ' ' + moment.time + ' ' + moment.era;
    if (!localClock.empty()) line += ' ' + std::string(localClock);
    line += columns + LongitudeText(event.longitude);
    const bool natalPoint =
        event.kind == EventKind::Transit || progressed || event.kind == EventKind::Return;
    if (natalPoint) line += "  NATAL " + LongitudeText(event.targetLongitude);
    return line;
}

} // namespace astrodesk
