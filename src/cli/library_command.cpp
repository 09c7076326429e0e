// astrodesk-cli library: the charts kept in the user's library, listed, shown, added, renamed and
// removed, and brought in from or written out to AAF, CSV and JSON files.

#include "atlas/system_atlas.hpp"
#include "commands.hpp"
#include "headless_chart.hpp"
#include "kept_chart_options.hpp"
#include "library/record_files.hpp"
#include "output_file.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json;

const std::vector<std::string> kFileFormats = {"aaf", "csv", "json"};

struct LibraryArguments {
    std::optional<std::string> library;
    std::string query;   // list, export: the charts whose name or place holds it
    std::string chart;   // show, remove, rename: the chart named
    std::string newName; // rename
    std::string format = "text";
    std::vector<std::string> files; // import
    std::string file;               // export
    bool skipBad = false;
    RecordArguments record; // add
    std::string kind, note, source;
};

std::unique_ptr<ChartLibrary> Opened(const LibraryArguments& arguments, LibraryAccess access) {
    return OpenedLibrary(arguments.library.value_or(""), access);
}

// Reading a library that does not exist yet finds no chart, and creates nothing.
bool LibraryExists(const LibraryArguments& arguments) {
    return std::filesystem::exists(LibraryPath(arguments.library.value_or("")));
}

KeptChart NamedOrRefused(const ChartLibrary& library, const std::string& chart) {
    std::string refusal;
    const std::optional<KeptChart> kept = NamedChart(library, chart, "CHART", refusal);
    if (!kept) RefuseArgument(refusal);
    return *kept;
}

// The charts as the JSON interchange writes them, each with its id first.
json ChartsJson(const std::vector<KeptChart>& charts) {
    return json::parse(JsonText(charts, JsonIds::First));
}

// One line a chart: id, name, date, time, era, latitude, longitude and place, in columns.
void PrintChartTable(const std::vector<ListedChart>& charts) {
    std::size_t idWidth = 2, nameWidth = 4;
    for (const ListedChart& chart : charts) {
        idWidth = std::max(idWidth, std::to_string(chart.id).size());
        nameWidth = std::max(nameWidth, CharacterCount(chart.record.ChartName));
    }
    // One text written at once: a stream insertion a field costs more than reading the charts.
    std::string table;
    for (const ListedChart& chart : charts) {
        const ChartRecord& r = chart.record;
        const std::string id = std::to_string(chart.id);
        table.append(idWidth - id.size(), ' ').append(id).append("  ").append(r.ChartName);
        table.append(nameWidth - CharacterCount(r.ChartName), ' ').append("  ");
        table.append(r.ChartDate).append(" ").append(r.ChartTime).append(" ");
        table.append(EraTextOf(r.ChartEra)).append("  ");
        table.append(r.ChartLatitude).append(" ").append(r.ChartLongitude);
        if (!chart.placeName.empty()) table.append("  ").append(chart.placeName);
        table += '\n';
    }
    std::cout << table;
}

// The text listing reads only the listed columns; JSON gives whole records.
void List(const LibraryArguments& arguments) {
    const auto library =
        LibraryExists(arguments) ? Opened(arguments, LibraryAccess::Read) : nullptr;
    if (arguments.format == "json")
        std::cout << JsonText(library ? library->List(arguments.query) : std::vector<KeptChart>{},
                              JsonIds::First);
    else
        PrintChartTable(library ? library->Listing(arguments.query) : std::vector<ListedChart>{});
}

void Show(const LibraryArguments& arguments) {
    const KeptChart chart =
        NamedOrRefused(*Opened(arguments, LibraryAccess::Read), arguments.chart);
    const json object = ChartsJson({chart}).front();
    if (arguments.format == "json") {
        std::cout << object.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
        return;
    }
    for (const auto& [key, value] : object.items()) {
        if (value.is_object()) {
            for (const auto& [placeKey, placeValue] : value.items())
                if (!placeValue.is_null() && placeValue != "")
                    std::cout << (placeKey == "name" ? "place" : placeKey) << ": "
                              << (placeValue.is_string() ? placeValue.get<std::string>()
                                                         : placeValue.dump())
                              << '\n';
        } else if (!value.is_null() && value != "") {
            std::cout << key << ": "
                      << (value.is_string() ? value.get<std::string>() : value.dump()) << '\n';
        }
    }
}

