#pragma once

// Test doubles for the shell: forms that remember what they were told, dialogs that give
// scripted answers, a clock the test can move, and coefficient files in a scratch folder.
// Shared by the headless tests and the desktop's.

#include "app/main_menu.hpp"
#include "support/scratch_folder.hpp"
#include "support/scripted_dialogs.hpp"

#include <functional>
#include <map>

namespace astrodesk::testing {

class FakeForms : public Forms {
  public:
    bool menuVisible = false;
    bool entryVisible = false;
    bool optionFormOpen = false;
    bool quit = false;
    std::map<Choice, bool> choiceEnabled;
    std::map<EntryField, std::string> entryTexts;
    std::map<EntryField, bool> entryChoiceEnabled;
    OptionPage page;
    // What the user does while the entry form is shown modally, "ALL &DONE" included.
    std::function<void()> modalEntry;
    int modalEntries = 0;

    bool Enabled(Choice choice) const {
        const auto found = choiceEnabled.find(choice);
        return found == choiceEnabled.end() || found->second;
    }

    void ShowMainMenu() override { menuVisible = true; }
    void HideMainMenu() override { menuVisible = false; }
    void EnableChoice(Choice choice, bool enabled) override { choiceEnabled[choice] = enabled; }
    void ShowEntryForm() override { entryVisible = true; }
    void ShowEntryFormModal() override {
        entryVisible = true;
        ++modalEntries;
        if (modalEntry) modalEntry();
    }
    void EnableEntryChoice(EntryField field, bool enabled) override {
        entryChoiceEnabled[field] = enabled;
    }
    void HideEntryForm() override { entryVisible = false; }
    void ShowEntryText(EntryField field, const std::string& text) override {
        entryTexts[field] = text;
    }
    void ShowOptionPage(const OptionPage& shown) override {
        page = shown;
        optionFormOpen = true;
    }
    void CloseOptionForm() override { optionFormOpen = false; }
    void Quit() override { quit = true; }
};

class SettableClock : public Clock {
  public:
    ClockReading reading{1993, 2, 10, 20, 15, 30};
    ClockReading Now() const override { return reading; }
};

// Coefficient files of the right length (all zeros) in a scratch folder of their own.
class ScratchDataFiles : public ScratchFolder {
  public:
    ScratchDataFiles() {
        Write("PERTURBS.FIL", 503 * 9);
        Write("MOONBITS.FIL", 104 * 8);
    }

    using ScratchFolder::Write;
    // A file of `numbers` zeros, one a line.
    void Write(const std::string& name, int numbers) const {
        Write(name, std::vector<std::string>(static_cast<std::size_t>(numbers), "0"));
    }
};

} // namespace astrodesk::testing
