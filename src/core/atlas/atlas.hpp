#pragma once

// The atlas: places by name with their position and time zone, and the clock offsets that the
// zone's history gives at a local moment. The program reaches the gazetteer and the time-zone
// database only through this interface.

#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

struct AtlasPlace {
    std::string name;
    std::string region; // state, province or county
    std::string country;
    std::string zone;    // time-zone name, e.g. "Europe/London"
    double latitudeDeg;  // north positive
    double longitudeDeg; // EAST positive, as gazetteers give it
    unsigned population;
};

// A clock offset from Greenwich (local minus Greenwich) and its abbreviation.
struct ZoneOffset {
    int seconds = 0;
    std::string abbreviation; // "BDST", "EST", "+0545"; "LMT" for local mean time
};

// How a zone's clocks read a local date and time: once, never (skipped when the clocks went
// forward: `earlier` is the offset before the change, `later` after it) or twice (repeated when
// they went back: `earlier` is the first offset, `later` the second).
struct LocalTimeReading {
    enum Kind { Unique, Skipped, Repeated } kind = Unique;
    ZoneOffset earlier;
    ZoneOffset later;
};

class Atlas {
  public:
    virtual ~Atlas() = default;
    // Places whose name matches the query (accents and case ignored, a prefix suffices), most
    // populous first. "Name, Region or Country" narrows the matches by region or country.
    virtual std::vector<AtlasPlace> FindPlaces(std::string_view query) const = 0;
    // True for a time-zone name the database knows.
    virtual bool KnowsZone(const std::string& zone) const = 0;
    // The zone's clocks at a local moment, given in seconds from 1970-01-01 00:00 local time of
    // the proleptic Gregorian calendar (the day count's moment less JD 2440587.5).
    virtual LocalTimeReading ReadLocalTime(const std::string& zone,
                                           long long localSeconds) const = 0;
    // The zone's offset at a Greenwich moment, in seconds from 1970-01-01 00:00 Greenwich.
    virtual ZoneOffset OffsetAt(const std::string& zone, long long universalSeconds) const = 0;
};

} // namespace astrodesk