void Add(const LibraryArguments& arguments) {
    const RecordArguments& given = arguments.record;
    if (!given.name || !given.date || !(given.time || given.localTime) ||
        !(given.place || (given.latitude && given.longitude)))
        RefuseArgument("library add needs --name, --date, --time (or --local-time) and --lat "
                       "with --lon (or --place)");
    SharedCoefficientTables unusedTables;
    ProgramState state = StartupState(unusedTables);
    std::optional<PlaceReport> place;
    if (const auto refusal = ApplyRecordArguments(given, state.record, state.options, place))
        RefuseArgument(*refusal);
    KeptChart chart = ChartToKeep(state.record, place, given);
    chart.kind = arguments.kind;
    chart.note = arguments.note;
    chart.source = arguments.source;
    const auto library = OpenedLibrary(given.library.value_or(""), LibraryAccess::Write);
    const auto [id, added] = library->Add(chart);
    std::cout << (added ? "kept as chart " : "already kept as chart ") << id << " in "
              << library->Path() << '\n';
}

void Remove(const LibraryArguments& arguments) {
    const auto library = Opened(arguments, LibraryAccess::Write);
    const KeptChart chart = NamedOrRefused(*library, arguments.chart);
    library->Remove(chart.id);
    std::cout << "removed chart " << chart.id << " " << chart.record.ChartName << '\n';
}

void Rename(const LibraryArguments& arguments) {
    if (!AcceptName(arguments.newName))
        RefuseArgument("refused NEW-NAME \"" + arguments.newName +
                       "\": expected a name that is not empty, in UTF-8, without control "
                       "characters such as line breaks");
    const auto library = Opened(arguments, LibraryAccess::Write);
    const KeptChart chart = NamedOrRefused(*library, arguments.chart);
    library->Rename(chart.id, *AcceptName(arguments.newName));
    std::cout << "renamed chart " << chart.id << " " << *AcceptName(arguments.newName) << '\n';
}

// The format a file is read or written in: --format, else its extension.
RecordFormat FormatOf(const LibraryArguments& arguments, const std::string& file) {
    const std::string named =
        arguments.format != "text" ? arguments.format : LowerCaseExtension(file);
    const std::optional<RecordFormat> format =
        RecordFormatNamed(named.starts_with('.') ? named.substr(1) : named);
    if (!format)
        RefuseArgument("refused \"" + file +
                       "\": expected a file ending in .aaf, .csv or .json, or --format aaf, csv "
                       "or json");
    return *format;
}

std::string FileText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        std::cerr << "astrodesk-cli: cannot read " << EscapedForMessage(file) << '\n';
        throw CLI::RuntimeError(1);
    }
    return bytes.str();
}

void Import(const LibraryArguments& arguments) {
    const SystemAtlas atlas;
    std::vector<KeptChart> good;
    int refused = 0;
    for (const std::string& file : arguments.files)
        for (RecordReading& reading :
             ReadRecords(FormatOf(arguments, file), TextAsUtf8(FileText(file)), atlas)) {
            if (reading.chart) {
                good.push_back(std::move(*reading.chart));
                continue;
            }
            ++refused;
            std::cerr << "astrodesk-cli: " << EscapedForMessage(file) << ":" << reading.line << ": "
                      << reading.field << ": " << EscapedForMessage(reading.error) << '\n';
        }
    if (refused > 0 && !arguments.skipBad) {
        std::cerr << "astrodesk-cli: nothing imported: " << refused
                  << " refused (--skip-bad imports the others)\n";
        throw CLI::RuntimeError(1);
    }
    const auto library = Opened(arguments, LibraryAccess::Write);
    const ImportCounts counts = library->AddAll(good);
    std::cout << "added " << counts.added << ", already there " << counts.alreadyThere
              << ", refused " << refused << '\n';
}

