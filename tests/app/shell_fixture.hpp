#pragma once

#include "app/shell_doubles.hpp"
#include "support/leaving_screen.hpp"
#include "support/paper.hpp"

#include <gtest/gtest.h>

namespace astrodesk::testing {

// The shell wired to the test doubles, hard copy to the paper double, started up.
struct ShellTest : ::testing::Test {
    FakeForms forms;
    ScriptedDialogs dialogs;
    SettableClock clock;
    ScratchDataFiles dataFiles;
    Paper paper;
    LeavingOutputScreen output;
    Shell shell{Services{clock, dialogs, dataFiles, &paper}, forms, output};
    ProgramState& state = shell.state;
    Options& options = shell.state.options;
    ChartRecord& record = shell.state.record;

    void SetUp() override { shell.mainMenu.Main(); }
};

} // namespace astrodesk::testing
