#pragma once

// The option form `GENERAL` ("GENERAL MENU"), built afresh for each page: four frames, each
// with its label and group of option buttons, and "&BEGIN" (on TECHNIQUES "&FIND EVENTS" too).

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
    void Toggle_Click(int toggle, bool checked) { logic_.ToggleClick(toggle, checked); }
    void Command1_Click() { logic_.Command1_Click(); }
    void Events_Click() { logic_.EventsClick(); }

  protected:
    // Closing the window is "&BEGIN".
    void closeEvent(QCloseEvent* event) override;

  private:
    // Frame n with its label, the buttons of group n and the page's check boxes that stand in
    // it; returns them in tab order, each check box after the button beside it.
    std::vector<QWidget*> AddGroup(int group, const OptionGroup& layout,
                                   const std::vector<OptionToggle>& toggles);
    // Toggle `toggle` of the page inside `frame`.
    QWidget* AddToggle(int toggle, const OptionToggle& layout, QWidget& frame);

    OptionForm& logic_;
};

} // namespace astrodesk
