#pragma once

// One entry point for the chart computation: the theory of internal body k at time T.

#include "shell/program_state.hpp"

namespace astrodesk {

// Pluto's series serves for |T| below this many Julian centuries from J2000, its mean orbit
// beyond.
inline constexpr double kPlutoSeriesRange = 1.01;

// Evaluates internal body k at T (Julian centuries from J2000) into TheoryL, TheoryB (degrees)
// and TheoryR (AU): 0 the Sun seen from the Earth, 1 Mercury, 2 Venus, 3 the Earth seen from the
// Sun (the Sun's direction turned round: longitude in 0..360 plus 180 degrees, reduced below
// 360, latitude negated), 4 Mars ... 8 Neptune, 9 Pluto (series or mean orbit), 10 ZED.
void RunBodyTheory(int k, double T, const CoefficientTables& tables, PositionTables& positions);

} // namespace astrodesk
