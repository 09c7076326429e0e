#pragma once

// Start-up values of the program-wide state.

#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <string>
#include <string_view>

namespace astrodesk {

// Fills BodyAbbrev and BodyName (slots 1..15) from the packed constant texts.
void BuildBodyTables(BodyTables& bodies);
// The three-letter code of body slot 1..12 (SUN, MON, MER ... ZED), as the listing, the wheel
// and the maps print it; the points after the bodies are coded by each for itself.
std::string_view BodyCode(int slot);

// Today's date as "DD-MM-YYYY".
std::string TodayText(const Clock& clock);
// The clock time now as "HH:MM:SS" (24-hour).
std::string ClockTimeText(const Clock& clock);

// Chart record and options at their start-up values (the present moment at 53N28, 002W13,
// named "current time"); the natal record takes the same texts; no chart is ready.
void InitDefaults(ProgramState& state, const Clock& clock);

} // namespace astrodesk
