#pragma once

// The birth record and house system as command-line options, shared by the commands that
// compute a chart. Every value passes the entry form's rule for its field.

#include "atlas/atlas.hpp"
#include "shell/program_state.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace astrodesk::cli {

// The option texts as given; an option left out keeps the start-up value.
struct RecordArguments {
    std::optional<std::string> name;
    std::optional<std::string> date;
    std::optional<std::string> time;
    std::optional<std::string> latitude;
    std::optional<std::string> longitude;
    std::optional<std::string> era;
    std::optional<std::string> houseSystem;
    std::optional<std::string> centre;
    std::optional<std::string> orb;
    std::optional<std::string> zodiac;
    std::optional<std::string> place;     // atlas query, in place of --lat and --lon
    std::optional<std::string> localTime; // local clock time, in place of --time
    std::optional<std::string> zone;      // time zone, in place of the place's own
    std::optional<std::string> chart;     // a chart of the library, in place of the texts
    std::optional<std::string> library;   // the library's file, in place of the user's own
};

// The place and clock behind --place, --local-time and --zone, for the JSON's record.
struct PlaceReport {
    std::string name, region, country; // empty without --place
    std::string zone;
    ZoneOffset offset; // at the chart's moment
};

// Registers --name, --date, --time, --lat, --lon, --era, --house, --centre, --orb, --zodiac,
// --place, --local-time, --zone, --chart and --library on a command.
void AddRecordOptions(CLI::App& command, RecordArguments& arguments);
// --library PATH into `path`.
void AddLibraryOption(CLI::App& command, std::optional<std::string>& path);
// The four of them that choose how any chart is drawn up rather than whose it is: --house,
// --centre, --orb and --zodiac.
void AddChartChoiceOptions(CLI::App& command, RecordArguments& arguments);

// Writes the given arguments into the record and options, each through its field rule; a place
// from the atlas and a local time become the record's latitude, longitude and Greenwich date,
// time and era (`place` then tells what was used). Returns the message for the first refused
// value (naming the option, spelt with `optionPrefix`, and its expected form), or nothing when
// all were accepted.
std::optional<std::string> ApplyRecordArguments(const RecordArguments& arguments,
                                                ChartRecord& record, Options& options,
                                                std::optional<PlaceReport>& place,
                                                std::string_view optionPrefix = "--");

// Reports a refused argument on the error stream and ends the command with kBadArgumentStatus.
[[noreturn]] void RefuseArgument(const std::string& message);

} // namespace astrodesk::cli
