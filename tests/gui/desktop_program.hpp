#pragma once

// The desktop program over test doubles: a settable clock, scripted input and message boxes,
// coefficient files of zeros and the chart library in a scratch folder, and the system's atlas.

#include "app/shell_doubles.hpp"
#include "atlas/system_atlas.hpp"
#include "desktop.hpp"

namespace astrodesk::testing {

struct Program {
    SettableClock clock;
    ScriptedDialogs dialogs;
    ScratchDataFiles dataFiles;
    SystemAtlas atlas;
    Desktop desktop{Services{clock, dialogs, dataFiles}, atlas,
                    dataFiles.PathOf("charts.sqlite").string()};
};

} // namespace astrodesk::testing
