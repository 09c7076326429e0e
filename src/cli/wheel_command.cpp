#include "commands.hpp"
#include "display_list_painter.hpp"
#include "headless_chart.hpp"
#include "offscreen_qt.hpp"
#include "output_file.hpp"
#include "present/svg_export.hpp"
#include "present/wheel.hpp"

#include <CLI/CLI.hpp>
#include <QImage>
#include <QString>
#include <fstream>
#include <memory>

namespace astrodesk::cli {

namespace {

// Scale factors of the picture: from a thumbnail to poster size.
constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 10.0;

struct WheelArguments {
    RecordArguments record;
    TechniqueArguments technique;
    PartnerArguments partner;
    std::string output;
    double scale = 1.0;
};

enum class PictureFormat { Png, Svg };

std::optional<PictureFormat> FormatOf(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    if (extension == ".png") return PictureFormat::Png;
    if (extension == ".svg") return PictureFormat::Svg;
    return std::nullopt;
}

bool WriteSvg(const PictureBox& box, double scale, const std::string& fileName) {
    std::ofstream file(fileName, std::ios::binary);
    file << PictureBoxSvg(box, scale);
    return static_cast<bool>(file.flush());
}

bool WritePng(const PictureBox& box, double scale, const std::string& fileName) {
    const auto application = StartOffscreenQt();
    return RenderPictureBox(box, scale).save(QString::fromStdString(fileName), "PNG");
}

void WriteWheel(const WheelArguments& arguments) {
    const std::optional<PictureFormat> format = FormatOf(arguments.output);
    if (!format)
        RefuseArgument("refused -o \"" + arguments.output +
                       "\": expected a file name ending in .png or .svg");
    if (!(arguments.scale >= kMinScale && arguments.scale <= kMaxScale))
        RefuseArgument("refused --scale: expected a factor from 0.1 to 10");
    RecordingOutputScreen output;
    const ProgramState state =
        ComputeHeadlessChart(arguments.record, output, arguments.technique, arguments.partner);
    DrawWheelPage(state, output.Screen);
    const bool written = *format == PictureFormat::Png
                             ? WritePng(output.Screen, arguments.scale, arguments.output)
                             : WriteSvg(output.Screen, arguments.scale, arguments.output);
    if (!written) RefuseArgument("cannot write the picture file \"" + arguments.output + "\"");
}

} // namespace

void AddWheelCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "wheel", "The chart wheel of a birth record as a PNG or SVG picture, drawn as on the "
                 "output screen (every record option defaults as for chart); with a technique "
                 "the technique chart's wheel, with partner options the relationship chart's");
    auto arguments = std::make_shared<WheelArguments>();
    AddRecordOptions(*command, arguments->record);
    AddTechniqueOptions(*command, arguments->technique);
    AddPartnerOptions(*command, arguments->partner);
    command->add_option("-o,--output", arguments->output, "Picture file, .png or .svg")->required();
    command->add_option("--scale", arguments->scale,
                        "Size factor over the output screen's 638 x 428 pixels (default 1)");
    command->callback([arguments] { WriteWheel(*arguments); });
}

} // namespace astrodesk::cli
