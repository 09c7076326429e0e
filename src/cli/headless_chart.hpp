#pragma once

// A chart computed as the desktop computes it, without a display: the start-up tables, the
// coefficient files, the start-up defaults overridden by the command's record options, then the
// chart driver. A command that shows the listing prints it on a recording output screen after.

#include "record_options.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"
#include "technique_options.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace astrodesk::cli {

// The data files as the desktop finds them: the current folder, beside the program, the
// installed data folder.
InstalledDataFiles ProgramDataFiles();

// Reads PERTURBS.FIL and MOONBITS.FIL (the current folder, beside the program, the installed data
// folder); a missing or damaged file ends the command with its message and exit status 1.
void LoadCoefficientFiles(SharedCoefficientTables& tables);

// The state as the program starts: the body tables, the given coefficient tables (shared, not
// copied) and the start-up defaults with the present moment.
ProgramState StartupState(const SharedCoefficientTables& tables);

// Tells on stderr when the chart's date lies outside the span where the published series hold,
// and which series gives no distance there.
void NoteSeriesRange(const ProgramState& state);
// The first part alone, for a record (date in its display form) at T centuries from J2000;
// true when it said something.
bool NoteSeriesRange(const ChartRecord& record, double T);

// The options that choose a command's chart: the birth record, a technique with its target and
// the second person of a relationship chart.
struct ChartArguments {
    RecordArguments record;
    TechniqueArguments technique;
    PartnerArguments partner;
};

// Registers the record, technique and partner options on a command.
void AddChartOptions(CLI::App& command, ChartArguments& arguments);

// The chart of the record options, or one derived from it: with partner options the
// relationship chart of the record's person and the partner, with a technique the technique
// chart from the natal chart (or from that relationship chart). Refuses a bad option, or a
// technique moment outside the years 9999 B.C. .. 9999 A.D., before anything is printed
// (RefuseArgument); a missing or damaged coefficient file ends the command with its message and
// exit status 1. `place`, when given, receives what --place, --local-time and --zone used for a
// natal chart.
ProgramState ComputeHeadlessChart(const ChartArguments& arguments,
                                  std::optional<PlaceReport>* place = nullptr);

// The same chart into `state`, a start-up state, printing nothing: returns the message that
// refuses an argument or the chart's moment (record fields named after `optionPrefix`), or
// nothing once the tables hold the chart.
std::optional<std::string> ComputeChartInto(ProgramState& state, const ChartArguments& arguments,
                                            std::optional<PlaceReport>* place,
                                            std::string_view optionPrefix = "--");

// The chart's listing page on `output`, as the desktop shows it after computing the chart.
void ShowHeadlessListing(ProgramState& state, RecordingOutputScreen& output);

} // namespace astrodesk::cli
