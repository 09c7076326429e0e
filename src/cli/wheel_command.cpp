#include "commands.hpp"
#include "headless_chart.hpp"
#include "picture_files.hpp"
#include "present/wheel.hpp"

#include <CLI/CLI.hpp>
#include <memory>

namespace astrodesk::cli {

namespace {

struct WheelArguments {
    ChartArguments chart;
    std::string output;
    double scale = 1.0;
};

void WriteWheel(const WheelArguments& arguments) {
    CheckPictureArguments(arguments.output, arguments.scale);
    ProgramState state = ComputeHeadlessChart(arguments.chart);
    RecordingOutputScreen output;
    ShowHeadlessListing(state, output); // the wheel reads the listing's position texts
    DrawWheelPage(state, output.Screen);
    WriteOutputPicture(output, arguments.scale, arguments.output);
}

} // namespace

void AddWheelCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "wheel", "The chart wheel of a birth record as a PNG or SVG picture, drawn as on the "
                 "output screen (every record option defaults as for chart); with a technique "
                 "the technique chart's wheel, with partner options the relationship chart's");
    auto arguments = std::make_shared<WheelArguments>();
    AddChartOptions(*command, arguments->chart);
    command->add_option("-o,--output", arguments->output, "Picture file, .png or .svg")->required();
    command->add_option("--scale", arguments->scale,
                        "Size factor over the output screen's 638 x 428 pixels (default 1)");
    command->callback([arguments] { WriteWheel(*arguments); });
}

} // namespace astrodesk::cli
