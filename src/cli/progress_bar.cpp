#include "progress_bar.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace astrodesk::cli {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::size_t kBarWidth = 30; // characters, so that the line fits 80 columns

} // namespace

ProgressBar::ProgressBar(std::optional<std::size_t> total)
    : shown_(isatty(STDERR_FILENO) == 1), total_(total), start_(std::chrono::steady_clock::now()),
      lastDrawn_(start_ - kRedrawInterval) {} // drawn at the first item

ProgressBar::~ProgressBar() {
    if (shown_) std::fputs("\r\033[K", stderr); // back to the line's start, erased to its end
}

void ProgressBar::Advance() {
    ++done_;
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDrawn_ < kRedrawInterval) return;
    lastDrawn_ = now;
    Draw();
}

void ProgressBar::Draw() const {
    const double seconds = std::chrono::duration<double>(lastDrawn_ - start_).count();
    const double rate = seconds > 0.0 ? static_cast<double>(done_) / seconds : 0.0;
    std::string bar;
    if (total_ && *total_ > 0) {
        const std::size_t filled = std::min(kBarWidth, done_ * kBarWidth / *total_);
        bar = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
              std::to_string(done_ * 100 / *total_) + "% " + std::to_string(done_) + "/" +
              std::to_string(*total_);
    } else {
        bar = std::to_string(done_);
    }
    bar += " charts";
    if (seconds >= 0.5) bar += ", " + std::to_string(std::lround(rate)) + " a second";
    std::fprintf(stderr, "\r%s\033[K", bar.c_str());
    std::fflush(stderr);
}

} // namespace astrodesk::cli
