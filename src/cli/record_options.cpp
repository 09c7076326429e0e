#include "record_options.hpp"

#include "astro/angles.hpp"
#include "astro/place_text.hpp"
#include "atlas/local_birth.hpp"
#include "atlas/system_atlas.hpp"
#include "commands.hpp"
#include "kept_chart_options.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <array>
#include <iostream>
#include <string_view>

namespace astrodesk::cli {

namespace {

// Option names of the house systems, in the order of their codes.
constexpr std::array<std::string_view, 5> kHouseSystemNames = {"equal", "campanus", "regiomontanus",
                                                               "placidus", "koch"};

// Option names of the centre bodies, in the order of their codes (internal body indices).
constexpr std::array<std::string_view, 11> kCentreNames = {"sun",     "mercury", "venus",  "earth",
                                                           "mars",    "jupiter", "saturn", "uranus",
                                                           "neptune", "pluto",   "zed"};
constexpr std::array<std::string_view, 2> kZodiacNames = {"tropical", "precessed"};

// The code of a name in a table of option names, the index of the name.
template <std::size_t N>
std::optional<std::int16_t> CodeOf(const std::array<std::string_view, N>& names,
                                   std::string_view name) {
    for (std::size_t code = 0; code < names.size(); ++code)
        if (names[code] == name) return static_cast<std::int16_t>(code);
    return std::nullopt;
}

std::optional<std::int16_t> OrbCode(const std::string& text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    const int orb = std::stoi(text);
    return orb <= 10 ? std::optional<std::int16_t>(static_cast<std::int16_t>(orb)) : std::nullopt;
}

std::string Refusal(std::string_view option, const std::string& value, std::string_view form) {
    return "refused " + std::string(option) + " \"" + value + "\": expected " + std::string(form);
}

// Passes an optional text through a field rule into its place; false when the rule refuses.
template <typename Rule, typename Store>
bool Applied(const std::optional<std::string>& text, Rule rule, Store store) {
    if (!text) return true;
    const auto accepted = rule(*text);
    if (accepted) store(*accepted);
    return accepted.has_value();
}

// --place, --local-time and --zone: the place's texts and the Greenwich moment of the local
// time into the record. Returns a refusal, or nothing.
std::optional<std::string> ApplyPlaceArguments(const RecordArguments& arguments,
                                               ChartRecord& record,
                                               std::optional<PlaceReport>& report) {
    if (!arguments.place && !arguments.localTime && !arguments.zone) return std::nullopt;
    if (arguments.place && (arguments.latitude || arguments.longitude))
        return "--place takes the place of --lat and --lon: give one or the other";
    if (arguments.localTime && arguments.time)
        return "--local-time takes the place of --time: give one or the other";
    const SystemAtlas atlas;
    PlaceReport place;
    if (arguments.place && !IsPrintableUtf8(*arguments.place))
        return Refusal("--place", *arguments.place,
                       "a place name in UTF-8 without control characters such as line breaks or "
                       "tabs");
    if (arguments.place) {
        const std::vector<AtlasPlace> matches = atlas.FindPlaces(*arguments.place);
        if (matches.empty())
            return "refused --place \"" + *arguments.place + "\": no place in the atlas matches it";
        const AtlasPlace& found = matches.front();
        place = {found.name, found.region, found.country, found.zone, {}};
        record.ChartLatitude = LatitudeTextOf(found.latitudeDeg);
        record.ChartLongitude = LongitudeTextOf(found.longitudeDeg);
    }
    if (arguments.zone) place.zone = *arguments.zone;
    if (place.zone.empty()) return "--local-time needs --place or --zone to know the clock's zone";
    if (!atlas.KnowsZone(place.zone))
        return Refusal("--zone", place.zone, "a time-zone name such as Europe/London");
    if (arguments.localTime) {
        const double east = -LongitudeWestFromText(record.ChartLongitude);
        const double north = RadToDeg(LatitudeFromText(record.ChartLatitude));
        const BirthConversion conversion =
            ConvertLocalBirth(atlas, {record.ChartDate, *arguments.localTime, record.ChartEra,
                                      place.zone, north, east});
        if (!conversion.birth) return "refused --local-time: " + conversion.refusal;
        const GreenwichBirth& birth = *conversion.birth;
        if (!birth.notice.empty()) std::cerr << "astrodesk-cli: note: " << birth.notice << '\n';
        record.ChartDate = birth.ChartDate;
        record.ChartTime = birth.ChartTime;
        record.EraText = birth.EraText;
        record.ChartEra = birth.ChartEra;
    }
    place.offset = ZoneOffsetAtRecord(atlas, place.zone, record);
    report = place;
    return std::nullopt;
}

} // namespace

void AddChartChoiceOptions(CLI::App& command, RecordArguments& arguments) {
    command.add_option("--house", arguments.houseSystem,
                       "House system: equal (default), campanus, regiomontanus, placidus, koch");
    command.add_option("--centre", arguments.centre,
                       "Body at the centre: sun, mercury, venus, earth (default), mars, jupiter, "
                       "saturn, uranus, neptune, pluto, zed");
    command.add_option("--orb", arguments.orb, "Aspect orb in whole degrees 0..10 (default 6)");
    command.add_option("--zodiac", arguments.zodiac, "Zodiac: tropical (default) or precessed");
}

void AddRecordOptions(CLI::App& command, RecordArguments& arguments) {
    command.add_option("--name", arguments.name, "Name of the person or event");
    command.add_option("--date", arguments.date, "Date DD-MM-YYYY (default: today)");
    command.add_option("--time", arguments.time, "Greenwich time HH:MM:SS (default: now)");
    command.add_option("--lat", arguments.latitude, "Latitude DDSMM, e.g. 51N32 (default 53N28)");
    command.add_option("--lon", arguments.longitude,
                       "Longitude DDDSMM, e.g. 002W13 (default 002W13)");
    command.add_option("--era", arguments.era, "Era AD or BC (default AD)");
    AddChartChoiceOptions(command, arguments);
    command.add_option("--place", arguments.place,
                       "Place from the atlas, in place of --lat and --lon: the most populous "
                       "match; \"Ashford, Kent\" narrows by region or country, \"Manchester, "
                       "2\" takes the second that `place Manchester` lists");
    command.add_option("--local-time", arguments.localTime,
                       "Local clock time HH:MM:SS, in place of --time; --date is then the local "
                       "date. The place's time zone and its history give the offset");
    command.add_option("--zone", arguments.zone,
                       "Time zone of --local-time, e.g. Europe/London (default: the place's)");
    command.add_option("--chart", arguments.chart,
                       "A chart of the library (its id, its name or the start of its name), in "
                       "place of --name, --date, --time, --lat, --lon and --era");
    AddLibraryOption(command, arguments.library);
}

void AddLibraryOption(CLI::App& command, std::optional<std::string>& path) {
    command.add_option("--library", path,
                       "The chart library's file (default: $ASTRODESK_LIBRARY, else "
                       "$XDG_DATA_HOME/astrodesk/charts.sqlite)");
}

std::optional<std::string> ApplyRecordArguments(const RecordArguments& given, ChartRecord& record,
                                                Options& options, std::optional<PlaceReport>& place,
                                                std::string_view optionPrefix) {
    RecordArguments arguments = given;
    if (auto refusal = ResolveKeptChart(arguments, optionPrefix)) return refusal;
    const auto refusal = [optionPrefix](std::string_view option, const std::string& value,
                                        std::string_view form) {
        return Refusal(std::string(optionPrefix) + std::string(option), value, form);
    };
    const auto keepIn = [](std::string& field) {
        return [&field](const std::string& value) { field = value; };
    };
    if (!Applied(arguments.name, AcceptName, keepIn(record.ChartName)))
        return refusal("name", *arguments.name,
                       "a name that is not empty, in UTF-8, without control characters such as "
                       "line breaks");
    if (!Applied(arguments.date, AcceptDate, keepIn(record.ChartDate)))
        return refusal("date", *arguments.date,
                       "DD-MM-YYYY with day 01-31, month 01-12 and year 0001-9999");
    if (!Applied(arguments.time, AcceptTime, keepIn(record.ChartTime)))
        return refusal("time", *arguments.time,
                       "Greenwich time HH:MM:SS with hours 00-23, minutes and seconds 00-59");
    if (!Applied(arguments.latitude, AcceptLatitude, keepIn(record.ChartLatitude)))
        return refusal("lat", *arguments.latitude,
                       "latitude DDSMM such as 51N32 or 07S59 (degrees 00-89, N or S, "
                       "minutes 00-60)");
    if (!Applied(arguments.longitude, AcceptLongitude, keepIn(record.ChartLongitude)))
        return refusal("lon", *arguments.longitude,
                       "longitude DDDSMM such as 002W13 or 100E42 (degrees 000-179, E or W, "
                       "minutes 00-60)");
    const auto keepEra = [&record](const EraChoice& era) {
        record.EraText = era.EraText;
        record.ChartEra = era.ChartEra;
    };
    if (!Applied(arguments.era, AcceptEra, keepEra))
        return refusal("era", *arguments.era, "era AD or BC");
    const auto keepCode = [](std::int16_t& field) {
        return [&field](std::int16_t code) { field = code; };
    };
    const auto codeIn = [](const auto& names) {
        return [&names](const std::string& name) { return CodeOf(names, name); };
    };
    if (!Applied(arguments.houseSystem, codeIn(kHouseSystemNames), keepCode(options.HouseSystem)))
        return refusal("house", *arguments.houseSystem,
                       "house system equal, campanus, regiomontanus, placidus or koch");
    if (!Applied(arguments.centre, codeIn(kCentreNames), keepCode(options.CentreBody)))
        return refusal("centre", *arguments.centre,
                       "sun, mercury, venus, earth, mars, jupiter, saturn, uranus, neptune, "
                       "pluto or zed");
    if (!Applied(arguments.orb, OrbCode, keepCode(options.OrbDegrees)))
        return refusal("orb", *arguments.orb, "a whole number of degrees from 0 to 10");
    if (!Applied(arguments.zodiac, codeIn(kZodiacNames), keepCode(options.Zodiac)))
        return refusal("zodiac", *arguments.zodiac, "tropical or precessed");
    return ApplyPlaceArguments(arguments, record, place);
}

// The one way a refusal is told: the values echoed in it cannot steer the user's terminal.
void RefuseArgument(const std::string& message) {
    std::cerr << "astrodesk-cli: " << EscapedForMessage(message) << '\n';
    throw CLI::RuntimeError(kBadArgumentStatus);
}

} // namespace astrodesk::cli
