#pragma once

// An output screen whose user leaves the output during page `leaveAt` (counted from 1; 0 never),
// as closing the window or pressing Escape does; every page shown up to then is recorded.

#include "shell/output_screen.hpp"

#include <cstddef>

namespace astrodesk::testing {

class LeavingOutputScreen : public RecordingOutputScreen {
  public:
    explicit LeavingOutputScreen(std::size_t leaveAt = 0) : leaveAt(leaveAt) {}
    std::size_t leaveAt;

  protected:
    void AwaitContinue() override {
        RecordingOutputScreen::AwaitContinue();
        if (Pages().size() == leaveAt) LeaveOutput();
    }
};

} // namespace astrodesk::testing
