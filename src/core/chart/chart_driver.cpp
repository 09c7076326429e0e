#include "chart/chart_driver.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/precession.hpp"
#include "chart/chart_passes.hpp"
#include "chart/houses.hpp"
#include "interpret/factors.hpp"

#include <cmath>
#include <optional>
#include <string>

namespace astrodesk {

namespace {

constexpr int kPasses = 3;
// Passes 0, 1, 2 evaluate every body a little before, a little after and at the chart time.
constexpr double kPassOffset[kPasses] = {-0.00001, 0.00001, 0.0}; // Julian centuries
// Pass longitudes closer than this to each other cannot straddle 0 (radians).
constexpr double kMotionWrapThreshold = 0.2;

// The chart of the record, with the angles of `midheaven` when given.
void ComputeChartTablesWith(ProgramState& state, std::optional<double> midheaven) {
    state.working.HardCopyOn = state.options.HardCopy;
    state.working.ChartEraFlag = state.record.ChartEra;
    state.working.ChartReady = 1;
    state.options.ClockOn = 0;
    state.working.ChartCentre = state.options.CentreBody;

    CompactDateAndTime(state.record);
    ComputeDayCount(state.record, state.working, state.frame);
    ComputeAngles(state.record, state.frame, state.positions);
    if (midheaven) SetAnglesFromMidheaven(*midheaven, state.frame, state.positions);
    state.frame.JulianCenturies -= kCenturyBetweenEpochs; // from J2000 from here on
    const double T = state.frame.JulianCenturies;
    const Lanes times = {T + kPassOffset[0], T + kPassOffset[1], T + kPassOffset[2], T};
    const PassPlaces places = RunPasses(state, times, kPasses - 1);
    for (int pass = 0; pass < kPasses; ++pass)
        for (int k = 1; k <= 10; ++k)
            state.positions.PassLongitude[k + 11 * pass] = places.longitude[k][pass];
    state.frame.JulianCenturies = T;

    SetMotionStatus(state.positions);
    ReorderSlots(state.positions, state.working.ChartCentre);
    ComputeHouseCusps(state.options, state.frame);
    if (state.options.Zodiac == 1) PrecessPositions(state.frame, state.positions);
    RestoreDateAndTime(state.record);
    ComputeFactors(state.positions, state.working.ChartCentre, state.factors);
    ComputeAspects(state.factors, state.options.OrbDegrees);
}

} // namespace

void SetMotionStatus(PositionTables& p) {
    for (int k = 1; k <= 10; ++k) {
        double earlier = p.PassLongitude[k];
        double now = p.PassLongitude[k + 22];
        double later = p.PassLongitude[k + 11];
        // No body but the Moon (which has no motion mark) moves 0.2 radian in the 0.73 day from
        // the earlier to the later pass, so those two need no comparison of their own.
        const bool close = std::abs(earlier - now) <= kMotionWrapThreshold &&
                           std::abs(now - later) <= kMotionWrapThreshold;
        if (!close) { // undo a wrap through 0
            for (double* angle : {&earlier, &now, &later})
                if (*angle < kMotionWrapThreshold) *angle += kTwoPi;
        }
        std::int16_t status = 0;
        if (later < now && now < earlier)
            status = 1; // retrograde
        else if (now > earlier && later < now)
            status = 2; // stationary, turning retrograde
        else if (now < earlier && later > now)
            status = 3; // stationary, turning direct
        p.BodyMotion[k] = status;
    }
}

void ReorderSlots(PositionTables& p, int cb) {
    for (int i = 10; i >= 1; --i) {
        p.BodyLongitude[i + 2] = p.BodyLongitude[i];
        p.BodyLatitude[i + 2] = p.BodyLatitude[i];
        p.BodyDistance[i + 2] = p.BodyDistance[i];
        p.BodyMotion[i + 2] = p.BodyMotion[i];
    }
    p.BodyLongitude[2] = p.BodyLongitude[0];
    p.BodyLatitude[2] = p.BodyLatitude[0];
    p.BodyDistance[2] = p.BodyDistance[0];
    p.BodyMotion[2] = 0;
    const int centreSlot = cb + 2;
    p.BodyLongitude[1] = p.BodyLongitude[centreSlot];
    p.BodyLatitude[1] = p.BodyLatitude[centreSlot];
    p.BodyDistance[1] = p.BodyDistance[centreSlot];
    p.BodyMotion[1] = p.BodyMotion[centreSlot];
    const int ascendantSlot = cb > 0 ? centreSlot : 1;
    p.BodyLongitude[ascendantSlot] = p.BodyLongitude[18];
    p.BodyLatitude[ascendantSlot] = p.BodyLatitude[18];
    p.BodyDistance[ascendantSlot] = 0.0;
    if (cb == 0) p.BodyMotion[1] = 0;
    const int angleSource[] = {18, 17, 19}; // Ascendant, Midheaven, Vertex -> slots 13, 14, 15
    for (int slot = 13; slot <= 15; ++slot) {
        p.BodyLongitude[slot] = p.BodyLongitude[angleSource[slot - 13]];
        p.BodyLatitude[slot] = p.BodyLatitude[angleSource[slot - 13]];
    }
}

double RecordMidheaven(const ChartRecord& record) {
    ChartFrame frame = DayCountOfRecord(record);
    PositionTables unused;
    ComputeAngles(record, frame, unused);
    return frame.Midheaven;
}

void ComputeChartTables(ProgramState& state) {
    ComputeChartTablesWith(state, std::nullopt);
}

void ComputeChartTables(ProgramState& state, double midheaven) {
    ComputeChartTablesWith(state, midheaven);
}

ApparentPlaces ComputeApparentPlaces(ProgramState& scratch, double T) {
    const PassPlaces passPlaces = RunPasses(scratch, Broadcast(T), 0);
    PositionTables& p = scratch.positions;
    for (int k = 1; k <= 10; ++k)
        p.PassLongitude[k + 11 * (kPasses - 1)] = passPlaces.longitude[k][0];
    const int cb = scratch.working.ChartCentre;
    ApparentPlaces places;
    for (int k = 1; k <= 10; ++k) {
        places.Longitude[k + 2] = p.BodyLongitude[k];
        places.Latitude[k + 2] = p.BodyLatitude[k];
    }
    places.Longitude[2] = p.BodyLongitude[0];
    places.Latitude[2] = p.BodyLatitude[0];
    // Internal slot cb holds the Sun as seen from the centre; a heliocentric chart has none.
    places.Longitude[1] = cb > 0 ? p.BodyLongitude[cb] : 0.0;
    places.Latitude[1] = cb > 0 ? p.BodyLatitude[cb] : 0.0;
    return places;
}

void TakeNatalSnapshot(ProgramState& state) {
    Snapshots& natal = state.snapshots;
    const PositionTables& p = state.positions;
    natal.NatalAscendant = p.BodyLongitude[13];
    natal.NatalMidheaven = p.BodyLongitude[14];
    natal.NatalVertex = p.BodyLongitude[15];
    natal.NatalT = state.frame.JulianCenturies + kCenturyBetweenEpochs;
    const ChartRecord& r = state.record;
    natal.NatalRecord = SavedRecord{r.ChartName,      r.ChartDate,     r.ChartTime,
                                    r.ChartLongitude, r.ChartLatitude, r.ChartEra};
    natal.NatalLatitude = state.frame.Latitude;
    natal.NatalLongitudeWest = state.frame.LongitudeWest;
    state.frame.PrecessFromT = state.frame.JulianCenturies;
}

} // namespace astrodesk
