#pragma once

// A chart on the output screen: computed by the chart driver, then listed on the first page, and
// the program waits for CONTINUE.

#include "shell/output_screen.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Shows the listing of the chart just computed: the output form shown with CONTINUE hidden, the
// Screen's coordinates (0, 0)-(640, 455) set and cleared, the page printed, CONTINUE shown and
// waited for.
void ShowChartPage(ProgramState& state, OutputScreen& output);

// Computes the chart of the record and the options, shows its listing and waits.
void ComputeChart(ProgramState& state, OutputScreen& output);

} // namespace astrodesk
