#pragma once

// DRAW MAPS: the computed chart's bodies as right ascension and declination, the map chosen on
// the MAP OPTIONS page drawn beside its legend on the output screen, the wait for CONTINUE.

#include "maps/map_picture.hpp"
#include "maps/map_plotter.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <optional>

namespace astrodesk {

inline constexpr const char* kNotGeocentricTitle = "FEATURE NOT AVAILABLE";
inline constexpr const char* kNotGeocentricText = "MAPS ONLY FOR GEOCENTRIC CHARTS";
inline constexpr const char* kGnomicWorldTitle = "IMPOSSIBLE!";
inline constexpr const char* kGnomicWorldText =
    "YOU CAN'T HAVE A GNOMIC PROJECTION OF THE WHOLE WORLD!  CHANGE TO CYLINDRICAL PROJECTION";
// Title of the message that names a missing or damaged map file.
inline constexpr const char* kMapFileErrorTitle = "FILE ERROR";

// Shows the refusals that apply, each in a message box: a chart not seen from the Earth, then a
// gnomic map of the whole world.
void CheckMapOptions(const ProgramState& state, Dialogs& dialogs);

// The computed chart's slots as right ascension and declination with the mean obliquity of the
// chart's date; slot 5 becomes the zenith of the place.
MapBodies EquatorialBodies(const ProgramState& state);

// Lays the output screen out for a map (the legend panel TEXT at the left, the Screen narrowed to
// the rest) and draws the map with CONTINUE shown, without waiting. Refused (nothing drawn, the
// messages of CheckMapOptions shown) without a computed chart, for a chart not seen from the
// Earth and for gnomic World. A missing or damaged map file throws DataFileError.
std::optional<MapPicture> DrawMapPage(ProgramState& state, OutputScreen& output, Dialogs& dialogs,
                                      const DataFiles& files);

// The output screen after a map: the legend panel hidden and cleared, the Screen at full width,
// cleared and drawing in white.
void RestoreOutputLayout(OutputScreen& output);

// The map and its wait for CONTINUE, then the output screen restored; a refused map restores it
// too, so that later pages are not squeezed beside an empty legend. A bad map file is named in
// a message box and no map is drawn.
void DrawMaps(ProgramState& state, OutputScreen& output, Dialogs& dialogs, const DataFiles& files);

} // namespace astrodesk
