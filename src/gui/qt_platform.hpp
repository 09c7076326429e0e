#pragma once

// The desktop's platform: modal input and message boxes (the printer is qt_printer.hpp).

#include "qt_printer.hpp"
#include "shell/platform.hpp"

#include <QString>

namespace astrodesk {

class QtDialogs final : public Dialogs {
  public:
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& prefill) override;
    MessageAnswer MessageBox(const std::string& text, const std::string& title,
                             MessageButtons buttons) override;
    // False on the offscreen and minimal platforms, which draw into memory only.
    bool Attended() const override;
};

} // namespace astrodesk
