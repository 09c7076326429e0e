#include "chart/techniques.hpp"
#include "chart_json.hpp"
#include "commands.hpp"
#include "headless_chart.hpp"
#include "kept_chart_options.hpp"
#include "record_options.hpp"
#include "shell/record_rules.hpp"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace astrodesk::cli {

namespace {

// The listing exactly as the output screen shows it, one screen line per line.
void PrintListing(const RecordingOutputScreen& output) {
    for (const auto& page : output.Pages())
        for (const std::string& line : page.screenText)
            std::cout << line << '\n';
}

struct ChartPrinting {
    ChartArguments chart;
    std::string format = "listing";
    bool needsPartner = false;   // the relationship command
    CLI::Option* save = nullptr; // --save [NAME]
    std::string saveName;
};

// Keeps the natal chart of the record options in the library, under `name` when given, and says
// so on the error stream (the standard output carries the chart).
void SaveChart(const ProgramState& state, const std::optional<PlaceReport>& place,
               const RecordArguments& given, const std::string& name) {
    // A technique or relationship chart keeps the natal record it was derived from.
    const bool derived = state.options.Technique != kNatal || state.options.RelationshipChart == 1;
    ChartRecord record = state.record;
    if (derived) {
        const SavedRecord& natal = state.snapshots.NatalRecord;
        record = {natal.ChartName,     natal.ChartDate,      natal.ChartTime,
                  natal.ChartLatitude, natal.ChartLongitude, "",
                  natal.ChartEra};
    }
    if (!name.empty()) {
        const std::optional<std::string> accepted = AcceptName(name);
        if (!accepted)
            RefuseArgument("refused --save \"" + name +
                           "\": expected a name that is "
                           "not empty, in UTF-8, without control characters");
        record.ChartName = *accepted;
    }
    const auto library = OpenedLibrary(given.library.value_or(""), LibraryAccess::Write);
    const auto [id, added] =
        ReportingLibraryErrors([&] { return library->Add(ChartToKeep(record, place, given)); });
    std::cerr << "astrodesk-cli: " << (added ? "kept as chart " : "already kept as chart ") << id
              << " in " << library->Path() << '\n';
}

// The options of a command that prints one chart, and its action.
std::shared_ptr<ChartPrinting> AddChartPrinting(CLI::App& command) {
    auto arguments = std::make_shared<ChartPrinting>();
    AddRecordOptions(command, arguments->chart.record);
    AddTechniqueOptions(command, arguments->chart.technique);
    command.add_option("--format", arguments->format, "listing (default): the screen's text; json")
        ->check(CLI::IsMember({"listing", "json"}));
    arguments->save = command
                          .add_option("--save", arguments->saveName,
                                      "Keep the natal chart of the record in the library, "
                                      "under NAME when given")
                          ->expected(0, 1);
    command.callback([arguments] {
        const PartnerArguments& partner = arguments->chart.partner;
        std::optional<PlaceReport> place;
        if (arguments->needsPartner && !partner.birth.date && !partner.birth.chart)
            RefuseArgument("--partner-date or --partner-chart is required");
        ProgramState state = ComputeHeadlessChart(arguments->chart, &place);
        if (arguments->save->count() > 0)
            SaveChart(state, place, arguments->chart.record, arguments->saveName);
        if (arguments->format == "json") {
            JsonWriter out;
            WriteChartJson(state, place, out);
            // Indented for a reader; the figures read back exactly as written.
            std::cout << nlohmann::ordered_json::parse(out.Text()).dump(2) << '\n';
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
    AddPartnerOptions(*command, arguments->chart.partner);
    arguments->needsPartner = true;
}

} // namespace astrodesk::cli
