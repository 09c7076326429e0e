#include "app/main_menu.hpp"

#include "app/chart_page.hpp"
#include "chart/chart_driver.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "interpret/report.hpp"
#include "maps/draw_maps.hpp"
#include "present/wheel.hpp"
#include "shell/defaults.hpp"
#include "shell/record_rules.hpp"

namespace astrodesk {

namespace {

constexpr Choice kChartChoices[] = {Choice::ChartWheel, Choice::Interpret, Choice::DrawMaps,
                                    Choice::Techniques};

} // namespace

std::string MainMenuCaption(const ProgramState& state) {
    return state.ProductBanner + " MAIN MENU";
}

MainMenu::MainMenu(ProgramState& state, Services services, Forms& forms, EntryForm& entry,
                   OptionForm& options, DerivedCharts& derived, OutputScreen& output)
    : state_(state), services_(services), forms_(forms), entry_(entry), options_(options),
      derived_(derived), output_(output) {}

void MainMenu::Main() {
    BuildBodyTables(state_.bodies);
    LoadCoefficientTables(services_.dataFiles, state_.coefficients);
    // The printer needs no setting of its own: it positions hard copy in millimetres throughout.
    InitDefaults(state_, services_.clock);
    entry_.ShowRecord();
    EnableChartChoices(false);
    forms_.ShowMainMenu();
}

void MainMenu::Command1_Click(Choice selected) {
    switch (selected) {
    case Choice::NewChart:
        NewChart();
        break;
    case Choice::Horoscope:
        Horoscope();
        break;
    case Choice::ChartWheel:
        ChartWheel();
        break;
    case Choice::Interpret:
        Interpret();
        break;
    case Choice::DrawMaps:
        ShowMap();
        break;
    case Choice::Settings:
    case Choice::MapOptions:
    case Choice::Techniques:
        OpenOptionPage(selected);
        break;
    case Choice::Printer:
        AskPrinterQuestions();
        break;
    case Choice::Quit:
        AskToQuit();
        break;
    }
}

// A fresh chart of the present moment; house system, centre, orb and map options stay.
void MainMenu::NewChart() {
    Options& options = state_.options;
    options.RelationshipChart = 0;
    options.ClockOn = 1;
    options.Technique = 0;
    options.TimesArrow = 0;
    options.Zodiac = 0;
    state_.record.ChartName = "CURRENT TIME";
    entry_.ShowName(state_.record.ChartName);
    state_.record.ChartEra = 0;
    entry_.SetText(EntryField::Era, EraTextOf(0));
    forms_.HideMainMenu();
    forms_.ShowEntryForm();
}

void MainMenu::Horoscope() {
    forms_.HideMainMenu();
    if (state_.options.Technique > 0) {
        derived_.RunTechnique();
    } else if (state_.options.RelationshipChart == 1) {
        derived_.RunRelationshipChart();
    } else {
        ComputeChart(state_, output_, &services_.dialogs);
        TakeNatalSnapshot(state_);
    }
    if (state_.working.ChartReady == 1) EnableChartChoices(true);
    forms_.ShowMainMenu();
}

void MainMenu::ChartWheel() {
    forms_.HideMainMenu();
    DrawChartWheel(state_, output_);
    forms_.ShowMainMenu();
}

void MainMenu::Interpret() {
    forms_.HideMainMenu();
    WriteInterpretation(state_,
                        {output_, services_.dialogs, services_.dataFiles, services_.printer});
    forms_.ShowMainMenu();
}

void MainMenu::ShowMap() {
    forms_.HideMainMenu();
    DrawMaps(state_, output_, services_.dialogs, services_.dataFiles);
    forms_.ShowMainMenu();
}

void MainMenu::OpenOptionPage(Choice page) {
    forms_.HideMainMenu();
    state_.options.MenuChoice = static_cast<std::int16_t>(page);
    options_.Form_Load();
}

void MainMenu::AskPrinterQuestions() {
    Dialogs& dialogs = services_.dialogs;
    Options& options = state_.options;
    switch (dialogs.MessageBox("DO YOU WANT HARD COPY?", "PRINTER STATUS",
                               MessageButtons::YesNoCancel)) {
    case MessageAnswer::No:
        options.HardCopy = 0;
        options.PrintScreenKey = 0;
        break;
    case MessageAnswer::Yes:
        options.HardCopy = 1;
        if (dialogs.MessageBox("DO YOU ALSO WANT TO USE THE PRINTSCREEN KEY?",
                               "OUTPUT.SCREEN.PRINT GRAPHICS",
                               MessageButtons::YesNoCancel) == MessageAnswer::Yes)
            options.PrintScreenKey = 1;
        break;
    default: // Cancel changes nothing
        break;
    }
}

void MainMenu::AskToQuit() {
    if (services_.dialogs.MessageBox("OK to Exit?", "", MessageButtons::OkCancel) ==
        MessageAnswer::Ok)
        forms_.Quit();
}

void MainMenu::EnableChartChoices(bool enabled) {
    for (Choice choice : kChartChoices)
        forms_.EnableChoice(choice, enabled);
}

} // namespace astrodesk
