#include "headless_chart.hpp"

#include "chart/chart_driver.hpp"
#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

namespace astrodesk::cli {

InstalledDataFiles ProgramDataFiles() {
    return InstalledDataFiles(RunningProgramDirectory());
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

bool NoteSeriesRange(const ChartRecord& record, double T) {
    if (WithinSeriesRange(T)) return false;
    std::cerr << "astrodesk-cli: note: " << record.ChartDate << ' '
              << (record.ChartEra == 1 ? "B.C." : "A.D.") << " lies outside "
              << kSeriesRangeFromYear << " to " << kSeriesRangeToYear
              << " A.D., where the published series hold; the positions drift from the sky\n";
    return true;
}

void NoteSeriesRange(const ProgramState& state) {
    if (!NoteSeriesRange(state.record, state.frame.JulianCenturies)) return;
    for (int slot = 1; slot <= 12; ++slot) {
        const auto reason = UndefinedDistanceReason(state, slot);
        if (reason && slot != CentreSlot(state.working.ChartCentre)) {
            std::cerr << "astrodesk-cli: note: " << *reason << ": its distances are left out\n";
            return;
        }
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
    NoteSeriesRange(state);
    return state;
}

} // namespace astrodesk::cli
