#pragma once

// Paints the display list of a picture box with a QPainter: the same page the desktop shows,
// at any scale (the screen's device-pixel ratio, or a larger factor for print-quality images).

#include "shell/output_screen.hpp"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;

namespace astrodesk {

QColor PaletteColour(int colour);

// The fixed-pitch font whose character cell is cellWidth device pixels wide.
QFont FixedPitchFont(double cellWidth);

// Paints every item of the box, its top-left corner at the painter's origin; one picture-box
// pixel becomes `scale` device pixels. The background is left to the caller.
void PaintDisplayList(QPainter& painter, const PictureBox& box, double scale);

// The box as an image of Width x Height picture-box pixels times `scale`, on a background of
// the given palette colour.
QImage RenderPictureBox(const PictureBox& box, double scale, int background = kBlack);

// The output form as one image on black: each visible picture box at its place on the form (the
// map legend panel beside the narrowed Screen), clipped to its own edges.
QImage RenderOutputScreen(const OutputScreen& output, double scale);

} // namespace astrodesk
