#pragma once

// The predictive techniques: a second chart whose moment follows from a base chart (the last
// natal chart, or the last relationship chart) and a target moment. Progressions, transits,
// primary directions and solar returns all work on the time axis alone; the technique chart is
// an ordinary chart of the effective moment at the base chart's place.
//
// Moments here are Julian centuries from JD 2415020.0 (1899 December 31, 12h), as the day count
// gives them and as the snapshots keep them.
//
// Time keys, with Y = kTropicalYearDays and the span s = target - base: secondary progressions
// chart the moment base + s / Y, one day after the base for each tropical year of the span;
// primary directions base + s / Y^2, a year of the span for 1/Y of a day (3m 56.6s of time, in
// which the sky turns about one degree); transits base + s. Solar returns in mean years chart
// base + n Y days, n the whole years in s (a target less than half a year, 0.005 century,
// before an anniversary already counts it). The exact returns are found by chart/returns.hpp.

#include "shell/program_state.hpp"

#include <cstdint>
#include <optional>

namespace astrodesk {

// The mean tropical year, days: the Sun's mean time from one equinox back to it.
inline constexpr double kTropicalYearDays = 365.242191;

// Technique codes as the TECHNIQUES page sets them.
enum TechniqueCode : std::int16_t {
    kNatal = 0,
    kProgressions,
    kTransits,
    kPrimaryDirections,
    kSolarReturns,
    kLunarReturns
};

// Options::ReturnMoment: the solar return where the Sun is back at its base longitude, or at
// whole mean tropical years from the base.
inline constexpr std::int16_t kExactReturn = 0;
inline constexpr std::int16_t kMeanYearReturn = 1;

// Options::ProgressedAngles: the progressed chart's own angles, or the base chart's Midheaven
// advanced by the progressed Sun's arc.
inline constexpr std::int16_t kProgressedMomentAngles = 0;
inline constexpr std::int16_t kSolarArcAngles = 1;

// The moment charted for `target` from `base` (both from JD 2415020.0). Direct techniques run
// forward from the base, converse ones (timesArrow 1) mirror the same span backwards:
// progressions a day for a year, transits the span itself, primary directions a day for a year
// twice over, solar returns the whole tropical years to the return nearest the target (the mean
// year's estimate of it). Natal charts the target unchanged.
double EffectiveMoment(std::int16_t technique, std::int16_t timesArrow, double base, double target);

// Writes `julianCenturies` (from JD 2415020.0) into the record as the texts that the day count
// reads back as that moment to the whole second: ChartDate "DD-MM-YYYY" (Julian calendar up to
// 5 October 1582, Gregorian afterwards), ChartTime "HH:MM:SS", and the era (ChartEra and
// EraText; year y <= 0 of the astronomical count is written as year 1 - y B.C.). A moment
// outside 01-01-9999 B.C. 00:00:00 .. 31-12-9999 A.D. 23:59:59 cannot be entered and is
// refused: false, the record untouched.
[[nodiscard]] bool SetRecordFromTime(double julianCenturies, ChartRecord& record);

// The chart a technique starts from: the natal snapshot, or in relationship mode the last
// relationship chart (none before the first one has been computed).
struct TechniqueBase {
    SavedRecord record;
    double T; // centuries from JD 2415020.0
};
std::optional<TechniqueBase> TechniqueBaseOf(const ProgramState& state);

enum class TechniqueOutcome {
    Charted,
    OutsideEntryRange,  // the effective moment lies outside the years 9999 B.C. .. 9999 A.D.
    NoRelationshipBase, // relationship mode asks for a base that was never computed
    NoReturnFound,      // the series give no return near the moment asked for
};

// The moment charted for the options' technique (all moments from JD 2415020.0). Solar returns
// (unless ReturnMoment asks for mean years) start from the mean-year moment of EffectiveMoment
// and take the moment nearby where the program's apparent geocentric Sun stands at its base
// longitude; lunar returns take the one nearest the target. Converse returns mirror the direct
// return about the base moment. Nothing when no return is found.
std::optional<double> ChartedMoment(const ProgramState& state, double base, double target);

// The technique chart of the options' Technique and TimesArrow (and ReturnMoment and
// ProgressedAngles) for the target date, time and era in the record. On success the record holds
// the base chart's name and place and the effective date, time and era, the precession span runs
// from the natal epoch to the effective moment, and the chart has been computed; solar-arc
// progressions take the base chart's Midheaven advanced by the arc of the progressed Sun
// (progressed minus base longitude) and derive Ascendant, Vertex and cusps from it at the base
// chart's place. Otherwise nothing is changed.
TechniqueOutcome ComputeTechniqueChart(ProgramState& state);

// The message that tells the user why a technique chart was not drawn.
const char* TechniqueRefusal(TechniqueOutcome outcome);

} // namespace astrodesk
