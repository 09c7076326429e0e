#pragma once

// Form geometry and colours. The forms were laid out in twips (1/1440 inch) for a screen of
// 15 twips a pixel; every length is converted at that rate and then enlarged by one factor so
// the forms are comfortable on a modern screen. Qt itself follows the desktop's device-pixel
// ratio, so these are logical pixels.

#include "app/option_form.hpp"
#include "shell/output_screen.hpp" // palette colours

#include <QFont>
#include <QRect>
#include <vector>

class QWidget;

namespace astrodesk {

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kFormScale = 1.5;

// Logical pixels of a length in twips.
int TwipsToPixels(int twips);
QRect TwipsToPixels(const TwipRect& rect);

// The font of captions and text boxes: a plain sans serif enlarged like the forms.
QFont FormFont();

// Background and text colours (palette indices) of a form, frame, label or option button;
// disabled text is light grey.
void Paint(QWidget& widget, int background, int foreground);
// Background and text colours of a text box.
void PaintTextBox(QWidget& box, int background, int foreground);

// Tab moves from each widget to the next in the list.
void ChainTabOrder(const std::vector<QWidget*>& widgets);

} // namespace astrodesk
