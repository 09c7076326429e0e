#pragma once

// The chart wheel: the last computed chart as a round diagram, the Ascendant on the left, with
// sign and body pictures, aspect lines between the bodies and the positions listed at the left.

#include "shell/output_screen.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Clears the box and draws the whole wheel page on it, without showing or waiting.
void DrawWheelPage(const ProgramState& state, PictureBox& box);

// Shows the wheel of the computed chart on the output screen and waits for CONTINUE; returns at
// once, drawing nothing, while no chart has been computed.
void DrawChartWheel(const ProgramState& state, OutputScreen& output);

} // namespace astrodesk
