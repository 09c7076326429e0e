#pragma once

// The data files shipped beside the test programs, found as the programs find them (the current
// folder, then the program's own folder and the installed data folder), so that a test program
// runs from any folder.

#include "shell/platform.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace astrodesk::testing {

inline const DataFiles& ShippedDataFiles() {
    static const InstalledDataFiles files(RunningProgramDirectory());
    return files;
}

// The whole text of a shipped data file; a file that is not found fails the test program
// loudly rather than handing the test an empty text.
inline std::string ShippedFileText(const std::string& name) {
    const auto path = ShippedDataFiles().Find(name);
    if (!path) throw std::runtime_error("the data file " + name + " is not beside the tests");
    std::ostringstream text;
    text << std::ifstream(*path, std::ios::binary).rdbuf();
    return text.str();
}

} // namespace astrodesk::testing
