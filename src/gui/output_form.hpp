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

  protected:
    void AwaitContinue() override;
    // Closing the window or pressing Escape during a wait ends the page as CONTINUE does and
    // asks a producer of many pages to stop; the program goes on at the main menu.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ContinuePressed();
    void LeavePressed();

    PictureBoxView* screenView_;
    PictureBoxView* textView_;
    QPushButton* continueButton_;
    QEventLoop* wait_ = nullptr;
};

} // namespace astrodesk
