// astrodesk-cli interpret: the written interpretation of a chart as the output screen shows it,
// screen by screen; as the printer prints it, into a PDF file; or as the structure of its
// sections in JSON.

#include "commands.hpp"
#include "headless_chart.hpp"
#include "interpret/report.hpp"
#include "output_file.hpp"
#include "qt_pictures.hpp"
#include "record_options.hpp"
#include "technique_options.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json; // keys in the order written

struct InterpretArguments {
    ChartArguments chart;
    std::string output; // empty: the standard output
    std::string format = "text";
};

enum class Destination { Screens, Pdf, Json };

constexpr std::array<const char*, 12> kSignNames = {
    "ARIES", "TAURUS",  "GEMINI",      "CANCER",    "LEO",      "VIRGO",
    "LIBRA", "SCORPIO", "SAGITTARIUS", "CAPRICORN", "AQUARIUS", "PISCES"};

// The report's message boxes go to the error stream; it asks no questions.
class ErrorStreamDialogs final : public Dialogs {
  public:
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    MessageAnswer MessageBox(const std::string& text, const std::string&, MessageButtons) override {
        std::cerr << "astrodesk-cli: " << text << '\n';
        return MessageAnswer::Ok;
    }
};

Destination DestinationOf(const InterpretArguments& arguments) {
    const std::string extension = LowerCaseExtension(arguments.output);
    if (arguments.format == "json") {
        if (extension == ".pdf")
            RefuseArgument("refused -o \"" + arguments.output +
                           "\": the JSON report is text, not a .pdf file");
        return Destination::Json;
    }
    if (arguments.output.empty() || extension == ".txt") return Destination::Screens;
    if (extension == ".pdf") return Destination::Pdf;
    RefuseArgument("refused -o \"" + arguments.output +
                   "\": expected a file name ending in .txt or .pdf");
}

// Every screen's lines, each screen ended by a form feed on a line of its own.
void WriteScreens(const RecordingOutputScreen& output, std::ostream& out) {
    for (const auto& page : output.Pages()) {
        for (const std::string& line : page.screenText)
            out << line << '\n';
        out << "\f\n";
    }
}

json SectionJson(const ReportSection& section) {
    json item = {{"kind", SectionKindName(section.kind)}};
    switch (section.kind) {
    case ReportSection::Kind::Preamble:
        break;
    case ReportSection::Kind::Element:
        item["element"] = section.factor;
        item["count"] = section.number;
        break;
    case ReportSection::Kind::Factor:
        item["factor"] = section.factor;
        item["strength"] = section.number;
        break;
    case ReportSection::Kind::Sign:
        item["factor"] = section.factor;
        item["sign"] = kSignNames[static_cast<std::size_t>(section.number - 1)];
        break;
    case ReportSection::Kind::House:
        item["factor"] = section.factor;
        item["house"] = section.number;
        break;
    case ReportSection::Kind::Aspect:
        item["factor"] = section.factor;
        item["with"] = section.other;
        item["aspect"] = section.aspect;
        item["stars"] = section.stars;
        item["marker"] = section.marker;
        item["note"] = section.note;
        break;
    }
    item["file"] = section.file;
    item["first"] = section.first;
    item["last"] = section.last;
    item["lines"] = section.lines;
    return item;
}

void WriteJson(const ProgramState& state, const ReportOutcome& outcome, std::ostream& out) {
    json sections = json::array();
    for (const ReportSection& section : outcome.sections)
        sections.push_back(SectionJson(section));
    const json report = {{"name", state.record.ChartName}, {"sections", sections}};
    out << report.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

// Whether a file ends with a PDF's end-of-file mark: the PDF writer does not report a write that
// failed on the way (a full disk), and a document cut short lacks its last lines.
bool EndsAsPdf(const std::string& fileName) {
    constexpr std::string_view kEndOfFile = "%%EOF";
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    if (!file || size < static_cast<std::streamoff>(kEndOfFile.size())) return false;
    std::string tail(static_cast<std::size_t>(std::min<std::streamoff>(size, 64)), '\0');
    file.seekg(size - static_cast<std::streamoff>(tail.size()));
    file.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    return file && tail.find(kEndOfFile) != std::string::npos;
}

void Interpret(const InterpretArguments& arguments) {
    const Destination destination = DestinationOf(arguments);
    ProgramState state = ComputeHeadlessChart(arguments.chart);
    state.options.HardCopy = destination == Destination::Pdf ? 1 : 0;
    std::unique_ptr<PdfPrinter> printer;
    std::optional<ReplacingFile> file;
    if (!arguments.output.empty()) file.emplace(arguments.output);
    if (destination == Destination::Pdf) {
        printer = LoadedQtPictures().openPdf(file->PartialName());
    }
    RecordingOutputScreen reportOutput;
    ErrorStreamDialogs dialogs; // tells a refusal or a faulty text file
    const InstalledDataFiles files = ProgramDataFiles();
    const ReportOutcome outcome =
        WriteInterpretation(state, {reportOutput, dialogs, files, printer.get()});
    if (outcome.end == ReportOutcome::End::NotGeocentric)
        throw CLI::RuntimeError(kBadArgumentStatus);
    // An unfinished hard copy is not kept: the partial file goes with `file`.
    if (outcome.end != ReportOutcome::End::Finished) throw CLI::RuntimeError(1);
    if (printer) {
        if (printer->Failed()) file->Fail();
        if (!EndsAsPdf(file->PartialName())) file->Fail("the PDF did not come out whole");
        file->Commit();
        return;
    }
    std::ostream& out = file ? file->Stream() : std::cout;
    if (destination == Destination::Json)
        WriteJson(state, outcome, out);
    else
        WriteScreens(reportOutput, out);
    if (file) file->Commit();
}

} // namespace

void AddInterpretCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "interpret", "The written interpretation of a geocentric chart: its screens as text, "
                     "its hard copy as PDF, or its sections as JSON (every record option "
                     "defaults as for chart); with a technique the technique chart's, with "
                     "partner options the relationship chart's");
    auto arguments = std::make_shared<InterpretArguments>();
    AddChartOptions(*command, arguments->chart);
    command->add_option("-o,--output", arguments->output,
                        "File: .txt for the screens (default: standard output), .pdf for the "
                        "printed copy");
    command
        ->add_option("--format", arguments->format,
                     "text (default): the screens, each ended by a form feed; json: the "
                     "report's sections")
        ->check(CLI::IsMember({"text", "json"}));
    command->callback([arguments] { Interpret(*arguments); });
}

} // namespace astrodesk::cli
