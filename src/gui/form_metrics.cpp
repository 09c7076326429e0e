#include "form_metrics.hpp"

#include "display_list_painter.hpp"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace astrodesk {

namespace {

// Caption font size in the designed forms' pixels: DejaVu Sans runs wider than the font the forms
// were laid out for, so a smaller size keeps every caption inside its control.
constexpr double kFormFontPixels = 9.5;

// Return and Enter that no control of the form has taken press its default button.
class DefaultButtonKeys final : public QObject {
  public:
    DefaultButtonKeys(QPushButton& button, QObject* parent) : QObject(parent), button_(button) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !button_.isVisible() ||
            !button_.isEnabled())
            return false;
        button_.animateClick();
        return true;
    }

  private:
    QPushButton& button_;
};

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

void FixFormSize(QWidget& form, QSize size) {
    form.setFixedSize(size);
    form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
}

void ShowWhollyOnScreen(QWidget& form) {
    if (const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QRect frame = form.frameGeometry(); // the client only, until first shown
        // A form moved before (by this function) keeps its place; a new one is centred.
        const QPoint corner = form.testAttribute(Qt::WA_Moved)
                                  ? frame.topLeft()
                                  : area.center() - QPoint(frame.width() / 2, frame.height() / 2);
        const auto within = [](int at, int low, int high) {
            return std::clamp(at, low, std::max(low, high));
        };
        form.move(within(corner.x(), area.left(), area.right() + 1 - frame.width()),
                  within(corner.y(), area.top(), area.bottom() + 1 - frame.height()));
    }
    form.show();
    form.raise();
    form.activateWindow();
}

void SetDefaultButton(QWidget& form, QPushButton& button) {
    // A focused push button takes Return itself; any other control leaves it to the form.
    for (QPushButton* each : form.findChildren<QPushButton*>())
        each->setAutoDefault(true);
    button.setDefault(true);
    form.installEventFilter(new DefaultButtonKeys(button, &form));
}

void PaintFocusFrame(QWidget& control) {
    QPainter painter(&control);
    painter.setPen(QPen(control.palette().color(control.foregroundRole()), 2.0, Qt::DashLine));
    painter.drawRect(QRectF(control.rect()).adjusted(3.0, 3.0, -3.0, -3.0));
}

} // namespace astrodesk
