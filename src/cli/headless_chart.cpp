#include "headless_chart.hpp"

#include "chart/chart_driver.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "shell/defaults.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

namespace astrodesk::cli {

void LoadCoefficientFiles(CoefficientTables& tables) {
    const InstalledDataFiles files(RunningProgramDirectory());
    try {
        LoadCoefficientTables(files, tables);
    } catch (const DataFileError& error) {
        std::cerr << "astrodesk-cli: " << error.what() << '\n';
        throw CLI::RuntimeError(1);
    }
}

ProgramState ComputeHeadlessChart(const RecordArguments& arguments, RecordingOutputScreen& output) {
    ProgramState state;
    BuildBodyTables(state.bodies);
    LoadCoefficientFiles(state.coefficients);
    InitDefaults(state, SystemClock{});
    if (auto refusal = ApplyRecordArguments(arguments, state.record, state.options))
        RefuseArgument(*refusal);
    ComputeChart(state, output);
    return state;
}

} // namespace astrodesk::cli
