#include "chart_json.hpp"
#include "commands.hpp"
#include "headless_chart.hpp"
#include "record_options.hpp"

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
    AddPartnerOptions(*command, arguments->chart.partner)->required();
}

} // namespace astrodesk::cli
