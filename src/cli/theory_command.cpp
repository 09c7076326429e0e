#include "commands.hpp"

#include <CLI/CLI.hpp>

namespace astrodesk::cli {

void AddTheoryCommand(CLI::App&) {}

} // namespace astrodesk::cli
