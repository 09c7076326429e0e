#include "atlas/system_atlas.hpp"

#include "atlas/place_index.hpp"
#include "atlas/zone_cities.hpp"

#include <cmath>
#include <date/tz.h>
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

// Every city of the gazetteer; the country names it uses, by code, into `countryNames`.
std::vector<AtlasPlace> GazetteerPlaces(std::map<std::string, std::string>& countryNames) {
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
        countryNames[Text(geonames_city_get_country_code(entry))] = places.back().country;
    }
    return places;
}

// A table of the time-zone database, empty when it cannot be read.
std::string ZoneTable(const char* name) {
    std::ifstream file(std::string(kZoneTableFolder) + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

PlaceIndex BuildPlaceIndex() {
    std::map<std::string, std::string> countryNames = CountryNamesOf(ZoneTable("iso3166.tab"));
    std::vector<AtlasPlace> places = GazetteerPlaces(countryNames);
    const std::string zoneTab = ZoneTable("zone.tab"), zone1970Tab = ZoneTable("zone1970.tab");
    return PlaceIndex(std::move(places), ZoneCitiesOf({zoneTab, zone1970Tab}, countryNames));
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
