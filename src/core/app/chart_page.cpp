#include "app/chart_page.hpp"

#include "chart/chart_driver.hpp"
#include "present/listing.hpp"

namespace astrodesk {

void ShowChartPage(ProgramState& state, OutputScreen& output) {
    output.SetContinueVisible(false);
    output.Show();
    output.Screen.Scale(0.0, 0.0, 640.0, 455.0);
    output.Screen.Cls();
    output.Refresh();
    ListChartPage(state, output.Screen);
    output.SetContinueVisible(true);
    output.Refresh();
    output.WaitForContinue();
}

void ComputeChart(ProgramState& state, OutputScreen& output) {
    ComputeChartTables(state);
    ShowChartPage(state, output);
}

} // namespace astrodesk
