#include "commands.hpp"
#include "output_file.hpp"
#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using astrodesk::cli::kBadArgumentStatus;

// The names of the app's subcommands, "chart, theory, wheel".
std::string CommandNames(const CLI::App& app) {
    std::string names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names += (names.empty() ? "" : ", ") + command->get_name();
    return names;
}

// Each command by the name it registers.
struct Command {
    std::string_view name;
    void (*add)(CLI::App&);
};
constexpr Command kCommands[] = {
    {"chart", astrodesk::cli::AddChartCommand},
    {"relationship", astrodesk::cli::AddRelationshipCommand},
    {"interpret", astrodesk::cli::AddInterpretCommand},
    {"theory", astrodesk::cli::AddTheoryCommand},
    {"wheel", astrodesk::cli::AddWheelCommand},
    {"place", astrodesk::cli::AddPlaceCommand},
    {"map", astrodesk::cli::AddMapCommand},
    {"events", astrodesk::cli::AddEventsCommand},
    {"batch", astrodesk::cli::AddBatchCommand},
    {"library", astrodesk::cli::AddLibraryCommand},
};

// The commands a call sets up, by its first argument: the one it names, none for --version, all
// of them otherwise (--help and the messages for a missing or unknown command list them).
// Registering every command's options costs half a millisecond of CPU, a sixth of a chart.
void AddCommandsFor(CLI::App& app, std::string_view first) {
    if (first == "--version") return;
    for (const Command& command : kCommands)
        if (command.name == first) return command.add(app);
    for (const Command& command : kCommands)
        command.add(app);
}

// The command comes first; only --help or --version may stand before it.
bool IsUnknownCommand(const CLI::App& app, std::string_view first) {
    if (first == "-h" || first == "--help" || first == "--version") return false;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        if (command->check_name(std::string(first))) return false;
    return true;
}

// One line for a refused command line, whatever the subcommand: what was wrong, with the values
// the user gave echoed without their control characters.
void ReportRefusal(std::string_view what) {
    std::cerr << "astrodesk-cli: " << astrodesk::EscapedForMessage(what)
              << " (see astrodesk-cli --help)\n";
}

// CLI11's own message, reworded where it reads awkwardly: "--date: 1 required TEXT missing"
// becomes "--date needs a value", a repeated option "--date given more than once".
std::string RefusalText(const CLI::App& app, const CLI::ParseError& error) {
    const std::string message = error.what();
    const std::string subject = message.substr(0, message.find(':'));
    const std::string detail =
        message.find(": ") == std::string::npos ? message : message.substr(message.find(": ") + 2);
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr && app.get_subcommands().empty())
        return "a command is needed: " + CommandNames(app);
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr)
        return (message.find("arguments") != std::string::npos ? "unexpected arguments: "
                                                               : "unexpected argument ") +
               detail;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        if (message.find("missing") != std::string::npos) return subject + " needs a value";
        if (message.find("received") != std::string::npos) return subject + " given more than once";
    }
    return message;
}

// --help prints the usage, --version the version.
int PrintedHelp(const CLI::App& app, const CLI::Success& help) {
    try {
        return astrodesk::cli::StandardOutputEnded(app.exit(help));
    } catch (const std::ios_base::failure&) {
        return astrodesk::cli::StandardOutputFailed();
    }
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"astrodesk-cli: horoscopes from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "astrodesk-cli " ASTRODESK_VERSION);
    AddCommandsFor(app, argc > 1 ? argv[1] : "");
    if (argc > 1 && IsUnknownCommand(app, argv[1])) {
        ReportRefusal("unknown command \"" + std::string(argv[1]) + "\": expected one of " +
                      CommandNames(app));
        return kBadArgumentStatus;
    }
    astrodesk::cli::WatchStandardOutput();
    try {
        app.parse(argc, argv);
    } catch (const std::ios_base::failure&) {
        return astrodesk::cli::StandardOutputFailed();
    } catch (const CLI::Success& help) {
        return PrintedHelp(app, help);
    } catch (const CLI::RuntimeError& ended) {
        return ended.get_exit_code(); // a command that has said why it stopped
    } catch (const CLI::ParseError& refused) {
        ReportRefusal(RefusalText(app, refused));
        return kBadArgumentStatus;
    }
    return astrodesk::cli::StandardOutputEnded(0);
}
