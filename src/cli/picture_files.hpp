#pragma once

// Pictures of the output screen written to files: PNG through the desktop's Qt painter, SVG by
// the core's writer, chosen by the file name's extension.

#include "shell/output_screen.hpp"

#include <string>

namespace astrodesk::cli {

// Refuses (RefuseArgument) a file name without .png or .svg and a scale outside 0.1..10.
void CheckPictureArguments(const std::string& fileName, double scale);

// Writes what the output screen shows (its visible picture boxes in place), `scale` times the
// screen's size; refuses the arguments as CheckPictureArguments does, and a file that cannot be
// written.
void WriteOutputPicture(const OutputScreen& output, double scale, const std::string& fileName);

} // namespace astrodesk::cli
