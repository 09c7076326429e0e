#include "atlas/local_birth.hpp"
#include "atlas/system_atlas.hpp"
#include "commands.hpp"
#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json;

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t count = CharacterCount(text);
    return text + std::string(count < width ? width - count : 0, ' ');
}

// The population, blank where it is not known (a city of the time-zone database).
std::string PopulationText(unsigned population) {
    return population == 0 ? "" : std::to_string(population);
}

// One line a place after its number in the list, the columns as wide as their widest entry.
void PrintTable(const std::vector<AtlasPlace>& places) {
    const std::size_t number = std::to_string(places.size()).size();
    std::size_t name = 0, region = 0, country = 0, zone = 0;
    for (const AtlasPlace& place : places) {
        name = std::max(name, CharacterCount(place.name));
        region = std::max(region, CharacterCount(place.region));
        country = std::max(country, CharacterCount(place.country));
        zone = std::max(zone, CharacterCount(place.zone));
    }
    for (std::size_t row = 0; row < places.size(); ++row) {
        const AtlasPlace& place = places[row];
        const std::string label = std::to_string(row + 1);
        std::string line = std::string(number - label.size(), ' ') + label + "  " +
                           Padded(place.name, name + 2) + Padded(place.region, region + 2) +
                           Padded(place.country, country + 2) + LatitudeTextOf(place.latitudeDeg) +
                           ' ' + LongitudeTextOf(place.longitudeDeg) + "  " +
                           Padded(place.zone, zone + 2) + PopulationText(place.population);
        line.erase(line.find_last_not_of(' ') + 1);
        std::cout << line << '\n';
    }
}

json PlacesJson(const std::vector<AtlasPlace>& places) {
    json list = json::array();
    for (const AtlasPlace& place : places)
        list.push_back({{"number", list.size() + 1},
                        {"name", place.name},
                        {"region", place.region},
                        {"country", place.country},
                        {"latitude", LatitudeTextOf(place.latitudeDeg)},
                        {"longitude", LongitudeTextOf(place.longitudeDeg)},
                        {"zone", place.zone},
                        {"population", place.population}});
    return list;
}

} // namespace

void AddPlaceCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "place", "List the places of the atlas that match a name, most populous first and "
                 "numbered, with the latitude and longitude texts a chart record takes");
    auto query = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("text");
    command
        ->add_option("query", *query,
                     "Name or the beginning of a word of it, accents and case ignored; "
                     "\"Name, Region or Country\" narrows the list, \"Name, N\" takes its N-th "
                     "place")
        ->required();
    command->add_option("--format", *format, "text (default) or json")
        ->check(CLI::IsMember({"text", "json"}));
    command->callback([query, format] {
        const std::vector<AtlasPlace> places = SystemAtlas{}.FindPlaces(*query);
        if (*format == "json") {
            std::cout << PlacesJson(places).dump(2) << '\n';
        } else if (places.empty()) {
            std::cerr << "astrodesk-cli: no place in the atlas matches \""
                      << EscapedForMessage(*query) << "\"\n";
            throw CLI::RuntimeError(1);
        } else {
            PrintTable(places);
        }
    });
}

} // namespace astrodesk::cli
