#pragma once

// The chart driver: turns the chart record and the options into a complete chart (time argument,
// angles, apparent places from the centre body with motion status, cusps, optional precession,
// the interpretation factors and aspects). It prints nothing: the listing is a step after it.

#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Computes the chart of the record and the options. Afterwards display slots 1..15 hold the chart
// (radians), JulianCenturies the chart time from J2000, the record its display texts, the factors
// and aspects are derived, ChartReady is 1 and the clock is off.
void ComputeChartTables(ProgramState& state);

// The same chart with the angles and cusps of another Midheaven (radians, ecliptic longitude of
// date) at the record's place in place of the moment's own: directed angles.
void ComputeChartTables(ProgramState& state, double midheaven);

// The Midheaven (radians, ecliptic longitude of date) of the record's moment and place, as the
// chart of the record shows it before any precession.
double RecordMidheaven(const ChartRecord& record);

// Apparent places at one moment, as the chart's pass at that moment gives them: display slots
// 1..12 (SUN, MON, MER ... ZED) seen from the centre body, radians (longitudes 0 <= L < 2 pi),
// with light time, aberration and the nutation of that moment. The centre body's own slot (and
// slot 1 of a heliocentric chart) holds no body.
struct ApparentPlaces {
    IndexedArray<double, 1, 12> Longitude{};
    IndexedArray<double, 1, 12> Latitude{};
};

// The places at T (Julian centuries from J2000) from the centre scratch.working.ChartCentre; the
// position tables and the time of `scratch` serve as working space. Costs one pass of the driver.
ApparentPlaces ComputeApparentPlaces(ProgramState& scratch, double T);

// Motion code of internal bodies 1..10 from their longitudes at the three passes (before, after
// and at the chart time): 0 direct, 1 retrograde, 2 stationary turning retrograde, 3 stationary
// turning direct. Pass longitudes that straddle 0 count as one continuous motion.
void SetMotionStatus(PositionTables& positions);

// Moves the internal indices 0 (Moon, its distance included) and 1..10 and the angles 17..19 into
// display slots 1..15:
// slot 1 takes the Sun as seen from the centre body cb, and the centre body's own slot (slot 1
// when cb is 0) the Ascendant with distance 0.
void ReorderSlots(PositionTables& positions, int cb);

// Remembers the chart just computed as the natal chart of the techniques.
void TakeNatalSnapshot(ProgramState& state);

} // namespace astrodesk
