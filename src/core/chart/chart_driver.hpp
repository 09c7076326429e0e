#pragma once

// The chart driver: turns the chart record and the options into a complete chart (time argument,
// angles, apparent places from the centre body with motion status, cusps, optional precession),
// lists it on the output screen and waits for CONTINUE.

#include "shell/output_screen.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Computes, lists and waits. Afterwards display slots 1..15 hold the chart (radians),
// JulianCenturies the chart time from J2000, ChartReady is 1 and the clock is off.
void ComputeChart(ProgramState& state, OutputScreen& output);

// The same computation printing its listing on a picture box, without showing or waiting.
void ComputeChartPage(ProgramState& state, PictureBox& box);

// Remembers the chart just computed as the natal chart of the techniques.
void TakeNatalSnapshot(ProgramState& state);

} // namespace astrodesk
