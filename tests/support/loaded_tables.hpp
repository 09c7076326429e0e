#pragma once

// The coefficient tables as the program loads them from the data files beside the tests, read
// once per test program.

#include "ephemeris/coefficient_files.hpp"

namespace astrodesk::testing {

inline const CoefficientTables& LoadedTables() {
    static const CoefficientTables tables = [] {
        CoefficientTables loaded;
        LoadCoefficientTables(InstalledDataFiles(RunningProgramDirectory()), loaded);
        return loaded;
    }();
    return tables;
}

} // namespace astrodesk::testing
