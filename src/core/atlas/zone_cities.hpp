#pragma once

// The cities that name the zones of the time-zone database, as places of the atlas: its tables
// `zone.tab` and `zone1970.tab` give each zone's country codes and the position of its principal
// city, `iso3166.tab` the countries' names. They add to the gazetteer the places it lacks
// (Singapore, Gibraltar, Vatican City, Macau, Kiritimati), each with its own zone.

#include "atlas/atlas.hpp"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

// Country names by their ISO 3166 alpha-2 code, from the lines "CODE<tab>NAME" of iso3166.tab.
std::map<std::string, std::string> CountryNamesOf(std::string_view iso3166Table);

// The city of each zone of the tables (lines "CODES<tab>±DDMM[SS]±DDDMM[SS]<tab>ZONE[<tab>...]",
// `#` comments), each zone once, in the order of the tables. The name is the zone's last part
// ("America/Port_of_Spain": "Port of Spain"), or the country's name when that begins with it (a
// city state: "Europe/Vatican" in "Vatican City"); the country that of the first code. No
// region and no population. A line that does not read is skipped.
std::vector<AtlasPlace> ZoneCitiesOf(const std::vector<std::string_view>& zoneTables,
                                     const std::map<std::string, std::string>& countryNames);

} // namespace astrodesk
