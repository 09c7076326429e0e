#pragma once

// The coefficient tables as the program loads them from the data files beside the tests, read
// once per test program.

#include "ephemeris/coefficient_files.hpp"
#include "support/shipped_data.hpp"

namespace astrodesk::testing {

inline const CoefficientTables& LoadedTables() {
    static const CoefficientTables tables = [] {
        CoefficientTables loaded;
        LoadCoefficientTables(ShippedDataFiles(), loaded);
        return loaded;
    }();
    return tables;
}

} // namespace astrodesk::testing
