#pragma once

// The charts that "&HOROSCOPE" derives from an earlier one: a technique chart from the natal (or
// relationship) chart and a target moment entered on the entry form, and the relationship chart
// of the natal person and a second person entered on the spot.

#include "app/entry_form.hpp"
#include "app/forms.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

class DerivedCharts {
  public:
    DerivedCharts(ProgramState& state, Dialogs& dialogs, Forms& forms, EntryForm& entry,
                  OutputScreen& output);

    // The target date, time and era on the entry form with name and place locked to the base
    // chart's, then the technique chart of the options' technique and time's arrow. A moment
    // that cannot be charted is refused in a message box and the snapshots stay as they were.
    void RunTechnique();

    // The second person on the entry form and their chart, then the relationship chart of the
    // natal person and the second; the entry form shows the relationship record afterwards.
    void RunRelationshipChart();

  private:
    void Refuse(const char* message);

    ProgramState& state_;
    Dialogs& dialogs_;
    Forms& forms_;
    EntryForm& entry_;
    OutputScreen& output_;
};

} // namespace astrodesk
