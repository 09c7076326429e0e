#include "chart/techniques.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/chart_driver.hpp"
#include "chart/returns.hpp"

#include <cmath>
#include <optional>
#include <utility>

namespace astrodesk {

namespace {

constexpr double kDaysPerCentury = 36525.0;
// A target up to this long before an anniversary already counts its return: half a year.
constexpr double kReturnRoundingCenturies = 0.005;

// The years the entry form takes, 9999 B.C. to 9999 A.D., in the astronomical count.
constexpr int kFirstEntryYear = 1 - 9999;
constexpr int kLastEntryYear = 9999;
// Far beyond the entry range (about 120 centuries either side of 1900), yet small enough for the
// count of whole seconds.
constexpr double kFarCenturies = 1000.0;

std::optional<CalendarMoment> EntryMomentOf(double julianCenturies) {
    if (!(std::abs(julianCenturies) < kFarCenturies)) return std::nullopt;
    const CalendarMoment moment = CalendarMomentOf(julianCenturies);
    if (moment.year < kFirstEntryYear || moment.year > kLastEntryYear) return std::nullopt;
    return moment;
}

// The found return, counted from JD 2415020.0, run forward or mirrored about the base.
std::optional<double> Directed(std::optional<double> fromJ2000, double base, std::int16_t arrow) {
    if (!fromJ2000) return std::nullopt;
    const double found = *fromJ2000 + kCenturyBetweenEpochs;
    return arrow == 1 ? base - (found - base) : found;
}

ChartRecord AsRecord(const SavedRecord& saved) {
    return {saved.ChartName,     saved.ChartDate,      saved.ChartTime,
            saved.ChartLatitude, saved.ChartLongitude, "",
            saved.ChartEra};
}

// For solar-arc progressions, the base chart's Midheaven advanced by the arc the Sun has run
// from the base moment to the moment of `chart` (its record texts, to the whole second).
std::optional<double> SolarArcMidheaven(const ProgramState& state, const TechniqueBase& base,
                                        const ChartRecord& chart) {
    const Options& options = state.options;
    if (options.Technique != kProgressions || options.ProgressedAngles != kSolarArcAngles)
        return std::nullopt;
    ProgramState scratch = state;
    const double progressedSun = GeocentricLongitude(
        scratch, kSunSlot, RecordJulianCenturies(chart) - kCenturyBetweenEpochs);
    const double arc =
        progressedSun - GeocentricLongitude(scratch, kSunSlot, base.T - kCenturyBetweenEpochs);
    return Reduce2Pi(RecordMidheaven(AsRecord(base.record)) + arc);
}

} // namespace

double EffectiveMoment(std::int16_t technique, std::int16_t timesArrow, double base,
                       double target) {
    const double span = target - base;
    const double arrow = timesArrow == 1 ? -1.0 : 1.0;
    switch (technique) {
    case kProgressions:
        return base + arrow * span / kTropicalYearDays;
    case kTransits:
        return base + arrow * span;
    case kPrimaryDirections:
        return base + arrow * span / kTropicalYearDays / kTropicalYearDays;
    case kSolarReturns: {
        const double returns =
            std::floor((span + kReturnRoundingCenturies) * kDaysPerCentury / kTropicalYearDays);
        return base + arrow * returns * kTropicalYearDays / kDaysPerCentury;
    }
    default:
        return target;
    }
}

bool SetRecordFromTime(double julianCenturies, ChartRecord& record) {
    const std::optional<CalendarMoment> moment = EntryMomentOf(julianCenturies);
    if (!moment) return false;
    MomentTexts texts = MomentTextsOf(*moment);
    record.ChartDate = std::move(texts.date);
    record.ChartTime = std::move(texts.time);
    record.EraText = std::move(texts.eraText);
    record.ChartEra = texts.era;
    return true;
}

std::optional<TechniqueBase> TechniqueBaseOf(const ProgramState& state) {
    const Snapshots& snapshots = state.snapshots;
    if (state.options.RelationshipChart != 1)
        return TechniqueBase{snapshots.NatalRecord, snapshots.NatalT};
    if (!snapshots.RelationshipTaken) return std::nullopt;
    return TechniqueBase{snapshots.RelationshipRecord, snapshots.RelT};
}

std::optional<double> ChartedMoment(const ProgramState& state, double base, double target) {
    const Options& options = state.options;
    const std::int16_t arrow = options.TimesArrow;
    const bool exactSolar =
        options.Technique == kSolarReturns && options.ReturnMoment == kExactReturn;
    if (!exactSolar && options.Technique != kLunarReturns)
        return EffectiveMoment(options.Technique, arrow, base, target);
    ProgramState scratch = state;
    if (exactSolar) {
        const double meanYears = EffectiveMoment(kSolarReturns, 0, base, target);
        return Directed(SolarReturnNear(scratch, base - kCenturyBetweenEpochs,
                                        meanYears - kCenturyBetweenEpochs),
                        base, arrow);
    }
    return Directed(
        LunarReturnNearest(scratch, base - kCenturyBetweenEpochs, target - kCenturyBetweenEpochs),
        base, arrow);
}

TechniqueOutcome ComputeTechniqueChart(ProgramState& state) {
    const std::optional<TechniqueBase> base = TechniqueBaseOf(state);
    if (!base) return TechniqueOutcome::NoRelationshipBase;
    const std::optional<double> charted =
        ChartedMoment(state, base->T, RecordJulianCenturies(state.record));
    if (!charted) return TechniqueOutcome::NoReturnFound;
    const double effective = *charted;
    ChartRecord record = state.record;
    if (!SetRecordFromTime(effective, record)) return TechniqueOutcome::OutsideEntryRange;
    record.ChartName = base->record.ChartName;
    record.ChartLatitude = base->record.ChartLatitude;
    record.ChartLongitude = base->record.ChartLongitude;
    const std::optional<double> midheaven = SolarArcMidheaven(state, *base, record);
    state.record = record;
    // Precession carries the positions back to the ecliptic of the natal epoch (from J2000), for
    // this chart alone: a natal chart computed afterwards keeps its own ecliptic.
    state.frame.PrecessSpanT = state.frame.PrecessFromT - (effective - kCenturyBetweenEpochs);
    if (midheaven)
        ComputeChartTables(state, *midheaven);
    else
        ComputeChartTables(state);
    state.frame.PrecessSpanT = 0.0;
    return TechniqueOutcome::Charted;
}

const char* TechniqueRefusal(TechniqueOutcome outcome) {
    switch (outcome) {
    case TechniqueOutcome::OutsideEntryRange:
        return "THE CHART'S MOMENT LIES OUTSIDE THE YEARS 9999 B.C. TO 9999 A.D.";
    case TechniqueOutcome::NoRelationshipBase:
        return "NO RELATIONSHIP CHART HAS BEEN COMPUTED YET.";
    case TechniqueOutcome::NoReturnFound:
        return "NO RETURN COULD BE FOUND NEAR THE TARGET MOMENT.";
    case TechniqueOutcome::Charted:
        break;
    }
    return "";
}

} // namespace astrodesk
