#include "app/derived_charts.hpp"

#include "app/chart_page.hpp"
#include "chart/chart_driver.hpp"
#include "chart/relationship.hpp"
#include "chart/techniques.hpp"

#include <optional>

namespace astrodesk {

DerivedCharts::DerivedCharts(ProgramState& state, Dialogs& dialogs, Forms& forms, EntryForm& entry,
                             OutputScreen& output)
    : state_(state), dialogs_(dialogs), forms_(forms), entry_(entry), output_(output) {}

void DerivedCharts::RunTechnique() {
    const std::optional<TechniqueBase> base = TechniqueBaseOf(state_);
    if (!base) {
        Refuse(TechniqueRefusal(TechniqueOutcome::NoRelationshipBase));
        return;
    }
    // The locked boxes show the name and place the technique chart will have.
    entry_.ShowName(base->record.ChartName);
    entry_.SetText(EntryField::Latitude, base->record.ChartLatitude);
    entry_.SetText(EntryField::Longitude, base->record.ChartLongitude);
    entry_.LockNameAndPlace(true);
    entry_.ShowModal();
    entry_.LockNameAndPlace(false);
    forms_.HideMainMenu();
    const TechniqueOutcome outcome = ComputeTechniqueChart(state_);
    if (outcome != TechniqueOutcome::Charted) {
        Refuse(TechniqueRefusal(outcome));
        return;
    }
    ShowChartPage(state_, output_, &dialogs_);
}

void DerivedCharts::RunRelationshipChart() {
    dialogs_.MessageBox("ENTER DATA FOR SECOND PERSON", "RELATIONSHIP CHART", MessageButtons::Ok);
    entry_.ShowModal();
    forms_.HideMainMenu();
    ComputeChart(state_, output_, &dialogs_);
    if (output_.LeaveRequested()) return; // the user left the output: no second page
    dialogs_.MessageBox("PRESS FOR RELATIONSHIP CHART", "GREAT CIRCLE METHOD", MessageButtons::Ok);
    if (!ComputeRelationshipChart(state_)) {
        Refuse(TechniqueRefusal(TechniqueOutcome::OutsideEntryRange));
        return;
    }
    ShowChartPage(state_, output_, &dialogs_);
    entry_.ShowRecord();
}

void DerivedCharts::Refuse(const char* message) {
    dialogs_.MessageBox(message, state_.ProductBanner, MessageButtons::Ok);
}

} // namespace astrodesk
