#include "commands.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "headless_chart.hpp"
#include "maps/draw_maps.hpp"
#include "picture_files.hpp"
#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <array>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json; // keys in the order written

// Option names in the order of the option codes.
constexpr std::array<std::string_view, 2> kProjectionNames = {"gnomic", "cylindrical"};
constexpr std::array<std::string_view, 3> kTypeNames = {"local-space", "cartography", "pairs"};

struct MapArguments {
    ChartArguments chart;
    std::string area = "europe";
    std::string projection = "gnomic";
    std::string type = "local-space";
    std::optional<std::string> output;
    double scale = 1.0;
    std::optional<std::string> format;
};

// The map's refusals as the desktop's message boxes would show them, on the error stream.
class ErrorStreamDialogs final : public Dialogs {
  public:
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    MessageAnswer MessageBox(const std::string& text, const std::string& title,
                             MessageButtons) override {
        std::cerr << "astrodesk-cli: " << title << ": " << text << '\n';
        return MessageAnswer::Ok;
    }
};

template <std::size_t N>
std::int16_t CodeOrRefuse(const std::array<std::string_view, N>& names, const std::string& name,
                          std::string_view option) {
    for (std::size_t code = 0; code < N; ++code)
        if (names[code] == name) return static_cast<std::int16_t>(code);
    std::string expected;
    for (std::size_t code = 0; code < N; ++code)
        expected += (code == 0 ? "" : code + 1 == N ? " or " : ", ") + std::string(names[code]);
    RefuseArgument("refused " + std::string(option) + " \"" + name + "\": expected " + expected);
}

void ApplyMapArguments(const MapArguments& arguments, Options& options) {
    std::array<std::string_view, kMapAreas.size()> areaNames;
    for (std::size_t code = 0; code < kMapAreas.size(); ++code)
        areaNames[code] = kMapAreas[code].name;
    options.MapArea = CodeOrRefuse(areaNames, arguments.area, "--area");
    options.MapProjection = CodeOrRefuse(kProjectionNames, arguments.projection, "--projection");
    options.MapType = CodeOrRefuse(kTypeNames, arguments.type, "--type");
}

json PointJson(const PlanePoint& point) {
    return json::array({point.x, point.y});
}

json MapJson(const MapPicture& picture) {
    json map = {{"area", kMapAreas.at(static_cast<std::size_t>(picture.area)).name},
                {"projection", kProjectionNames.at(static_cast<std::size_t>(picture.projection))},
                {"type", kTypeNames.at(static_cast<std::size_t>(picture.type))},
                {"window",
                 {{"x0", picture.window.x0},
                  {"y0", picture.window.y0},
                  {"width", picture.window.width},
                  {"height", picture.window.height}}}};
    if (picture.projection == 0)
        map["centre"] = {{"latitudeDeg", picture.centreLatitude},
                         {"longitudeWestDeg", picture.centreLongitudeWest}};
    json marks = json::array(), lines = json::array(), legend = json::array();
    for (const MapMark& mark : picture.marks)
        marks.push_back({{"slot", mark.slot},
                         {"kind", mark.anti ? "anti" : "sub"},
                         {"x", mark.x},
                         {"y", mark.y}});
    for (const MapLine& line : picture.lines) {
        json points = json::array();
        for (const PlanePoint& point : line.points)
            points.push_back(PointJson(point));
        lines.push_back({{"label", line.label}, {"colour", line.colour}, {"points", points}});
    }
    for (const LegendEntry& entry : picture.legend)
        legend.push_back({{"label", entry.label},
                          {"colour", entry.colour},
                          {"column", entry.column},
                          {"row", entry.row}});
    map["marks"] = marks;
    map["lines"] = lines;
    map["legend"] = legend;
    return map;
}

void DrawMapCommand(const MapArguments& arguments) {
    if (arguments.format && *arguments.format != "json")
        RefuseArgument("refused --format \"" + *arguments.format + "\": expected json");
    if (arguments.output) CheckPictureArguments(*arguments.output, arguments.scale);
    ProgramState state = ComputeHeadlessChart(arguments.chart);
    RecordingOutputScreen output;
    ShowHeadlessListing(state, output);
    ApplyMapArguments(arguments, state.options);
    ErrorStreamDialogs dialogs;
    std::optional<MapPicture> picture;
    try {
        picture = DrawMapPage(state, output, dialogs, ProgramDataFiles());
    } catch (const DataFileError& error) {
        std::cerr << "astrodesk-cli: " << EscapedForMessage(error.what()) << '\n';
        throw CLI::RuntimeError(1);
    }
    if (!picture) throw CLI::RuntimeError(kBadArgumentStatus);
    if (arguments.output) WriteOutputPicture(output, arguments.scale, *arguments.output);
    if (arguments.format || !arguments.output)
        std::cout << MapJson(*picture).dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

} // namespace

void AddMapCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "map", "An astro-cartography or local space map of the chart as a PNG or SVG picture "
               "drawn as on the output screen, or its figures as JSON (every record option "
               "defaults as for chart); with a technique the technique chart's, with partner "
               "options the relationship chart's");
    auto arguments = std::make_shared<MapArguments>();
    AddChartOptions(*command, arguments->chart);
    command->add_option("--area", arguments->area,
                        "europe (default), uk, world, usa, far-east, africa, antipodes, "
                        "south-america, polar");
    command->add_option("--projection", arguments->projection, "gnomic (default) or cylindrical");
    command->add_option("--type", arguments->type,
                        "local-space (default), cartography or pairs (a line for each pair of "
                        "bodies)");
    command->add_option("-o,--output", arguments->output, "Picture file, .png or .svg");
    command->add_option("--scale", arguments->scale,
                        "Size factor over the output screen's 638 x 428 pixels (default 1)");
    command->add_option("--format", arguments->format,
                        "json: print the map's figures (printed also when no picture file is "
                        "given)");
    command->callback([arguments] { DrawMapCommand(*arguments); });
}

} // namespace astrodesk::cli
