#pragma once

// The atlas: places by name with their position and time zone, and the periods of one clock
// offset that make up each zone's history. The program reaches the gazetteer and the time-zone
// database only through this interface.

#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

struct AtlasPlace {
    std::string name;
    std::string region; // state, province or county; empty for a city of the time-zone database
    std::string country;
    std::string zone;    // time-zone name, e.g. "Europe/London"
    double latitudeDeg;  // north positive
    double longitudeDeg; // EAST positive, as gazetteers give it
    unsigned population; // 0 when not known
};

// A clock offset from Greenwich (local minus Greenwich) and its abbreviation.
struct ZoneOffset {
    int seconds = 0;
    std::string abbreviation; // "BDST", "EST", "+0545"; "LMT" for local mean time
};

// A stretch of Greenwich time over which a zone's clocks kept one offset: from `begin` up to
// `end`, in seconds from 1970-01-01 00:00 Greenwich.
struct ZonePeriod {
    long long begin = 0;
    long long end = 0;
    ZoneOffset offset;
};

class Atlas {
  public:
    virtual ~Atlas() = default;
    // Places with a word of the name that begins with the query (accents and case ignored), most
    // populous first. "Name, Region or Country" narrows the matches by region or country, and
    // "Name, N" takes the N-th of the list alone. Safe to call from several threads at once.
    virtual std::vector<AtlasPlace> FindPlaces(std::string_view query) const = 0;
    // True for a time-zone name the database knows.
    virtual bool KnowsZone(const std::string& zone) const = 0;
    // The zone's period that holds a Greenwich moment, given in seconds from 1970-01-01 00:00
    // Greenwich of the proleptic Gregorian calendar (the day count's moment less JD 2440587.5).
    virtual ZonePeriod PeriodAt(const std::string& zone, long long universalSeconds) const = 0;
};

} // namespace astrodesk
