#pragma once

// The birth record and house system as command-line options, shared by the commands that
// compute a chart. Every value passes the entry form's rule for its field.

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
};

// Registers --name, --date, --time, --lat, --lon, --era, --house, --centre, --orb and --zodiac
// on a command.
void AddRecordOptions(CLI::App& command, RecordArguments& arguments);

// Writes the given arguments into the record and options, each through its field rule. Returns
// the message for the first refused value (naming the option, spelt with `optionPrefix`, and its
// expected form), or nothing when all were accepted.
std::optional<std::string> ApplyRecordArguments(const RecordArguments& arguments,
                                                ChartRecord& record, Options& options,
                                                std::string_view optionPrefix = "--");

// Reports a refused argument on the error stream and ends the command with kBadArgumentStatus.
[[noreturn]] void RefuseArgument(const std::string& message);

} // namespace astrodesk::cli
