#pragma once

// The option form `GENERAL` ("GENERAL MENU"), built afresh for each page: four frames, each
// with its label and group of option buttons, and "&BEGIN".

#include "app/option_form.hpp"

#include <QWidget>

namespace astrodesk {

class GENERAL final : public QWidget {
  public:
    GENERAL(OptionForm& logic, const OptionPage& page);

    void Option1_Click(int index) { logic_.OptionClick(1, index); }
    void Option2_Click(int index) { logic_.OptionClick(2, index); }
    void Option3_Click(int index) { logic_.OptionClick(3, index); }
    void Option4_Click(int index) { logic_.OptionClick(4, index); }
    void Command1_Click() { logic_.Command1_Click(); }

  protected:
    // Closing the window is "&BEGIN".
    void closeEvent(QCloseEvent* event) override;

  private:
    // Frame n with its label and the buttons of group n; returns the buttons in tab order.
    std::vector<QWidget*> AddGroup(int group, const OptionGroup& layout);

    OptionForm& logic_;
};

} // namespace astrodesk
