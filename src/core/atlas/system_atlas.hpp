#pragma once

// The atlas of the system: the gazetteer of about 24,000 cities that Debian ships (geonames)
// and the system's time-zone database (tzdata), with its historical offsets.

#include "atlas/atlas.hpp"

namespace astrodesk {

class SystemAtlas final : public Atlas {
  public:
    std::vector<AtlasPlace> FindPlaces(std::string_view query) const override;
    bool KnowsZone(const std::string& zone) const override;
    ZonePeriod PeriodAt(const std::string& zone, long long universalSeconds) const override;
};

} // namespace astrodesk
