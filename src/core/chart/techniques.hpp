#pragma once

// The predictive techniques: a second chart whose moment follows from a base chart (the last
// natal chart, or the last relationship chart) and a target moment. Progressions, transits,
// primary directions and solar returns all work on the time axis alone; the technique chart is
// an ordinary chart of the effective moment at the base chart's place.
//
// Moments here are Julian centuries from JD 2415020.0 (1899 December 31, 12h), as the day count
// gives them and as the snapshots keep them.

#include "shell/program_state.hpp"

#include <cstdint>
#include <optional>

namespace astrodesk {

inline constexpr double kTropicalYearDays = 365.242191;

// Technique codes as the TECHNIQUES page sets them.
enum TechniqueCode : std::int16_t {
    kNatal = 0,
    kProgressions,
    kTransits,
    kPrimaryDirections,
    kSolarReturns
};

// The moment charted for `target` from `base` (both from JD 2415020.0). Direct techniques run
// forward from the base, converse ones (timesArrow 1) mirror the same span backwards:
// progressions a day for a year, transits the span itself, primary directions a day for a year
// twice over, solar returns the whole tropical years to the return nearest the target. Natal
// charts the target unchanged.
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
};

// The technique chart of the options' Technique and TimesArrow for the target date, time and
// era in the record. On success the record holds the base chart's name and place and the
// effective date, time and era, the precession span runs from the natal epoch to the effective
// moment, and the chart has been computed. Otherwise nothing is changed.
TechniqueOutcome ComputeTechniqueChart(ProgramState& state);

// The message that tells the user why a technique chart was not drawn.
const char* TechniqueRefusal(TechniqueOutcome outcome);

} // namespace astrodesk
