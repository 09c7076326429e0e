#include "commands.hpp"

#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
    CLI::App app{"astrodesk-cli: horoscopes from the command line"};
    app.require_subcommand(1);
    astrodesk::cli::AddChartCommand(app);
    astrodesk::cli::AddRelationshipCommand(app);
    astrodesk::cli::AddInterpretCommand(app);
    astrodesk::cli::AddTheoryCommand(app);
    astrodesk::cli::AddWheelCommand(app);
    astrodesk::cli::AddPlaceCommand(app);
    astrodesk::cli::AddMapCommand(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
