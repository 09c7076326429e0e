// libFuzzer target: any text given to the coefficient-file reader either fills the tables or is
// refused with a DataFileError; a table that was accepted is safe for every theory.

#include "ephemeris/body_theory.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "ephemeris/moon_theory.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace astrodesk;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CoefficientTables tables;
    PositionTables positions;
    try {
        ParsePerturbTable(text, kPerturbFileName, tables);
        for (int k = 0; k <= 10; ++k)
            RunBodyTheory(k, 0.25, tables, positions);
    } catch (const DataFileError&) {
    }
    try {
        ParseMoonTable(text, kMoonFileName, tables);
        MoonTheory(0.25, tables, positions);
    } catch (const DataFileError&) {
    }
    return 0;
}
