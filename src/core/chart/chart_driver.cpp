#include "chart/chart_driver.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/fast_trig.hpp"
#include "astro/nutation.hpp"
#include "astro/precession.hpp"
#include "chart/aberration.hpp"
#include "chart/houses.hpp"
#include "ephemeris/body_theory.hpp"
#include "ephemeris/moon_theory.hpp"
#include "interpret/factors.hpp"

#include <cmath>
#include <string>

namespace astrodesk {

namespace {

constexpr int kPasses = 3;
// Passes 0, 1, 2 evaluate every body a little before, a little after and at the chart time.
constexpr double kPassOffset[kPasses] = {-0.00001, 0.00001, 0.0}; // Julian centuries
constexpr int kLightTimeIterations = 3;
constexpr double kLightDaysPerAU = 0.005775463;
constexpr double kDaysPerCentury = 36525.0;
// The lunar theory gives its distance in equatorial Earth radii.
constexpr double kAUPerEarthRadius = 6378.14 / 149597870.7;
// Pass longitudes closer than this to each other cannot straddle 0 (radians).
constexpr double kMotionWrapThreshold = 0.2;

// Characters first..first+count-1 (1-based) of a text, as much of them as there is.
std::string Characters(const std::string& text, std::size_t first, std::size_t count) {
    return first - 1 < text.size() ? text.substr(first - 1, count) : std::string();
}
std::string LastCharacters(const std::string& text, std::size_t count) {
    return text.size() > count ? text.substr(text.size() - count) : text;
}

// "DD-MM-YYYY" -> "DDMMYYYY" and "HH:MM:SS" -> "HHMMSS" for the day count, and back.
void CompactDateAndTime(ChartRecord& record) {
    record.ChartDate = Characters(record.ChartDate, 1, 2) + Characters(record.ChartDate, 4, 2) +
                       LastCharacters(record.ChartDate, 4);
    record.ChartTime = Characters(record.ChartTime, 1, 2) + Characters(record.ChartTime, 4, 2) +
                       LastCharacters(record.ChartTime, 2);
}
void RestoreDateAndTime(ChartRecord& record) {
    record.ChartDate = Characters(record.ChartDate, 1, 2) + "-" +
                       Characters(record.ChartDate, 3, 2) + "-" +
                       LastCharacters(record.ChartDate, 4);
    record.ChartTime = Characters(record.ChartTime, 1, 2) + ":" +
                       Characters(record.ChartTime, 3, 2) + ":" +
                       LastCharacters(record.ChartTime, 2);
}

struct Vector {
    double x = 0.0, y = 0.0, z = 0.0;
    double Length() const { return std::sqrt(x * x + y * y + z * z); }
};

Vector Rectangular(double longitudeDeg, double latitudeDeg, double radius) {
    const Rotation l = SinCos(DegToRad(longitudeDeg));
    const Rotation b = SinCos(DegToRad(latitudeDeg));
    return {radius * b.RotCos * l.RotCos, radius * b.RotCos * l.RotSin, radius * b.RotSin};
}

// Keeps the last theory result of internal body k: longitude brought to 0..360 degrees,
// latitude, radius and the rectangular ecliptic coordinates.
void StoreTheoryOutput(int k, PositionTables& p) {
    if (p.TheoryL < 0.0) p.TheoryL += 360.0;
    p.HelioLongitude[k] = p.TheoryL;
    p.HelioLatitude[k] = p.TheoryB;
    p.HelioDistance[k] = p.TheoryR;
    const Vector v = Rectangular(p.TheoryL, p.TheoryB, p.TheoryR);
    p.HelioX[k] = v.x;
    p.HelioY[k] = v.y;
    p.HelioZ[k] = v.z;
}

void EvaluateAndStore(int k, double T, const CoefficientTables& tables, PositionTables& p) {
    RunBodyTheory(k, T, tables, p);
    StoreTheoryOutput(k, p);
}

// Apparent place of internal body k (1..10) from the centre body at pass `pass`: light time
// (three iterations), the observer's aberration, nutation. The slot of the centre body itself
// receives the Sun as seen from it.
void PlaceBody(int k, int pass, double T, const ProgramState& state, PositionTables& p) {
    const int cb = state.working.ChartCentre;
    const Vector observer = cb == 0 ? Vector{} : Vector{p.HelioX[cb], p.HelioY[cb], p.HelioZ[cb]};
    Vector rel{p.HelioX[k] - observer.x, p.HelioY[k] - observer.y, p.HelioZ[k] - observer.z};
    double distance = rel.Length();
    const double geometricDistance = distance;
    for (int iteration = 0; iteration < kLightTimeIterations; ++iteration) {
        RunBodyTheory(k, T - distance * kLightDaysPerAU / kDaysPerCentury, state.coefficients, p);
        const Vector body = Rectangular(p.TheoryL, p.TheoryB, p.TheoryR);
        rel =
            k == cb ? body : Vector{body.x - observer.x, body.y - observer.y, body.z - observer.z};
        distance = rel.Length();
    }
    p.RelX = rel.x;
    p.RelY = rel.y;
    p.RelZ = rel.z;
    ApplyAberration(cb, k, distance, p);

    double lambda = AngleOf(p.RelY, p.RelX);
    double beta = std::atan(p.RelZ / std::sqrt(p.RelX * p.RelX + p.RelY * p.RelY));
    // Longitudes stay below the full turn: a turn of exactly 2 pi is 0.
    lambda += DegToRad(p.NutationLongitude);
    if (lambda < 0.0) lambda += kTwoPi;
    if (lambda >= kTwoPi) lambda -= kTwoPi;
    double recordedDistance = geometricDistance;
    if (k == cb) {
        lambda += kPi;
        if (lambda >= kTwoPi) lambda -= kTwoPi;
        beta = -beta;
        recordedDistance = p.HelioDistance[cb];
    }
    p.BodyLongitude[k] = lambda;
    p.PassLongitude[k + 11 * pass] = lambda;
    p.BodyLatitude[k] = beta;
    p.BodyDistance[k] = recordedDistance;
}

// The Moon at the pass time with nutation, and the node with nutation (degrees 0..360). The
// Moon's geocentric distance (AU) waits in the unused internal distance slot 0.
void PlaceMoonAndNode(ProgramState& state, double T) {
    PositionTables& p = state.positions;
    MoonTheory(T, state.coefficients, p);
    ComputeNutation(state.frame, p);
    p.LunarNode += DegToRad(p.NutationLongitude);
    for (int turn = 0; turn < 2 && p.LunarNode < 0.0; ++turn)
        p.LunarNode += kTwoPi;
    p.MoonLongitude += p.NutationLongitude;
    if (p.MoonLongitude < 0.0) p.MoonLongitude += 360.0;
    if (p.MoonLongitude >= 360.0) p.MoonLongitude -= 360.0;
    p.LunarNode = Reduce360(RadToDeg(p.LunarNode));
    p.BodyDistance[0] = p.TheoryR * kAUPerEarthRadius;
    p.TheoryR = 1.0;
    p.TheoryL = DegToRad(p.MoonLongitude);
    p.TheoryB = DegToRad(p.MoonLatitude);
    p.BodyLongitude[0] = p.TheoryL;
    p.BodyLatitude[0] = p.TheoryB;
}

// One evaluation of every body at time T (pass 0, 1 or 2). The nutation too is that of the
// pass time: near a station the motion over the passes is as small as the change of nutation.
void RunPass(ProgramState& state, int pass, double T) {
    state.frame.JulianCenturies = T;
    PositionTables& p = state.positions;
    const CoefficientTables& tables = state.coefficients;
    for (int k = 0; k <= 10; ++k) {
        if (k == 3) { // the Earth: the Sun seen from the Earth turned round
            p.TheoryL = p.HelioLongitude[0] + 180.0;
            if (p.TheoryL > 360.0) p.TheoryL -= 360.0;
            p.TheoryB = -p.HelioLatitude[0];
            p.TheoryR = p.HelioDistance[0];
            StoreTheoryOutput(3, p);
        } else {
            EvaluateAndStore(k, T, tables, p);
        }
    }
    PlaceMoonAndNode(state, T);
    FillMotionRates(T, p);
    for (int k = 1; k <= 10; ++k)
        PlaceBody(k, pass, T, state, p);
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

double RecordJulianCenturies(const ChartRecord& record) {
    ChartRecord compact = record;
    CompactDateAndTime(compact);
    WorkingCopies working;
    working.ChartEraFlag = record.ChartEra;
    ChartFrame frame;
    ComputeDayCount(compact, working, frame);
    return frame.JulianCenturies;
}

void ComputeChartTables(ProgramState& state) {
    state.working.HardCopyOn = state.options.HardCopy;
    state.working.ChartEraFlag = state.record.ChartEra;
    state.working.ChartReady = 1;
    state.options.ClockOn = 0;
    state.working.ChartCentre = state.options.CentreBody;

    CompactDateAndTime(state.record);
    ComputeDayCount(state.record, state.working, state.frame);
    ComputeAngles(state.record, state.frame, state.positions);
    state.frame.JulianCenturies -= 1.0; // from J2000 from here on
    const double T = state.frame.JulianCenturies;
    for (int pass = 0; pass < kPasses; ++pass)
        RunPass(state, pass, T + kPassOffset[pass]);
    state.frame.JulianCenturies = T;

    SetMotionStatus(state.positions);
    ReorderSlots(state.positions, state.working.ChartCentre);
    ComputeHouseCusps(state.options, state.frame);
    if (state.options.Zodiac == 1) PrecessPositions(state.frame, state.positions);
    RestoreDateAndTime(state.record);
    ComputeFactors(state.positions, state.working.ChartCentre, state.factors);
    ComputeAspects(state.factors, state.options.OrbDegrees);
}

ApparentPlaces ComputeApparentPlaces(ProgramState& scratch, double T) {
    RunPass(scratch, kPasses - 1, T);
    const PositionTables& p = scratch.positions;
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
    natal.NatalT = state.frame.JulianCenturies + 1.0;
    const ChartRecord& r = state.record;
    natal.NatalRecord = SavedRecord{r.ChartName,      r.ChartDate,     r.ChartTime,
                                    r.ChartLongitude, r.ChartLatitude, r.ChartEra};
    natal.NatalLatitude = state.frame.Latitude;
    natal.NatalLongitudeWest = state.frame.LongitudeWest;
    state.frame.PrecessFromT = state.frame.JulianCenturies;
}

} // namespace astrodesk
