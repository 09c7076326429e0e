#pragma once

// A birth given as a local clock time at a place of the atlas, turned into the chart record's
// Greenwich date and time and its place texts. Until the zone's first standard offset the clocks
// kept the local mean time of the place itself, and from that Greenwich moment on the zone's
// history gives the offset; whether a local time was skipped or happened twice is decided with
// the same offsets that convert it.

#include "atlas/atlas.hpp"
#include "shell/program_state.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace astrodesk {

struct LocalBirth {
    std::string date;     // local civil date "DD-MM-YYYY", read in the calendar of the day count
    std::string time;     // local clock time "HH:MM:SS"
    std::int16_t era = 0; // 0 A.D., 1 B.C.
    std::string zone;     // time-zone name
    double latitudeDeg;   // north positive
    double longitudeDeg;  // EAST positive
};

// The record's texts of the birth and what the conversion used.
struct GreenwichBirth {
    std::string ChartDate; // "DD-MM-YYYY", Greenwich
    std::string ChartTime; // "HH:MM:SS", Greenwich
    std::string EraText;   // "A.D." or "B.C."
    std::int16_t ChartEra = 0;
    std::string ChartLatitude;  // "DDSMM", rounded to the minute
    std::string ChartLongitude; // "DDDSMM", rounded to the minute
    ZoneOffset offset;          // the offset applied: local = Greenwich + offset
    std::string notice;         // set when the local time happened twice
};

struct BirthConversion {
    std::optional<GreenwichBirth> birth;
    std::string refusal; // why there is no birth: a bad text, an unknown zone, a skipped time
};

BirthConversion ConvertLocalBirth(const Atlas& atlas, const LocalBirth& local);

// The zone's offset at the record's Greenwich date, time and era; before the zone kept standard
// time, the local mean time of the record's longitude. The zone must be known to the atlas.
ZoneOffset ZoneOffsetAtRecord(const Atlas& atlas, const std::string& zone,
                              const ChartRecord& record);

// The offset as "+02:00", "-05:00", or "-00:01:15" when it has seconds.
std::string OffsetText(int seconds);

// Place texts rounded to the nearest minute of arc: "DDSMM" and "DDDSMM" (west positive when
// longitudeDeg is negative). A place that rounds past the last degree the entry accepts is
// written with 60 minutes (89N60, 179E60).
std::string LatitudeTextOf(double latitudeDeg);
std::string LongitudeTextOf(double longitudeDeg);

} // namespace astrodesk
