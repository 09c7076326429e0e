#pragma once

// A program state with the coefficient files loaded and a chart record set from numbers, for
// tests that compute whole charts.

#include "ephemeris/coefficient_files.hpp"
#include "shell/defaults.hpp"
#include "shell/program_state.hpp"

#include <cstdio>
#include <string>

namespace astrodesk::testing {

struct ChartMoment {
    int day, month, year, hour, minute, second;
    int latitudeDeg, latitudeMin; // southern latitudes negative in degrees
    bool south;
    int longitudeDeg, longitudeMin;
    bool east;
};

inline std::string Format(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// The start-up state with the coefficient tables read from the program's folder.
inline ProgramState LoadedState() {
    ProgramState state;
    BuildBodyTables(state.bodies);
    const InstalledDataFiles files;
    LoadPerturbTable(files, state.coefficients);
    LoadMoonTable(files, state.coefficients);
    InitDefaults(state, FixedClock({2000, 1, 1, 12, 0, 0}));
    return state;
}

inline void SetRecord(ChartRecord& record, const ChartMoment& m) {
    record.ChartDate = Format("%02d-%02d-%04d", m.day, m.month, m.year);
    record.ChartTime = Format("%02d:%02d:%02d", m.hour, m.minute, m.second);
    record.ChartLatitude = Format("%02d%c%02d", m.latitudeDeg, m.south ? 'S' : 'N', m.latitudeMin);
    record.ChartLongitude =
        Format("%03d%c%02d", m.longitudeDeg, m.east ? 'E' : 'W', m.longitudeMin);
    record.ChartEra = 0;
}

} // namespace astrodesk::testing
