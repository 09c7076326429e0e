#pragma once

// The atlas of the system: the gazetteer of about 24,000 cities that Debian ships (geonames),
// completed by the zone cities of the system's time-zone database (tzdata), whose history of
// offsets it also gives. The place index is built at the first search of the process and shared
// by every SystemAtlas; the gazetteer's places are kept in the user's cache folder.

#include "atlas/atlas.hpp"

namespace astrodesk {

class SystemAtlas final : public Atlas {
  public:
    std::vector<AtlasPlace> FindPlaces(std::string_view query) const override;
    bool KnowsZone(const std::string& zone) const override;
    ZonePeriod PeriodAt(const std::string& zone, long long universalSeconds) const override;
};

} // namespace astrodesk
