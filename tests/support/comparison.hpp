#pragma once

// Helpers of the comparisons with Swiss Ephemeris: angle differences, reproducible random picks
// and the record's fixed-position texts.

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace astrodesk::testing {

// |a - b| in degrees, modulo a whole turn (or a half turn, given 180).
inline double DegreesApart(double a, double b, double turn = 360.0) {
    return std::abs(std::remainder(a - b, turn));
}

// Whole numbers drawn uniformly from low..high, the same sequence for the same seed.
class RandomPick {
  public:
    explicit RandomPick(unsigned seed) : engine_(seed) {}
    int operator()(int low, int high) { return std::uniform_int_distribution(low, high)(engine_); }

  private:
    std::mt19937 engine_;
};

// Three numbers (or characters) printed into one of the record's texts, e.g. "%02d%c%02d".
inline std::string Format(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace astrodesk::testing
