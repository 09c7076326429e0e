#include "headless_chart.hpp"

#include "chart/chart_driver.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "shell/defaults.hpp"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace astrodesk::cli {

namespace {

// The folder of the running program, where the build and the package put the data files too;
// empty when it cannot be told.
std::filesystem::path ProgramDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : program.parent_path();
}

} // namespace

InstalledDataFiles ProgramDataFiles() {
    return InstalledDataFiles(ProgramDirectory());
}

void LoadCoefficientFiles(CoefficientTables& tables) {
    const InstalledDataFiles files = ProgramDataFiles();
    try {
        LoadCoefficientTables(files, tables);
    } catch (const DataFileError& error) {
        std::cerr << "astrodesk-cli: " << error.what() << '\n';
        throw CLI::RuntimeError(1);
    }
}

ProgramState ComputeHeadlessChart(const RecordArguments& arguments, RecordingOutputScreen& output,
                                  std::optional<PlaceReport>* place) {
    ProgramState state;
    BuildBodyTables(state.bodies);
    LoadCoefficientFiles(state.coefficients);
    InitDefaults(state, SystemClock{});
    std::optional<PlaceReport> used;
    if (auto refusal = ApplyRecordArguments(arguments, state.record, state.options, used))
        RefuseArgument(*refusal);
    if (place) *place = used;
    ComputeChart(state, output);
    return state;
}

} // namespace astrodesk::cli
