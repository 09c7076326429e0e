#pragma once

// Test doubles for the shell: forms that remember what they were told, dialogs that give
// scripted answers, a clock the test can move, and coefficient files in a scratch folder.
// Shared by the headless tests and the desktop's.

#include "app/main_menu.hpp"
#include "support/scratch_folder.hpp"

#include <deque>
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

// Answers input boxes from a list (then Cancel, an empty text) and message boxes likewise
// (then Cancel); remembers every box it was shown.
class ScriptedDialogs : public Dialogs {
  public:
    struct Box {
        std::string text, title, prefill;
    };
    std::deque<std::string> inputAnswers;
    std::deque<MessageAnswer> messageAnswers;
    std::vector<Box> inputBoxes;
    std::vector<Box> messageBoxes;

    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& prefill) override {
        inputBoxes.push_back({prompt, title, prefill});
        return Next(inputAnswers, std::string());
    }
    MessageAnswer MessageBox(const std::string& text, const std::string& title,
                             MessageButtons) override {
        messageBoxes.push_back({text, title, ""});
        return Next(messageAnswers, MessageAnswer::Cancel);
    }

  private:
    template <typename T> static T Next(std::deque<T>& answers, T whenEmpty) {
        if (answers.empty()) return whenEmpty;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
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
