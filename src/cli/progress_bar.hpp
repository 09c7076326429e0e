#pragma once

// A progress bar on the error stream for a long command, drawn only when the error stream is a
// terminal, so that a redirected or piped stderr carries messages alone.

#include <chrono>
#include <cstddef>
#include <optional>

namespace astrodesk::cli {

class ProgressBar {
  public:
    // `total` items when known (a file), or nothing (a pipe): the bar then counts without a
    // proportion.
    explicit ProgressBar(std::optional<std::size_t> total);
    ~ProgressBar(); // clears the bar's line
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // One more item done; redraws at most ten times a second.
    void Advance();

  private:
    void Draw() const;

    bool shown_;
    std::optional<std::size_t> total_;
    std::size_t done_ = 0;
    std::chrono::steady_clock::time_point start_, lastDrawn_;
};

} // namespace astrodesk::cli
