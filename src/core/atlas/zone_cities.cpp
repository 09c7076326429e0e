#include "atlas/zone_cities.hpp"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>

namespace astrodesk {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The table's lines that are not comments, each cut at its tabs.
std::vector<std::vector<std::string_view>> TableRows(std::string_view table) {
    std::vector<std::vector<std::string_view>> rows;
    for (const std::string_view line : Split(table, '\n'))
        if (!line.empty() && line.front() != '#') rows.push_back(Split(line, '\t'));
    return rows;
}

std::optional<int> Digits(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "±DDMM" or "±DDMMSS" (latitude, 2 degree digits) and "±DDDMM" or "±DDDMMSS" (longitude, 3),
// in degrees, north and east positive.
std::optional<double> Angle(std::string_view text, std::size_t degreeDigits) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const std::size_t digits = text.size() - 1;
    if (digits != degreeDigits + 2 && digits != degreeDigits + 4) return std::nullopt;
    const auto degrees = Digits(text.substr(1, degreeDigits));
    const auto minutes = Digits(text.substr(1 + degreeDigits, 2));
    const auto seconds = digits > degreeDigits + 2 ? Digits(text.substr(3 + degreeDigits, 2)) : 0;
    if (!degrees || !minutes || !seconds) return std::nullopt;
    const double angle = *degrees + *minutes / 60.0 + *seconds / 3600.0;
    return text[0] == '-' ? -angle : angle;
}

// The zone's last part with blanks for its underscores.
std::string CityOfZone(std::string_view zone) {
    std::string city(zone.substr(zone.rfind('/') + 1));
    std::replace(city.begin(), city.end(), '_', ' ');
    return city;
}

std::optional<AtlasPlace> ZoneCity(const std::vector<std::string_view>& row,
                                   const std::map<std::string, std::string>& countryNames) {
    if (row.size() < 3 || row[1].size() < 11) return std::nullopt;
    const std::size_t longitudeAt = row[1].find_first_of("+-", 1);
    if (longitudeAt == std::string_view::npos) return std::nullopt;
    const auto latitude = Angle(row[1].substr(0, longitudeAt), 2);
    const auto longitude = Angle(row[1].substr(longitudeAt), 3);
    if (!latitude || !longitude) return std::nullopt;
    const auto country = countryNames.find(std::string(Split(row[0], ',').front()));
    AtlasPlace city{CityOfZone(row[2]),
                    "",
                    country == countryNames.end() ? "" : country->second,
                    std::string(row[2]),
                    *latitude,
                    *longitude,
                    0};
    if (city.country.starts_with(city.name + ' ')) city.name = city.country;
    return city;
}

} // namespace

std::map<std::string, std::string> CountryNamesOf(std::string_view iso3166Table) {
    std::map<std::string, std::string> names;
    for (const auto& row : TableRows(iso3166Table))
        if (row.size() >= 2) names.emplace(row[0], row[1]);
    return names;
}

std::vector<AtlasPlace> ZoneCitiesOf(const std::vector<std::string_view>& zoneTables,
                                     const std::map<std::string, std::string>& countryNames) {
    std::vector<AtlasPlace> cities;
    std::set<std::string> zones;
    for (const std::string_view table : zoneTables)
        for (const auto& row : TableRows(table))
            if (auto city = ZoneCity(row, countryNames); city && zones.insert(city->zone).second)
                cities.push_back(std::move(*city));
    return cities;
}

} // namespace astrodesk