void Export(const LibraryArguments& arguments) {
    const std::string& file = arguments.file;
    const RecordFormat format = FormatOf(arguments, file);
    std::vector<KeptChart> charts;
    if (LibraryExists(arguments))
        charts = Opened(arguments, LibraryAccess::Read)->List(arguments.query);
    WriteWholeFile(file, RecordsText(format, charts));
    std::cout << "exported " << charts.size() << (charts.size() == 1 ? " chart to " : " charts to ")
              << file << '\n';
}

CLI::App* Subcommand(CLI::App& library, const std::string& name, const std::string& what,
                     const std::shared_ptr<LibraryArguments>& arguments,
                     void (*action)(const LibraryArguments&)) {
    CLI::App* command = library.add_subcommand(name, what);
    if (name != "add") AddLibraryOption(*command, arguments->library); // add: a record option
    command->callback([arguments, action] { ReportingLibraryErrors([&] { action(*arguments); }); });
    return command;
}

// --format, refused unless it is one of `names`.
void AddFormatOption(CLI::App& command, LibraryArguments& arguments,
                     const std::vector<std::string>& names, const std::string& description) {
    command.add_option("--format", arguments.format, description)->check(CLI::IsMember(names));
}

} // namespace

void AddLibraryCommand(CLI::App& app) {
    CLI::App* library = app.add_subcommand(
        "library", "The chart library: charts kept between runs in one file, brought in from and "
                   "written out to AAF, CSV and JSON files");
    library->require_subcommand(1);
    const auto arguments = std::make_shared<LibraryArguments>();

    CLI::App* list = Subcommand(*library, "list",
                                "List the kept charts whose name or place holds QUERY (all "
                                "without it): id, name, date, time, era, place",
                                arguments, List);
    list->add_option("QUERY", arguments->query, "Part of a name or a place");
    AddFormatOption(*list, *arguments, {"text", "json"}, "text (default) or json");

    CLI::App* show = Subcommand(*library, "show", "Every field of one kept chart", arguments, Show);
    show->add_option("CHART", arguments->chart, "Its id, its name or the start of its name")
        ->required();
    AddFormatOption(*show, *arguments, {"text", "json"}, "text (default) or json");

    CLI::App* add = Subcommand(*library, "add",
                               "Keep the chart of a birth record (the record options of chart)",
                               arguments, Add);
    AddRecordOptions(*add, arguments->record);
    add->add_option("--kind", arguments->kind, "m, f, e (event) ... as AAF writes it");
    add->add_option("--note", arguments->note, "A note kept with the chart");
    add->add_option("--source", arguments->source, "Where the birth data come from");

    CLI::App* remove = Subcommand(*library, "remove", "Remove a kept chart", arguments, Remove);
    remove->add_option("CHART", arguments->chart, "Its id, its name or the start of its name")
        ->required();

    CLI::App* rename = Subcommand(*library, "rename", "Rename a kept chart", arguments, Rename);
    rename->add_option("CHART", arguments->chart, "Its id, its name or the start of its name")
        ->required();
    rename->add_option("NEW-NAME", arguments->newName, "The new name")->required();

    CLI::App* import = Subcommand(*library, "import",
                                  "Keep the charts of AAF, CSV or JSON files: all of them, or "
                                  "none when one is refused",
                                  arguments, Import);
    import->add_option("FILE", arguments->files, "Files ending in .aaf, .csv or .json")->required();
    AddFormatOption(*import, *arguments, kFileFormats,
                    "aaf, csv or json (default: by each file's extension)");
    import->add_flag("--skip-bad", arguments->skipBad,
                     "Keep the good records and list the refused ones");

    CLI::App* exported = Subcommand(*library, "export",
                                    "Write the kept charts whose name or place holds QUERY "
                                    "(all without it) to an AAF, CSV or JSON file",
                                    arguments, Export);
    exported->add_option("FILE", arguments->file, "A file ending in .aaf, .csv or .json")
        ->required();
    exported->add_option("QUERY", arguments->query, "Part of a name or a place");
    AddFormatOption(*exported, *arguments, kFileFormats,
                    "aaf, csv or json (default: by the file's extension)");
}

} // namespace astrodesk::cli
