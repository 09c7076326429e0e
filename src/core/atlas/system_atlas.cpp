#include "atlas/system_atlas.hpp"

#include "atlas/gazetteer_library.hpp"
#include "atlas/place_cache.hpp"
#include "atlas/place_index.hpp"
#include "atlas/zone_cities.hpp"

#include <cmath>
#include <cstdlib>
#include <date/tz.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace astrodesk {

namespace {

// Where the system's time-zone database keeps its tables of zone cities and countries.
constexpr const char* kZoneTableFolder = "/usr/share/zoneinfo/";

// The gazetteer gives every English town the region "England"; the county tells apart the towns
// of England that share a name.
struct County {
    std::string_view town;
    double latitudeDeg, longitudeDeg;
    std::string_view county;
};
constexpr County kCountiesOfEnglishNamesakes[] = {
    {"Ashford", 51.432, -0.458, "Surrey"},   {"Ashford", 51.146, 0.874, "Kent"},
    {"Hayes", 51.516, -0.423, "Hillingdon"}, {"Hayes", 51.378, 0.017, "Bromley"},
    {"Neston", 53.283, -3.050, "Cheshire"},  {"Neston", 51.412, -2.201, "Wiltshire"},
};
constexpr double kSamePositionDegrees = 0.01;

// "Kent, England" for the English namesakes, the gazetteer's region otherwise.
std::string RegionOf(const std::string& name, std::string region, double latitude,
                     double longitude) {
    for (const County& county : kCountiesOfEnglishNamesakes)
        if (county.town == name && region == "England" &&
            std::abs(county.latitudeDeg - latitude) < kSamePositionDegrees &&
            std::abs(county.longitudeDeg - longitude) < kSamePositionDegrees)
            return std::string(county.county) + ", " + region;
    return region;
}

// A table of the time-zone database, empty when it cannot be read.
std::string ZoneTable(const char* name) {
    std::ifstream file(std::string(kZoneTableFolder) + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The user's cache folder: $XDG_CACHE_HOME, or .cache in the home folder.
std::filesystem::path PlaceCacheFile() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (cache && *cache == '/') return std::filesystem::path(cache) / "astrodesk" / "places.tsv";
    if (home && *home == '/')
        return std::filesystem::path(home) / ".cache" / "astrodesk" / "places.tsv";
    return {};
}

// The gazetteer's places, the English namesakes with their counties.
std::vector<AtlasPlace> GazetteerPlaces(const GazetteerLibrary& gazetteer) {
    std::vector<AtlasPlace> places = gazetteer.Cities();
    for (AtlasPlace& place : places)
        place.region =
            RegionOf(place.name, std::move(place.region), place.latitudeDeg, place.longitudeDeg);
    return places;
}

// The gazetteer's places from the cache when it was written from this gazetteer, else from
// the gazetteer itself, then kept in the cache. Without the gazetteer library, none: the atlas
// then knows the time-zone database's cities alone, and says so once.
std::vector<AtlasPlace> CachedGazetteerPlaces() {
    const GazetteerLibrary gazetteer;
    if (!gazetteer.Problem().empty()) {
        std::cerr << "astrodesk: " << gazetteer.Problem()
                  << "; places are found among the time-zone database's cities alone\n";
        return {};
    }
    const std::string source = gazetteer.Source();
    const std::filesystem::path cache = PlaceCacheFile();
    const bool cacheable = !source.empty() && !cache.empty();
    if (cacheable)
        if (auto places = ReadPlaceCache(cache, source)) return std::move(*places);
    std::vector<AtlasPlace> places = GazetteerPlaces(gazetteer);
    if (cacheable) WritePlaceCache(cache, source, places);
    return places;
}

PlaceIndex BuildPlaceIndex() {
    const std::string zoneTab = ZoneTable("zone.tab"), zone1970Tab = ZoneTable("zone1970.tab");
    return PlaceIndex(
        CachedGazetteerPlaces(),
        ZoneCitiesOf({zoneTab, zone1970Tab}, CountryNamesOf(ZoneTable("iso3166.tab"))));
}

// Built at the first query of the process; later queries, from any thread, share it.
const PlaceIndex& ProcessPlaceIndex() {
    static const PlaceIndex index = BuildPlaceIndex();
    return index;
}

} // namespace

std::vector<AtlasPlace> SystemAtlas::FindPlaces(std::string_view query) const {
    return ProcessPlaceIndex().Find(query);
}

bool SystemAtlas::KnowsZone(const std::string& zone) const {
    try {
        date::locate_zone(zone);
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

ZonePeriod SystemAtlas::PeriodAt(const std::string& zone, long long universalSeconds) const {
    const date::sys_info info = date::locate_zone(zone)->get_info(
        date::sys_seconds(std::chrono::seconds(universalSeconds)));
    return {info.begin.time_since_epoch().count(),
            info.end.time_since_epoch().count(),
            {static_cast<int>(info.offset.count()), info.abbrev}};
}

} // namespace astrodesk
