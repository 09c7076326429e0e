#include "atlas/system_atlas.hpp"

#include "atlas/place_cache.hpp"
#include "atlas/place_index.hpp"
#include "atlas/zone_cities.hpp"

#include <cmath>
#include <cstdlib>
#include <date/tz.h>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <geonames.h>
#include <iterator>
#include <memory>
#include <stdexcept>

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

struct CityDeleter {
    void operator()(GeonamesCity* city) const { geonames_city_free(city); }
};

std::string Text(const gchar* value) {
    return value ? value : "";
}

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

// Every city of the gazetteer.
std::vector<AtlasPlace> GazetteerPlaces() {
    std::vector<AtlasPlace> places;
    const int count = geonames_get_n_cities();
    places.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        const std::unique_ptr<GeonamesCity, CityDeleter> city(geonames_get_city(index));
        GeonamesCity* entry = city.get();
        const std::string name = Text(geonames_city_get_name(entry));
        const double latitude = geonames_city_get_latitude(entry);
        const double longitude = geonames_city_get_longitude(entry);
        places.push_back(
            {name, RegionOf(name, Text(geonames_city_get_state(entry)), latitude, longitude),
             Text(geonames_city_get_country(entry)), Text(geonames_city_get_timezone(entry)),
             latitude, longitude, geonames_city_get_population(entry)});
    }
    return places;
}

// A table of the time-zone database, empty when it cannot be read.
std::string ZoneTable(const char* name) {
    std::ifstream file(std::string(kZoneTableFolder) + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The gazetteer is the data of the geonames library: the library file's path, size and time of
// change name it. Empty when the file is not found.
std::string GazetteerSource() {
    Dl_info library{};
    if (dladdr(reinterpret_cast<void*>(&geonames_get_n_cities), &library) == 0 ||
        !library.dli_fname)
        return {};
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(library.dli_fname, error);
    const auto size = std::filesystem::file_size(file, error);
    if (error) return {};
    const auto changed = std::filesystem::last_write_time(file, error);
    if (error) return {};
    return file.string() + ' ' + std::to_string(size) + ' ' +
           std::to_string(changed.time_since_epoch().count());
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

// The gazetteer's places from the cache when it was written from this gazetteer, else from
// the gazetteer itself, then kept in the cache.
std::vector<AtlasPlace> CachedGazetteerPlaces() {
    const std::string source = GazetteerSource();
    const std::filesystem::path cache = PlaceCacheFile();
    const bool cacheable = !source.empty() && !cache.empty();
    if (cacheable)
        if (auto places = ReadPlaceCache(cache, source)) return std::move(*places);
    std::vector<AtlasPlace> places = GazetteerPlaces();
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
