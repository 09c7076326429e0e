#pragma once

// The interpretation text files of one reading. A reading shows blocks of the same file many
// times (PLANET.TXT twelve times, HOUSES.TXT eleven), so each file is found, read and checked
// once and then served from memory.

#include "shell/platform.hpp"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace astrodesk {

// No text file may hold more lines than this.
inline constexpr int kTextFileMaxLines = 65;

// A text file the reading cannot use; the message names the file and what is wrong with it
// ("THE TEXT FILE HOUSES.TXT IS DAMAGED: LINE 12 HOLDS A CONTROL CHARACTER (\x1b)").
class TextFileFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TextFiles {
  public:
    explicit TextFiles(const DataFiles& files) : files_(files) {}

    // The lines of the file, without their line ends (a DOS carriage return dropped). Throws
    // TextFileFault when the file is missing, is not a regular file, cannot be read, holds more
    // than kTextFileMaxLines lines, or holds a line with a control character or bytes that are
    // not UTF-8 (shown raw they would garble the screen and the printer).
    const std::vector<std::string>& Lines(const std::string& name);

  private:
    std::vector<std::string> Read(const std::string& name) const;

    const DataFiles& files_;
    std::map<std::string, std::vector<std::string>, std::less<>> read_;
};

} // namespace astrodesk
