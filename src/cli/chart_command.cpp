#include "astro/angles.hpp"
#include "atlas/local_birth.hpp"
#include "commands.hpp"
#include "ephemeris/body_theory.hpp"
#include "headless_chart.hpp"
#include "interpret/factors.hpp"
#include "present/listing.hpp"
#include "record_options.hpp"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json; // keys in the order written

// The listing exactly as the output screen shows it, one screen line per line.
void PrintListing(const RecordingOutputScreen& output) {
    for (const auto& page : output.Pages())
        for (const std::string& line : page.screenText)
            std::cout << line << '\n';
}

std::string Trimmed(const std::string& text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

json BodiesJson(const ProgramState& state) {
    static const char* const kMotionMarks[] = {"", "R", "SR", "SD"};
    const PositionTables& p = state.positions;
    json bodies = json::array();
    for (int slot = 1; slot <= 15; ++slot) {
        json body = {{"slot", slot},
                     {"code", state.bodies.BodyAbbrev[slot]},
                     {"name", Trimmed(state.bodies.BodyName[slot])},
                     {"longitudeDeg", LongitudeDegrees(p.BodyLongitude[slot])},
                     {"latitudeDeg", RadToDeg(p.BodyLatitude[slot])}};
        if (slot <= 12) {
            const int motion = p.BodyMotion[slot];
            if (const auto reason = UndefinedDistanceReason(state, slot)) {
                body["distanceAU"] = nullptr;
                body["distanceNote"] = *reason;
            } else {
                body["distanceAU"] = p.BodyDistance[slot];
            }
            body["motion"] = motion >= 1 && motion <= 3 ? kMotionMarks[motion] : "";
        }
        bodies.push_back(body);
    }
    return bodies;
}

json AspectsJson(const Factors& factors) {
    json aspects = json::array();
    for (int i = 1; i <= 12; ++i)
        for (int j = i + 1; j <= 13; ++j)
            if (const int code = factors.AspectCode[AspectIndex(i, j)]; code != 0)
                aspects.push_back(
                    {{"i", i}, {"j", j}, {"type", AspectName(code / 10)}, {"stars", code % 10}});
    return aspects;
}

json PlaceJson(const PlaceReport& place) {
    return {{"name", place.name},
            {"region", place.region},
            {"country", place.country},
            {"zone", place.zone},
            {"utcOffset", OffsetText(place.offset.seconds)},
            {"abbreviation", place.offset.abbreviation}};
}

json ChartJson(const ProgramState& state, const std::optional<PlaceReport>& place) {
    const ChartRecord& r = state.record;
    const ChartFrame& frame = state.frame;
    const Factors& factors = state.factors;
    json cusps = json::array(), sectors = json::array(), strength = json::array();
    for (int house = 1; house <= 12; ++house)
        cusps.push_back(LongitudeDegrees(frame.HouseCusp[house]));
    for (int slot = 1; slot <= 12; ++slot)
        sectors.push_back(factors.FactorHouse[slot]);
    for (int slot = 1; slot <= 13; ++slot)
        strength.push_back(factors.FactorStrength[slot]);
    json record = {{"name", r.ChartName},         {"date", r.ChartDate},
                   {"time", r.ChartTime},         {"era", r.ChartEra == 1 ? "B.C." : "A.D."},
                   {"latitude", r.ChartLatitude}, {"longitude", r.ChartLongitude}};
    if (place) record["place"] = PlaceJson(*place);
    // The moment charted, counted from JD 2415020.0 as the techniques count it.
    record["effectiveJulianCenturies"] = frame.JulianCenturies + 1.0;
    return {
        {"record", record},
        {"options",
         {{"centre", state.options.CentreBody},
          {"houseSystem", state.options.HouseSystem},
          {"orb", state.options.OrbDegrees},
          {"zodiac", state.options.Zodiac},
          {"technique", state.options.Technique},
          {"timesArrow", state.options.TimesArrow},
          {"relationshipChart", state.options.RelationshipChart}}},
        {"julianCenturies", frame.JulianCenturies},
        {"outsideSeriesRange", !WithinSeriesRange(frame.JulianCenturies)},
        {"seriesRange",
         {{"fromYear", kSeriesRangeFromYear},
          {"toYear", kSeriesRangeToYear},
          {"fromJulianCenturies", kSeriesRangeFrom},
          {"toJulianCenturies", kSeriesRangeTo}}},
        {"ramcDeg", LongitudeDegrees(frame.RAMC)},
        {"obliquityDeg", RadToDeg(frame.Obliquity)},
        {"latitudeDeg", RadToDeg(frame.Latitude)},
        {"longitudeWestDeg", frame.LongitudeWest},
        {"nutationLongitudeDeg", state.positions.NutationLongitude},
        {"lunarNodeDeg", state.positions.LunarNode},
        {"houseSystemUndefined", frame.HouseSystemUndefined},
        {"bodies", BodiesJson(state)},
        {"cusps", cusps},
        {"elements",
         {{"fire", factors.FireCount},
          {"earth", factors.EarthCount},
          {"air", factors.AirCount},
          {"water", factors.WaterCount}}},
        {"sectors", sectors},
        {"aspects", AspectsJson(factors)},
        {"strength", strength},
    };
}

struct ChartPrinting {
    ChartArguments chart;
    std::string format = "listing";
};

// The options of a command that prints one chart, and its action.
std::shared_ptr<ChartPrinting> AddChartPrinting(CLI::App& command) {
    auto arguments = std::make_shared<ChartPrinting>();
    AddRecordOptions(command, arguments->chart.record);
    AddTechniqueOptions(command, arguments->chart.technique);
    command.add_option("--format", arguments->format, "listing (default): the screen's text; json")
        ->check(CLI::IsMember({"listing", "json"}));
    command.callback([arguments] {
        std::optional<PlaceReport> place;
        ProgramState state = ComputeHeadlessChart(arguments->chart, &place);
        if (arguments->format == "json") {
            std::cout << ChartJson(state, place).dump(2, ' ', false, json::error_handler_t::replace)
                      << '\n';
        } else {
            RecordingOutputScreen output;
            ShowHeadlessListing(state, output);
            PrintListing(output);
        }
    });
    return arguments;
}

} // namespace

void AddChartCommand(CLI::App& app) {
    AddChartPrinting(*app.add_subcommand(
        "chart", "Compute a horoscope, natal or by a predictive technique, and print its listing "
                 "or its figures as JSON (every option defaults to the present moment at 53N28 "
                 "002W13)"));
}

void AddRelationshipCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "relationship", "The relationship chart of two people by the great circle method: the "
                        "mean of their birth moments at the midpoint of their birthplaces (the "
                        "record options give the first person)");
    const auto arguments = AddChartPrinting(*command);
    AddPartnerOptions(*command, arguments->chart.partner)->required();
}

} // namespace astrodesk::cli
