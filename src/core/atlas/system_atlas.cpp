#include "atlas/system_atlas.hpp"

#include <algorithm>
#include <date/tz.h>
#include <geonames.h>
#include <memory>
#include <stdexcept>

namespace astrodesk {

namespace {

// The text before the first comma, and the comma-separated words after it, blanks trimmed.
struct PlaceQuery {
    std::string name;
    std::vector<std::string> narrowing;
};

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

PlaceQuery SplitQuery(std::string_view query) {
    PlaceQuery split;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = query.find(',', start);
        std::string part = Trimmed(query.substr(start, comma - start));
        if (start == 0)
            split.name = std::move(part);
        else if (!part.empty())
            split.narrowing.push_back(std::move(part));
        if (comma == std::string_view::npos) return split;
        start = comma + 1;
    }
}

struct CityDeleter {
    void operator()(GeonamesCity* city) const { geonames_city_free(city); }
};

AtlasPlace PlaceOf(int index) {
    const std::unique_ptr<GeonamesCity, CityDeleter> city(geonames_get_city(index));
    const auto text = [](const gchar* value) { return std::string(value ? value : ""); };
    return {
        text(geonames_city_get_name(city.get())),    text(geonames_city_get_state(city.get())),
        text(geonames_city_get_country(city.get())), text(geonames_city_get_timezone(city.get())),
        geonames_city_get_latitude(city.get()),      geonames_city_get_longitude(city.get()),
        geonames_city_get_population(city.get())};
}

// Every narrowing word matches the start of a word of the region or the country, accents and
// case ignored ("United States" narrows to "United States of America").
bool Narrowed(const AtlasPlace& place, const std::vector<std::string>& narrowing) {
    return std::all_of(narrowing.begin(), narrowing.end(), [&place](const std::string& term) {
        return g_str_match_string(term.c_str(), place.region.c_str(), TRUE) ||
               g_str_match_string(term.c_str(), place.country.c_str(), TRUE);
    });
}

ZoneOffset OffsetOf(const date::sys_info& info) {
    return {static_cast<int>(info.offset.count()), info.abbrev};
}

} // namespace

std::vector<AtlasPlace> SystemAtlas::FindPlaces(std::string_view query) const {
    const PlaceQuery split = SplitQuery(query);
    std::vector<AtlasPlace> places;
    if (split.name.empty()) return places;
    guint count = 0;
    gint* indices = geonames_query_cities_sync(split.name.c_str(), GEONAMES_QUERY_DEFAULT, &count,
                                               nullptr, nullptr);
    for (guint i = 0; i < count; ++i) {
        AtlasPlace place = PlaceOf(indices[i]);
        if (Narrowed(place, split.narrowing)) places.push_back(std::move(place));
    }
    g_free(indices);
    std::stable_sort(places.begin(), places.end(), [](const AtlasPlace& a, const AtlasPlace& b) {
        return a.population > b.population;
    });
    return places;
}

bool SystemAtlas::KnowsZone(const std::string& zone) const {
    try {
        date::locate_zone(zone);
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

LocalTimeReading SystemAtlas::ReadLocalTime(const std::string& zone, long long localSeconds) const {
    const date::local_info info =
        date::locate_zone(zone)->get_info(date::local_seconds(std::chrono::seconds(localSeconds)));
    switch (info.result) {
    case date::local_info::nonexistent:
        return {LocalTimeReading::Skipped, OffsetOf(info.first), OffsetOf(info.second)};
    case date::local_info::ambiguous:
        return {LocalTimeReading::Repeated, OffsetOf(info.first), OffsetOf(info.second)};
    default:
        return {LocalTimeReading::Unique, OffsetOf(info.first), OffsetOf(info.first)};
    }
}

ZoneOffset SystemAtlas::OffsetAt(const std::string& zone, long long universalSeconds) const {
    return OffsetOf(date::locate_zone(zone)->get_info(
        date::sys_seconds(std::chrono::seconds(universalSeconds))));
}

} // namespace astrodesk
