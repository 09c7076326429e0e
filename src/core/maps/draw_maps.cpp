#include "maps/draw_maps.hpp"

#include "astro/angles.hpp"
#include "chart/equatorial.hpp"
#include "ephemeris/coefficient_files.hpp"

namespace astrodesk {

namespace {

// The Screen's left edge while a map is shown: the legend panel fills the pixels before it.
constexpr double kMapScreenLeft = 217.0;
constexpr int kMidheavenSlot = 14;

bool NotGeocentric(const ProgramState& state) {
    return state.working.ChartCentre != kGeocentricCentre;
}

bool GnomicWorld(const Options& options) {
    return options.MapArea == kWorldArea && options.MapProjection == 0;
}

void LayOutForMap(OutputScreen& output) {
    const double formWidth = output.Screen.Left + output.Screen.Width;
    output.TEXT.Visible = true;
    output.Screen.Left = kMapScreenLeft;
    output.Screen.Width = formWidth - kMapScreenLeft;
}

} // namespace

void CheckMapOptions(const ProgramState& state, Dialogs& dialogs) {
    if (NotGeocentric(state))
        dialogs.MessageBox(kNotGeocentricText, kNotGeocentricTitle, MessageButtons::Ok);
    if (GnomicWorld(state.options))
        dialogs.MessageBox(kGnomicWorldText, kGnomicWorldTitle, MessageButtons::Ok);
}

MapBodies EquatorialBodies(const ProgramState& state) {
    MapBodies bodies;
    for (int slot = 1; slot <= 15; ++slot) {
        const EquatorialPlace place =
            EclipticToEquatorial(state.positions.BodyLongitude[slot],
                                 state.positions.BodyLatitude[slot], state.frame.JulianCenturies);
        bodies.MapRA[slot] = place.EquatorialRA;
        bodies.MapDec[slot] = place.EquatorialDec;
    }
    bodies.MapRAMC = bodies.MapRA[kMidheavenSlot];
    while (bodies.MapRAMC > kPi)
        bodies.MapRAMC -= kTwoPi;
    while (bodies.MapRAMC < -kPi)
        bodies.MapRAMC += kTwoPi;
    bodies.MapRA[kPlaceSlot] = bodies.MapRAMC;
    bodies.MapDec[kPlaceSlot] = state.frame.Latitude;
    bodies.Latitude = state.frame.Latitude;
    bodies.LongitudeWest = state.frame.LongitudeWest;
    return bodies;
}

std::optional<MapPicture> DrawMapPage(ProgramState& state, OutputScreen& output, Dialogs& dialogs,
                                      const DataFiles& files) {
    output.Show();
    output.SetContinueVisible(false);
    LayOutForMap(output);
    output.Refresh();
    if (state.working.ChartReady != 1 || NotGeocentric(state) || GnomicWorld(state.options)) {
        CheckMapOptions(state, dialogs);
        return std::nullopt;
    }
    output.Screen.Cls();
    output.TEXT.Cls();
    MapPicture picture = PlotMap(EquatorialBodies(state), state.options, state.maps, output.Screen,
                                 output.TEXT, files);
    output.SetContinueVisible(true);
    output.Refresh();
    return picture;
}

void RestoreOutputLayout(OutputScreen& output) {
    output.TEXT.Visible = false;
    output.TEXT.Cls();
    output.Screen.Width += output.Screen.Left;
    output.Screen.Left = 0.0;
    output.Screen.Cls();
    output.Screen.Print("       ");
    output.Screen.ForeColour = kWhite;
    output.Refresh();
}

void DrawMaps(ProgramState& state, OutputScreen& output, Dialogs& dialogs, const DataFiles& files) {
    try {
        if (DrawMapPage(state, output, dialogs, files)) output.WaitForContinue();
    } catch (const DataFileError& error) {
        dialogs.MessageBox(error.what(), kMapFileErrorTitle, MessageButtons::Ok);
    }
    RestoreOutputLayout(output);
}

} // namespace astrodesk
