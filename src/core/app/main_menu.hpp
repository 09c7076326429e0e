#pragma once

// The program's start-up and its main menu `Mainmenu`: ten choices as option buttons and the
// "&ACTION" button that carries out the selected one.

#include "app/derived_charts.hpp"
#include "app/entry_form.hpp"
#include "app/events_page.hpp"
#include "app/forms.hpp"
#include "app/option_form.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <string>

namespace astrodesk {

// The platform as the shell meets it.
struct Services {
    const Clock& clock;
    Dialogs& dialogs;
    const DataFiles& dataFiles;
    Printer* printer = nullptr; // hard copy of the interpretation; none keeps it on the screen
};

// The main menu's caption: the product banner, then "MAIN MENU".
std::string MainMenuCaption(const ProgramState& state);

class MainMenu {
  public:
    MainMenu(ProgramState& state, Services services, Forms& forms, EntryForm& entry,
             OptionForm& options, DerivedCharts& derived, OutputScreen& output);

    // Start-up: body tables, the coefficient files (a missing or broken file throws
    // DataFileError before anything is shown), the start-up record and options, the choices
    // that need a chart disabled, the menu shown.
    void Main();

    // "&ACTION": carries out the selected choice.
    void Command1_Click(Choice selected);

  private:
    void NewChart();
    void Horoscope();
    void ChartWheel();
    void Interpret();
    void ShowMap();
    void OpenOptionPage(Choice page);
    void AskPrinterQuestions();
    void AskToQuit();
    // CHARTWHEEL, INTERPRET, DRAW MAPS and TECHNIQUES need a chart.
    void EnableChartChoices(bool enabled);

    ProgramState& state_;
    Services services_;
    Forms& forms_;
    EntryForm& entry_;
    OptionForm& options_;
    DerivedCharts& derived_;
    OutputScreen& output_;
};

// The program state and the logic of the forms, wired together.
struct Shell {
    Shell(Services services, Forms& forms, OutputScreen& output)
        : entryForm(state, services.dialogs, services.clock, forms),
          eventsPage(state, services.dialogs, services.clock, services.printer, output),
          optionForm(state, entryForm, forms, eventsPage),
          derivedCharts(state, services.dialogs, forms, entryForm, output),
          mainMenu(state, services, forms, entryForm, optionForm, derivedCharts, output) {}

    ProgramState state;
    EntryForm entryForm;
    EventsPage eventsPage;
    OptionForm optionForm;
    DerivedCharts derivedCharts;
    MainMenu mainMenu;
};

} // namespace astrodesk
