#pragma once

// The output form `OUTPUT` ("ASTROLOGY OUTPUT SCREEN"): the `Screen` picture box, the `TEXT`
// legend box beside it during maps, and CONTINUE. A page waits in a nested event loop until
// CONTINUE is pressed.

#include "shell/output_screen.hpp"

#include <QWidget>
#include <functional>

class QEventLoop;
class QImage;
class QPushButton;

namespace astrodesk {

// A picture box on the form: its black background picture and its display list on top.
class PictureBoxView final : public QWidget {
  public:
    PictureBoxView(const PictureBox& box, QWidget* parent);
    // Follows the box's place, size and visibility.
    void Follow();
    std::function<void()> clicked;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const PictureBox& box_;
};

// The background picture of `Screen`: 800 x 600 pixels, all black.
QImage BackgroundPicture();

class OUTPUT final : public QWidget, public OutputScreen {
  public:
    OUTPUT();

    void Show() override;
    void Refresh() override;
    void SetContinueVisible(bool visible) override;

    // Writes the background picture to "test.bmp" in the current directory.
    void Screen_Click();
    bool Waiting() const { return wait_ != nullptr; }

    // Called when the window is closed while a page waits: the program is to end.
    std::function<void()> closedWhileWaiting;

  protected:
    void AwaitContinue() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ContinuePressed();

    PictureBoxView* screenView_;
    PictureBoxView* textView_;
    QPushButton* continueButton_;
    QEventLoop* wait_ = nullptr;
    bool closing_ = false; // closed during a wait: every later page passes at once
};

} // namespace astrodesk
