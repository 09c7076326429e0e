#pragma once

// The desktop program: the four forms over the shell's logic. It is the shell's `Forms`: the
// logic shows, hides and fills the windows through it.

#include "app/main_menu.hpp"
#include "entry_form_widget.hpp"
#include "main_menu_form.hpp"
#include "option_form_widget.hpp"
#include "output_form.hpp"

#include <memory>

class QEventLoop;

namespace astrodesk {

class Desktop final : public Forms {
  public:
    // `atlas` serves the entry form's "FIND PLACE"; `libraryPath` is the chart library's file
    // of its OPEN and SAVE.
    Desktop(Services services, const Atlas& atlas, std::string libraryPath);

    // Start-up. A missing or broken coefficient file is named on stderr and, where someone can
    // answer it, in a message box, and stops the start (false); the program then ends without
    // showing a form.
    bool Start();

    void ShowMainMenu() override;
    void HideMainMenu() override;
    void EnableChoice(Choice choice, bool enabled) override;
    void ShowEntryForm() override;
    void ShowEntryFormModal() override;
    void HideEntryForm() override;
    void ShowEntryText(EntryField field, const std::string& text) override;
    void EnableEntryChoice(EntryField field, bool enabled) override;
    void ShowOptionPage(const OptionPage& page) override;
    void CloseOptionForm() override;
    void Quit() override;

    Shell& shell() { return shell_; }
    Mainmenu& mainmenu() { return mainmenu_; }
    Entrymen& entrymen() { return entrymen_; }
    OUTPUT& output() { return output_; }
    GENERAL* general() const { return general_.get(); }
    bool Quitting() const { return quitting_; }

  private:
    Services services_;
    OUTPUT output_;
    Shell shell_;
    LibraryForm library_;
    Mainmenu mainmenu_;
    Entrymen entrymen_;
    std::unique_ptr<GENERAL> general_; // the last page loaded; hidden once closed
    QEventLoop* modalEntry_ = nullptr; // runs while the entry form is shown modally
    bool quitting_ = false;
};

} // namespace astrodesk
