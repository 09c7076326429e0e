// astrodesk-cli theory: what each body theory returns for one instant, one body a line.

#include "astro/day_count.hpp"
#include "commands.hpp"
#include "ephemeris/mean_orbits.hpp"
#include "ephemeris/moon_theory.hpp"
#include "ephemeris/planet_theories.hpp"
#include "headless_chart.hpp"
#include "record_options.hpp"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json; // keys in the order written

struct TheoryArguments {
    RecordArguments record; // date, time and era only
    std::string format = "text";
};

struct BodyResult {
    std::string body;
    double L; // degrees
    double B; // degrees
    double R; // AU; Earth radii for the Moon
};

struct TheoryResults {
    std::vector<BodyResult> bodies; // the Sun and the planets, Pluto twice, ZED
    BodyResult moon;
};

// Julian centuries from J2000 of the record's date and Greenwich time, by the chart's day count.
double CenturiesFromJ2000(ChartRecord record) {
    const std::string date = record.ChartDate, time = record.ChartTime; // validated forms
    record.ChartDate = date.substr(0, 2) + date.substr(3, 2) + date.substr(6, 4);
    record.ChartTime = time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 2);
    WorkingCopies working;
    working.ChartEraFlag = record.ChartEra;
    ChartFrame frame;
    ComputeDayCount(record, working, frame);
    return frame.JulianCenturies - 1.0;
}

TheoryResults EvaluateTheories(double T, const CoefficientTables& tables) {
    using Series = void (*)(double, const CoefficientTables&, PositionTables&);
    const std::pair<const char*, Series> series[] = {
        {"SUN", SunTheory},       {"MERCURY", MercuryTheory}, {"VENUS", VenusTheory},
        {"MARS", MarsTheory},     {"JUPITER", JupiterTheory}, {"SATURN", SaturnTheory},
        {"URANUS", UranusTheory}, {"NEPTUNE", NeptuneTheory}, {"PLUTO", PlutoTheory},
    };
    TheoryResults results;
    PositionTables p;
    for (const auto& [body, theory] : series) {
        theory(T, tables, p);
        results.bodies.push_back({body, p.TheoryL, p.TheoryB, p.TheoryR});
    }
    PlutoMeanOrbit(T, p);
    results.bodies.push_back({"PLUTO MEAN ORBIT", p.TheoryL, p.TheoryB, p.TheoryR});
    ZedOrbit(T, p);
    results.bodies.push_back({"ZED", p.TheoryL, p.TheoryB, p.TheoryR});
    MoonTheory(T, tables, p);
    results.moon = {"MOON", p.MoonLongitude, p.MoonLatitude, p.TheoryR};
    return results;
}

// A series that gives no positive radius has broken down: its radius is not shown.
bool HasRadius(const BodyResult& r) {
    return r.R > 0.0;
}

void PrintLine(const BodyResult& r) {
    std::printf("%-17s %16.10f %16.10f", r.body.c_str(), r.L, r.B);
    if (HasRadius(r))
        std::printf(" %16.10f\n", r.R);
    else
        std::printf("\n");
}

json RadiusJson(const BodyResult& r) {
    return HasRadius(r) ? json(r.R) : json(nullptr);
}

void PrintText(double T, const TheoryResults& results) {
    std::printf("T = %.12f Julian centuries from J2000\n", T);
    std::printf("%-17s %16s %16s %16s\n", "BODY", "L (DEG)", "B (DEG)", "R (AU)");
    for (const BodyResult& r : results.bodies)
        PrintLine(r);
    PrintLine(results.moon);
    std::printf("(the Moon's R in Earth radii)\n");
}

void PrintJson(double T, const TheoryResults& results) {
    json bodies = json::array();
    for (const BodyResult& r : results.bodies)
        bodies.push_back(
            {{"body", r.body}, {"TheoryL", r.L}, {"TheoryB", r.B}, {"TheoryR", RadiusJson(r)}});
    const BodyResult& moon = results.moon;
    const json out = {{"julianCenturies", T},
                      {"bodies", bodies},
                      {"moon",
                       {{"MoonLongitude", moon.L},
                        {"MoonLatitude", moon.B},
                        {"distanceEarthRadii", RadiusJson(moon)}}}};
    std::cout << out.dump(2) << '\n';
}

void RunTheoryCommand(const TheoryArguments& arguments) {
    ChartRecord record;
    Options unusedOptions;
    std::optional<PlaceReport> unusedPlace;
    if (auto refusal = ApplyRecordArguments(arguments.record, record, unusedOptions, unusedPlace))
        RefuseArgument(*refusal);
    SharedCoefficientTables tables;
    LoadCoefficientFiles(tables);
    const double T = CenturiesFromJ2000(record);
    NoteSeriesRange(record, T);
    const auto results = EvaluateTheories(T, tables);
    if (arguments.format == "json")
        PrintJson(T, results);
    else
        PrintText(T, results);
}

} // namespace

void AddTheoryCommand(CLI::App& app) {
    auto arguments = std::make_shared<TheoryArguments>();
    CLI::App* command = app.add_subcommand(
        "theory", "What each body theory returns for an instant (ecliptic of date, geometric)");
    command->add_option("--date", arguments->record.date, "Date DD-MM-YYYY")->required();
    command->add_option("--time", arguments->record.time, "Greenwich time HH:MM:SS")->required();
    command->add_option("--era", arguments->record.era, "Era AD (default) or BC");
    command->add_option("--format", arguments->format, "Output: text (default) or json")
        ->check(CLI::IsMember({"text", "json"}));
    command->callback([arguments] { RunTheoryCommand(*arguments); });
}

} // namespace astrodesk::cli
