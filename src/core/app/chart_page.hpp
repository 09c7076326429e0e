#pragma once

// A chart on the output screen: computed by the chart driver, then listed on the first page, and
// the program waits for CONTINUE.

#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <string>

namespace astrodesk {

// The message for a chart whose moment lies outside the span where the series hold (1600 to
// 2400 A.D.): computed all the same, its positions drift from the sky.
std::string OutsideSeriesRangeMessage(const ChartRecord& record);

// Shows the listing of the chart just computed: the output form shown with CONTINUE hidden, the
// Screen's coordinates (0, 0)-(640, 455) set and cleared, the page printed, CONTINUE shown and
// waited for. With `dialogs` (the desktop), a chart outside the series' span is told once in a
// message box over its page, which keeps its layout; the command line notes it on stderr.
void ShowChartPage(ProgramState& state, OutputScreen& output, Dialogs* dialogs = nullptr);

// Computes the chart of the record and the options, shows its listing and waits.
void ComputeChart(ProgramState& state, OutputScreen& output, Dialogs* dialogs = nullptr);

} // namespace astrodesk
