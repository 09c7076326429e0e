#pragma once

// The main menu form `Mainmenu`: ten choices as option buttons, "&ACTION" to carry out the
// selected one.

#include "app/main_menu.hpp"

#include <QWidget>
#include <array>

class QPushButton;
class QRadioButton;

namespace astrodesk {

class Mainmenu final : public QWidget {
  public:
    Mainmenu(MainMenu& logic, const ProgramState& state);

    void Command1_Click();
    QRadioButton& Option(Choice choice) const;

  protected:
    // Closing the window asks the exit question like "&QUIT".
    void closeEvent(QCloseEvent* event) override;

  private:
    MainMenu& logic_;
    std::array<QRadioButton*, kChoiceCount> options_;
    QPushButton* command1_;
};

} // namespace astrodesk
