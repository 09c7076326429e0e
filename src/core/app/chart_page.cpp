#include "app/chart_page.hpp"

#include "chart/chart_driver.hpp"
#include "ephemeris/body_theory.hpp"
#include "present/listing.hpp"
#include "shell/record_rules.hpp"

namespace astrodesk {

std::string OutsideSeriesRangeMessage(const ChartRecord& record) {
    return "THE CHART'S DATE " + record.ChartDate + " " + EraTextOf(record.ChartEra) +
           " LIES OUTSIDE " + std::to_string(kSeriesRangeFromYear) + " TO " +
           std::to_string(kSeriesRangeToYear) +
           " A.D., WHERE THE SERIES OF THE SUN, THE MOON AND THE PLANETS HOLD. IT IS COMPUTED "
           "ALL THE SAME, BUT ITS POSITIONS DRIFT FROM THE SKY.";
}

void ShowChartPage(ProgramState& state, OutputScreen& output, Dialogs* dialogs) {
    output.SetContinueVisible(false);
    output.Show();
    output.Screen.Scale(0.0, 0.0, 640.0, 455.0);
    output.Screen.Cls();
    output.Refresh();
    ListChartPage(state, output.Screen);
    output.SetContinueVisible(true);
    output.Refresh();
    if (dialogs && !WithinSeriesRange(state.frame.JulianCenturies))
        dialogs->MessageBox(OutsideSeriesRangeMessage(state.record), "POSITIONS APPROXIMATE",
                            MessageButtons::Ok);
    output.WaitForContinue();
}

void ComputeChart(ProgramState& state, OutputScreen& output, Dialogs* dialogs) {
    ComputeChartTables(state);
    ShowChartPage(state, output, dialogs);
}

} // namespace astrodesk
