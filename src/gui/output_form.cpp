#include "output_form.hpp"

#include "display_list_painter.hpp"
#include "form_metrics.hpp"

#include <QCloseEvent>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

namespace astrodesk {

namespace {

constexpr TwipRect kOutputClient{0, 0, 9570, 6420};
constexpr TwipRect kContinueButton{120, 5040, 1575, 1215};
constexpr int kBackgroundWidth = 800; // pixels of the background picture
constexpr int kBackgroundHeight = 600;

int FormPixels(double pixels) {
    return static_cast<int>(std::lround(pixels * kFormScale));
}

} // namespace

PictureBoxView::PictureBoxView(const PictureBox& box, QWidget* parent)
    : QWidget(parent), box_(box) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    Follow();
}

void PictureBoxView::Follow() {
    setGeometry(FormPixels(box_.Left), 0, FormPixels(box_.Width), FormPixels(box_.Height));
    setVisible(box_.Visible);
    update();
}

void PictureBoxView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black); // the background picture is larger than the box
    PaintDisplayList(painter, box_, kFormScale);
}

void PictureBoxView::mousePressEvent(QMouseEvent*) {
    if (clicked) clicked();
}

QImage BackgroundPicture() {
    QImage picture(kBackgroundWidth, kBackgroundHeight, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

OUTPUT::OUTPUT()
    : screenView_(new PictureBoxView(Screen, this)), textView_(new PictureBoxView(TEXT, this)),
      continueButton_(new CommandButton(QStringLiteral("CONTINUE"), this)) {
    setObjectName(QStringLiteral("OUTPUT"));
    setWindowTitle(QStringLiteral("ASTROLOGY OUTPUT SCREEN"));
    FixFormSize(*this, TwipsToPixels(kOutputClient).size());
    setFont(FormFont());
    // Black like the pictures, so that no seam shows between the map legend and the map.
    Paint(*this, kBlack, kWhite);
    screenView_->setObjectName(QStringLiteral("Screen"));
    textView_->setObjectName(QStringLiteral("TEXT"));
    continueButton_->setObjectName(QStringLiteral("Command1"));
    continueButton_->setGeometry(TwipsToPixels(kContinueButton));
    Refresh();
    SetContinueVisible(false);
    screenView_->clicked = [this] { Screen_Click(); };
    connect(continueButton_, &QPushButton::clicked, this, [this] { ContinuePressed(); });
    SetDefaultButton(*this, *continueButton_);
}

void OUTPUT::Show() {
    ShowWhollyOnScreen(*this);
    Refresh();
}

void OUTPUT::Refresh() {
    screenView_->Follow();
    textView_->Follow();
    continueButton_->raise();
}

void OUTPUT::SetContinueVisible(bool visible) {
    OutputScreen::SetContinueVisible(visible);
    continueButton_->setVisible(visible);
}

void OUTPUT::Screen_Click() {
    BackgroundPicture().save(QStringLiteral("test.bmp"), "BMP");
}

void OUTPUT::AwaitContinue() {
    Refresh();
    QEventLoop wait;
    wait_ = &wait;
    wait.exec();
    wait_ = nullptr;
}

void OUTPUT::ContinuePressed() {
    Command1_Click();
    Refresh();
    if (wait_) wait_->quit();
}

void OUTPUT::LeavePressed() {
    LeaveOutput();
    Refresh();
    wait_->quit();
}

void OUTPUT::closeEvent(QCloseEvent* event) {
    if (wait_) LeavePressed();
    event->accept();
}

void OUTPUT::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && wait_)
        LeavePressed();
    else
        QWidget::keyPressEvent(event);
}

} // namespace astrodesk
