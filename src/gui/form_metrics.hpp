#pragma once

// Form geometry and colours. The forms were laid out in twips (1/1440 inch) for a screen of
// 15 twips a pixel; every length is converted at that rate and then enlarged by one factor so
// the forms are comfortable on a modern screen. Qt itself follows the desktop's device-pixel
// ratio, so these are logical pixels.

#include "app/option_form.hpp"
#include "shell/output_screen.hpp" // palette colours

#include <QCheckBox>
#include <QFont>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QSize>
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

// A form of fixed size: its title bar offers minimise and close, no maximise.
void FixFormSize(QWidget& form, QSize size);

// Shows a top-level form, raised and active, where it last stood (centred on its screen the
// first time), moved as little as needed to lie wholly within the screen's available area with
// its frame: a window manager may place a form shown again anywhere.
void ShowWhollyOnScreen(QWidget& form);

// Return and Enter press the form's default button wherever the keyboard focus is, except on
// another push button, which they press instead (a form with CONTINUE shown presses only that
// once it is visible). The default button wears the style's default frame.
void SetDefaultButton(QWidget& form, QPushButton& button);

// A dashed frame in the caption's colour inside a control that has the keyboard focus.
void PaintFocusFrame(QWidget& control);

// Buttons that show the keyboard focus with that frame, so that it can be told among buttons
// of one colour however it came there.
template <typename Button> class FocusFramed final : public Button {
  public:
    using Button::Button;

  protected:
    void paintEvent(QPaintEvent* event) override {
        Button::paintEvent(event);
        if (this->hasFocus()) PaintFocusFrame(*this);
    }
};
using OptionButton = FocusFramed<QRadioButton>;
using CheckButton = FocusFramed<QCheckBox>;
using CommandButton = FocusFramed<QPushButton>;

} // namespace astrodesk
