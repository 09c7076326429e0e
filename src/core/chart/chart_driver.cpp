#include "chart/chart_driver.hpp"

namespace astrodesk {

// Placeholder until the driver lands: marks the chart ready and shows an empty page.
void ComputeChart(ProgramState& state, OutputScreen& output) {
    state.working.ChartReady = 1;
    state.options.ClockOn = 0;
    output.Show();
    output.Screen.Print(state.ProductBanner);
    output.WaitForContinue();
}

void TakeNatalSnapshot(ProgramState&) {}

} // namespace astrodesk
