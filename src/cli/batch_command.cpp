#include "atlas/system_atlas.hpp"
#include "batch_records.hpp"
#include "chart_json.hpp"
#include "commands.hpp"
#include "headless_chart.hpp"
#include "kept_chart_options.hpp"
#include "ordered_pool.hpp"
#include "output_file.hpp"
#include "progress_bar.hpp"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

namespace astrodesk::cli {

namespace {

// Records a thread takes at a time from the input; enough that the threads rarely wait for one
// another at the end of a block, few enough that the output follows the input closely.
constexpr std::size_t kBlockPerWorker = 256;

struct BatchArguments {
    std::string file = "-";
    std::string format;                 // jsonl, aaf or csv; by the file's extension if empty
    CLI::Option* fromLibrary = nullptr; // --from-library [QUERY]
    std::string libraryQuery;
    std::optional<std::string> library;
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    RecordArguments choices; // --house, --centre, --orb and --zodiac, the same for every record
    TechniqueArguments technique;
};

// A thread's own program state as the program starts; each record is charted on a copy of it,
// so that no record sees what the one before left in the tables.
struct BatchWorker {
    ProgramState startup;
};

struct BatchLine {
    std::string text;
    bool failed = false;
};

std::string Dumped(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

BatchLine ErrorLine(const BatchItem& item, const std::string& message) {
    return {Dumped({{"input", item.input}, {"error", message}}), true};
}

// The record's fields with the choices of the whole batch.
ChartArguments RecordChart(const RecordArguments& fields, const BatchArguments& batch) {
    ChartArguments chart{fields, batch.technique, {}};
    chart.record.houseSystem = batch.choices.houseSystem;
    chart.record.centre = batch.choices.centre;
    chart.record.orb = batch.choices.orb;
    chart.record.zodiac = batch.choices.zodiac;
    return chart;
}

// The output line of a record: "input" then the fields of `chart --format json`, or the error.
BatchLine ChartLine(BatchWorker& worker, const BatchItem& item, const BatchArguments& batch) {
    if (const auto* refusal = std::get_if<std::string>(&item.record))
        return ErrorLine(item, *refusal);
    try {
        ProgramState state = worker.startup;
        std::optional<PlaceReport> place;
        const ChartArguments chart = RecordChart(std::get<RecordArguments>(item.record), batch);
        if (const auto refusal = ComputeChartInto(state, chart, &place, ""))
            return ErrorLine(item, *refusal);
        JsonWriter out;
        WriteChartJson(state, place, out);
        const std::string& figures = out.Text(); // "{...}", never empty
        return {"{\"input\":" + Dumped(item.input) + "," + figures.substr(1)};
    } catch (const std::exception& error) {
        return ErrorLine(item, std::string("could not chart the record: ") + error.what());
    }
}

// The batch's own options are checked once, before any record, and refuse the command.
void CheckBatchChoices(const BatchArguments& batch) {
    ProgramState scratch;
    std::optional<PlaceReport> unusedPlace;
    for (const auto& refusal :
         {ApplyRecordArguments(batch.choices, scratch.record, scratch.options, unusedPlace),
          ApplyTechniqueChoice(batch.technique, scratch.options),
          ApplyTarget(batch.technique, scratch.record)})
        if (refusal) RefuseArgument(*refusal);
}

// AAF or CSV by --format or the file's extension; nothing for JSON Lines.
std::optional<RecordFormat> RecordsFormat(const BatchArguments& batch) {
    const std::string extension = LowerCaseExtension(batch.file);
    const std::string named = !batch.format.empty()
                                  ? batch.format
                                  : extension.substr(std::min<std::size_t>(1, extension.size()));
    if (named == "aaf") return RecordFormat::Aaf;
    if (named == "csv") return RecordFormat::Csv;
    return std::nullopt;
}

void RunBatch(const BatchArguments& batch) {
    CheckBatchChoices(batch);
    std::ifstream file;
    if (batch.file != "-") {
        file.open(batch.file);
        if (!file) RefuseArgument("cannot read \"" + batch.file + "\"");
    }
    JsonLinesReader reader(batch.file == "-" ? std::cin : file);
    // Records of the library, or of an AAF or CSV file, are read whole before the charting.
    std::vector<BatchItem> items;
    const bool readWhole = batch.fromLibrary->count() > 0 || RecordsFormat(batch).has_value();
    if (batch.fromLibrary->count() > 0) {
        if (std::filesystem::exists(LibraryPath(batch.library.value_or(""))))
            items = ItemsOfCharts(ReportingLibraryErrors([&] {
                return OpenedLibrary(batch.library.value_or(""), LibraryAccess::Read)
                    ->List(batch.libraryQuery);
            }));
    } else if (const auto format = RecordsFormat(batch)) {
        std::ostringstream bytes;
        bytes << (batch.file == "-" ? std::cin : file).rdbuf();
        items = ItemsOfReadings(ReadRecords(*format, TextAsUtf8(bytes.str()), SystemAtlas{}));
    }
    std::size_t nextItem = 0;
    const auto next = [&]() -> std::optional<BatchItem> {
        if (!readWhole) return reader.Next();
        if (nextItem == items.size()) return std::nullopt;
        return std::move(items[nextItem++]);
    };
    SharedCoefficientTables tables;
    LoadCoefficientFiles(tables); // once, shared read-only by every worker
    std::vector<BatchWorker> workers(batch.jobs, BatchWorker{StartupState(tables)});

    ProgressBar progress(readWhole           ? std::optional<std::size_t>(items.size())
                         : batch.file == "-" ? std::nullopt
                                             : CountJsonLines(batch.file));
    bool anyFailed = false;
    ComputeInOrder<BatchWorker, BatchItem, BatchLine>(
        workers, kBlockPerWorker * batch.jobs, next,
        [&batch](BatchWorker& worker, const BatchItem& item) {
            return ChartLine(worker, item, batch);
        },
        [&](BatchLine& line) {
            line.text += '\n';
            std::fwrite(line.text.data(), 1, line.text.size(), stdout);
            anyFailed = anyFailed || line.failed;
            progress.Advance();
        });
    std::fflush(stdout);
    if (anyFailed) throw CLI::RuntimeError(1);
}

} // namespace

void AddBatchCommand(CLI::App& app) {
    auto arguments = std::make_shared<BatchArguments>();
    CLI::App* command = app.add_subcommand(
        "batch", "Chart many records at once: one JSON object a line for each record, in the "
                 "order read, with the figures of `chart --format json` and the \"input\" it "
                 "came from; a record that cannot be charted gets its \"error\" and the batch "
                 "goes on (exit status 1)");
    command->add_option("FILE", arguments->file,
                        "JSON Lines of record objects such as `chart --format json` prints under "
                        "\"record\" (default -: the standard input)");
    command
        ->add_option("--format", arguments->format,
                     "jsonl, aaf or csv (default: by the file's extension, else jsonl)")
        ->check(CLI::IsMember({"jsonl", "aaf", "csv"}));
    arguments->fromLibrary =
        command
            ->add_option("--from-library", arguments->libraryQuery,
                         "Chart the library's charts whose name or place holds QUERY (all "
                         "without it) in place of FILE; each line's \"input\" is the id")
            ->expected(0, 1);
    AddLibraryOption(*command, arguments->library);
    command->add_option("--jobs", arguments->jobs, "Threads that compute (default: every core)")
        ->check(CLI::Range(1u, 256u));
    AddChartChoiceOptions(*command, arguments->choices);
    AddTechniqueOptions(*command, arguments->technique);
    command->callback([arguments] { RunBatch(*arguments); });
}

} // namespace astrodesk::cli
