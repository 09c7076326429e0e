#pragma once

// A program state with the coefficient files loaded and a chart record set from numbers, for
// tests that compute whole charts.

#include "shell/defaults.hpp"
#include "support/comparison.hpp"
#include "support/loaded_tables.hpp"

namespace astrodesk::testing {

struct ChartMoment {
    int day, month, year, hour, minute, second;
    int latitudeDeg, latitudeMin; // the hemisphere by `south`
    bool south;
    int longitudeDeg, longitudeMin;
    bool east;
};

// The start-up state with the coefficient tables read from the program's folder.
inline ProgramState LoadedState() {
    ProgramState state;
    BuildBodyTables(state.bodies);
    state.coefficients = LoadedTables();
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
