#include "form_metrics.hpp"

#include "display_list_painter.hpp"

#include <QPalette>
#include <QWidget>
#include <cmath>

namespace astrodesk {

namespace {

// Caption font size in the designed forms' pixels: DejaVu Sans runs wider than the font the forms
// were laid out for, so a smaller size keeps every caption inside its control.
constexpr double kFormFontPixels = 9.5;

} // namespace

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * kFormScale));
}

QRect TwipsToPixels(const TwipRect& rect) {
    return {TwipsToPixels(rect.left), TwipsToPixels(rect.top), TwipsToPixels(rect.width),
            TwipsToPixels(rect.height)};
}

QFont FormFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(kFormFontPixels * kFormScale)));
    font.setBold(true);
    return font;
}

void Paint(QWidget& widget, int background, int foreground) {
    QPalette palette = widget.palette();
    palette.setColor(widget.backgroundRole(), PaletteColour(background));
    // Buttons take their own text role; option buttons write their captions as window text.
    for (QPalette::ColorRole text : {widget.foregroundRole(), QPalette::WindowText}) {
        palette.setColor(text, PaletteColour(foreground));
        palette.setColor(QPalette::Disabled, text, PaletteColour(kLightGrey));
    }
    widget.setAutoFillBackground(true);
    widget.setPalette(palette);
}

void PaintTextBox(QWidget& box, int background, int foreground) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, PaletteColour(background));
    palette.setColor(QPalette::Text, PaletteColour(foreground));
    box.setPalette(palette);
}

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace astrodesk
