#pragma once

// Dialogs that answer input boxes from a list (then Cancel, an empty text) and message boxes
// likewise (then Cancel), remembering every box they were shown.

#include "shell/platform.hpp"

#include <deque>
#include <string>
#include <vector>

namespace astrodesk::testing {

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

} // namespace astrodesk::testing
