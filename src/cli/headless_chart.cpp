#include "headless_chart.hpp"

#include "app/chart_page.hpp"
#include "chart/chart_driver.hpp"
#include "chart/relationship.hpp"
#include "chart/techniques.hpp"
#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

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
TechniqueOutcome ComputeDerivedChart(ProgramState& state, const Options& derived,
                                     const ChartRecord& target,
                                     const std::optional<ChartRecord>& second) {
    ComputeChartTables(state);
    TakeNatalSnapshot(state);
    if (second) {
        state.record = *second;
        ComputeChartTables(state);
        state.options.RelationshipChart = 1;
        if (!ComputeRelationshipChart(state)) return TechniqueOutcome::OutsideEntryRange;
    }
    if (derived.Technique == kNatal) return TechniqueOutcome::Charted;
    state.options.Technique = derived.Technique;
    state.options.TimesArrow = derived.TimesArrow;
    state.options.ReturnMoment = derived.ReturnMoment;
    state.options.ProgressedAngles = derived.ProgressedAngles;
    TakeMoment(target, state.record);
    return ComputeTechniqueChart(state);
}

} // namespace

InstalledDataFiles ProgramDataFiles() {
    return InstalledDataFiles(RunningProgramDirectory());
}

void LoadCoefficientFiles(SharedCoefficientTables& tables) {
    const InstalledDataFiles files = ProgramDataFiles();
    try {
        LoadCoefficientTables(files, tables);
    } catch (const DataFileError& error) {
        std::cerr << "astrodesk-cli: " << EscapedForMessage(error.what()) << '\n';
        throw CLI::RuntimeError(1);
    }
}

ProgramState StartupState(const SharedCoefficientTables& tables) {
    ProgramState state;
    BuildBodyTables(state.bodies);
    state.coefficients = tables;
    InitDefaults(state, SystemClock{});
    return state;
}

bool NoteSeriesRange(const ChartRecord& record, double T) {
    if (WithinSeriesRange(T)) return false;
    std::cerr << "astrodesk-cli: note: " << record.ChartDate << ' ' << EraTextOf(record.ChartEra)
              << " lies outside " << kSeriesRangeFromYear << " to " << kSeriesRangeToYear
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

std::optional<std::string> ComputeChartInto(ProgramState& state, const ChartArguments& chart,
                                            std::optional<PlaceReport>* place,
                                            std::string_view optionPrefix) {
    // The target's and the partner's charts come from the record's library.
    TechniqueArguments technique = chart.technique;
    technique.target.library = chart.record.library;
    PartnerArguments partner = chart.partner;
    partner.birth.library = chart.record.library;
    ChartRecord target = state.record; // the present moment in the era A.D. unless given
    Options derived;
    std::optional<PlaceReport> used;
    for (const auto& refusal :
         {ApplyRecordArguments(chart.record, state.record, state.options, used, optionPrefix),
          ApplyTechniqueChoice(technique, derived), ApplyTarget(technique, target)})
        if (refusal) return refusal;
    std::optional<ChartRecord> second;
    if (partner.Given()) {
        second = state.record; // the first person's texts unless given
        if (auto refusal = ApplyPartner(partner, *second)) return refusal;
    }

    if (derived.Technique == kNatal && !second) {
        if (place) *place = used;
        ComputeChartTables(state);
    } else if (const TechniqueOutcome outcome = ComputeDerivedChart(state, derived, target, second);
               outcome != TechniqueOutcome::Charted) {
        return "refused the target " + target.ChartDate + " " + target.ChartTime + " " +
               EraTextOf(target.ChartEra) +
               (outcome == TechniqueOutcome::NoReturnFound
                    ? ": no return was found near it"
                    : ": the chart's moment lies outside the years 9999 B.C. to 9999 A.D.");
    }
    return std::nullopt;
}

ProgramState ComputeHeadlessChart(const ChartArguments& chart, std::optional<PlaceReport>* place) {
    SharedCoefficientTables tables;
    LoadCoefficientFiles(tables);
    ProgramState state = StartupState(tables);
    if (const auto refusal = ComputeChartInto(state, chart, place)) RefuseArgument(*refusal);
    NoteSeriesRange(state);
    return state;
}

void ShowHeadlessListing(ProgramState& state, RecordingOutputScreen& output) {
    ShowChartPage(state, output);
}

} // namespace astrodesk::cli
