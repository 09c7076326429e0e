#include "headless_chart.hpp"

#include "app/chart_page.hpp"
#include "chart/chart_driver.hpp"
#include "chart/relationship.hpp"
#include "chart/techniques.hpp"
#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

namespace astrodesk::cli {

namespace {

// The record takes the date, time and era of another.
void TakeMoment(const ChartRecord& from, ChartRecord& record) {
    record.ChartDate = from.ChartDate;
    record.ChartTime = from.ChartTime;
    record.ChartEra = from.ChartEra;
    record.EraText = from.EraText;
}

// After the natal chart of the record: the relationship chart with the second person, if given,
// then the technique chart for the target, if asked for.
bool ComputeDerivedChart(ProgramState& state, const Options& derived, const ChartRecord& target,
                         const std::optional<ChartRecord>& second) {
    ComputeChartTables(state);
    TakeNatalSnapshot(state);
    if (second) {
        state.record = *second;
        ComputeChartTables(state);
        state.options.RelationshipChart = 1;
        if (!ComputeRelationshipChart(state)) return false;
    }
    if (derived.Technique == kNatal) return true;
    state.options.Technique = derived.Technique;
    state.options.TimesArrow = derived.TimesArrow;
    TakeMoment(target, state.record);
    return ComputeTechniqueChart(state) == TechniqueOutcome::Charted;
}

} // namespace

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

void AddChartOptions(CLI::App& command, ChartArguments& arguments) {
    AddRecordOptions(command, arguments.record);
    AddTechniqueOptions(command, arguments.technique);
    AddPartnerOptions(command, arguments.partner);
}

ProgramState ComputeHeadlessChart(const ChartArguments& chart, std::optional<PlaceReport>* place) {
    const RecordArguments& arguments = chart.record;
    const TechniqueArguments& technique = chart.technique;
    const PartnerArguments& partner = chart.partner;
    ProgramState state;
    BuildBodyTables(state.bodies);
    LoadCoefficientFiles(state.coefficients);
    InitDefaults(state, SystemClock{});
    ChartRecord target = state.record; // the present moment in the era A.D. unless given
    Options derived;
    std::optional<PlaceReport> used;
    for (const auto& refusal :
         {ApplyRecordArguments(arguments, state.record, state.options, used),
          ApplyTechniqueChoice(technique, derived), ApplyTarget(technique, target)})
        if (refusal) RefuseArgument(*refusal);
    std::optional<ChartRecord> second;
    if (partner.Given()) {
        second = state.record; // the first person's texts unless given
        if (auto refusal = ApplyPartner(partner, *second)) RefuseArgument(*refusal);
    }

    if (derived.Technique == kNatal && !second) {
        if (place) *place = used;
        ComputeChartTables(state);
    } else if (!ComputeDerivedChart(state, derived, target, second)) {
        RefuseArgument("refused the target " + target.ChartDate + " " + target.ChartTime +
                       (target.ChartEra == 1 ? " B.C." : " A.D.") +
                       ": the chart's moment lies outside the years 9999 B.C. to 9999 A.D.");
    }
    NoteSeriesRange(state);
    return state;
}

void ShowHeadlessListing(ProgramState& state, RecordingOutputScreen& output) {
    ShowChartPage(state, output);
}

} // namespace astrodesk::cli
