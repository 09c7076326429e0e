#pragma once

// Reading a map outline file: 3234 records of two 16-bit whole numbers in free format (separated
// by commas, blanks or line ends; one record a line as written), anything after them ignored.

#include "ephemeris/coefficient_files.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <string>
#include <string_view>

namespace astrodesk {

// Fills the tables from the text of a map file and names it in LoadedMapFile, or throws
// DataFileError naming the file and the record when the text holds fewer than 3234 records, an
// item that is not a whole number or a value outside -32768..32767; the tables then stay as they
// were.
void ParseMapFile(std::string_view text, const std::string& fileName, MapTables& tables);

// Finds the file (as the coefficient files are found) and parses it; a missing file throws
// DataFileError too.
void LoadMapFile(const DataFiles& files, const std::string& fileName, MapTables& tables);

} // namespace astrodesk
