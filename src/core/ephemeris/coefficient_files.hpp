#pragma once

// The two ephemeris coefficient files, read once at start-up into CoefficientTables:
// PERTURBS.FIL (503 rows of 9 numbers: the periodic terms of the planetary theories) and
// MOONBITS.FIL (104 rows of 8: the solar terms of the lunar theory). Both are free-format text,
// numbers separated by commas, blanks or line ends, row after row; the line layout does not
// matter. Numbers are kept in single precision as read.

#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

inline constexpr const char* kPerturbFileName = "PERTURBS.FIL";
inline constexpr const char* kMoonFileName = "MOONBITS.FIL";

// A coefficient file that is missing, unreadable, too short or holds an item that is not a
// usable number. The message names the file and the position of the bad item; the program
// shows it and stops cleanly.
class DataFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The whole text of a data file and the path it was found at (for messages).
struct DataFileText {
    std::string shownName;
    std::string text;
};

// Finds a data file by name through `files` and reads it; throws DataFileError when it is missing
// or cannot be read.
DataFileText ReadDataFile(const DataFiles& files, const std::string& name);

// One number of a free-format text and where it stands (1-based line and column).
struct NumberItem {
    float value;
    std::size_t line;
    std::size_t column;
};

// Reads the first `count` numbers of a free-format text. Items are separated by blanks, tabs
// and line ends with at most one comma among them; anything after the last number needed is
// ignored. A number is an optional sign, digits with an optional decimal point and an optional
// exponent (E or D), within single precision. Throws DataFileError naming `fileName` and the
// line and column of a bad or empty item, or how many numbers a short text holds.
std::vector<NumberItem> ReadFreeFormatNumbers(std::string_view text, const std::string& fileName,
                                              std::size_t count);

// Fill the tables from the text of a coefficient file: the single-precision table and its rows
// converted for the theories. The tables are replaced only when the whole text is good; besides
// the reader's errors, a multiple that the theories cannot form (outside the range of their
// tables) is refused, and so is a coefficient beyond ten times the largest published term
// (1e7 in PERTURBS.FIL, 1e6 in MOONBITS.FIL).
void ParsePerturbTable(std::string_view text, const std::string& fileName,
                       CoefficientTables& tables);
void ParseMoonTable(std::string_view text, const std::string& fileName, CoefficientTables& tables);

// Find the file through `files` and fill the table (PERTURBS.FIL, respectively MOONBITS.FIL).
void LoadPerturbTable(const DataFiles& files, CoefficientTables& tables);
void LoadMoonTable(const DataFiles& files, CoefficientTables& tables);
// Both files, PERTURBS.FIL first, as the program reads them at start-up.
void LoadCoefficientTables(const DataFiles& files, CoefficientTables& tables);
// The same into a program state's tables, as a new instance: copies of the state made before
// keep the tables they share.
void LoadCoefficientTables(const DataFiles& files, SharedCoefficientTables& tables);

// Row i (0..502) of PerturbTable as the series sum it.
inline const PerturbRow& FetchPerturbRow(const CoefficientTables& tables, int i) {
    return tables.PerturbRows[i];
}

// Row i (0..103) of MoonTable as the lunar series sums it.
inline const MoonRow& FetchMoonRow(const CoefficientTables& tables, int i) {
    return tables.MoonRows[i];
}

} // namespace astrodesk
