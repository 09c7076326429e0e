#pragma once

// Output files named on the command line.

#include <string>

namespace astrodesk::cli {

// The file name's extension in lower case with its dot (".png"), or empty.
std::string LowerCaseExtension(const std::string& fileName);

} // namespace astrodesk::cli
