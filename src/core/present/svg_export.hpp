#pragma once

// A picture box's display list as a standalone SVG document: the same page the screen shows,
// for print-quality pictures without a display.

#include "shell/output_screen.hpp"

#include <string>

namespace astrodesk {

// The box as an SVG picture of Width x Height picture-box pixels times `scale`, on black: lines,
// circles and dots in their palette colours, glyph bits as solid squares painted opaquely, text
// in a fixed-pitch font whose characters fill the box's character cells.
std::string PictureBoxSvg(const PictureBox& box, double scale);

// The output form as one SVG picture: each visible picture box at its place on the form (the map
// legend panel beside the narrowed Screen), clipped to its own edges.
std::string OutputScreenSvg(const OutputScreen& output, double scale);

} // namespace astrodesk
