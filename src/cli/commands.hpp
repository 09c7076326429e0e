#pragma once

// The subcommands of astrodesk-cli. Each registers its options and its action on the app.

namespace CLI {
class App;
}

namespace astrodesk::cli {

// Exit status of a command whose arguments were refused.
inline constexpr int kBadArgumentStatus = 2;

void AddChartCommand(CLI::App& app);
void AddRelationshipCommand(CLI::App& app);
void AddInterpretCommand(CLI::App& app);
void AddTheoryCommand(CLI::App& app);
void AddWheelCommand(CLI::App& app);
void AddPlaceCommand(CLI::App& app);
void AddMapCommand(CLI::App& app);
void AddEventsCommand(CLI::App& app);
void AddBatchCommand(CLI::App& app);
void AddLibraryCommand(CLI::App& app);

} // namespace astrodesk::cli
