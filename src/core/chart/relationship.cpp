#include "chart/relationship.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/number_text.hpp"
#include "chart/chart_driver.hpp"
#include "chart/techniques.hpp"
#include "shell/utf8_text.hpp"

#include <cmath>
#include <utility>

namespace astrodesk {

namespace {

constexpr double kMeridianSeparation = 0.001; // degrees: places on one meridian
constexpr std::size_t kNameCharacters = 10;
// Colatitude, degrees, within which a place counts as standing at a pole: there every direction
// is south (or north), and the bearing of the arc is not defined.
constexpr double kPoleColatitude = 1e-9;

bool AtPole(double latitude) {
    return 90.0 - std::abs(latitude) < kPoleColatitude;
}

// Arc cosine over the whole range 0..pi. ArcCosSafe gives the arc less pi for a negative
// cosine; at a cosine of -1 that is -0, so the half turn is added by the cosine's sign.
double ArcCosine(double cosine) {
    const double arc = ArcCosSafe(cosine);
    return cosine < 0.0 ? arc + kPi : arc;
}

// West longitude brought into -180..+180 degrees.
double WrappedLongitudeWest(double longitudeWest) {
    if (longitudeWest > 180.0) longitudeWest -= 360.0;
    if (longitudeWest < -180.0) longitudeWest += 360.0;
    return longitudeWest;
}

// The arc between a pole and another place runs along the other place's meridian; between the
// poles themselves, along the first person's (place 2).
GreatCircleMidpointResult MeridianMidpoint(double b1, double b2, double l1, double l2) {
    const double longitudeWest = AtPole(b2) && !AtPole(b1) ? l1 : l2;
    return {(b1 + b2) / 2.0, longitudeWest};
}

// Whole degrees and rounded minutes of an angle's size, with the degree part kept below `limit`
// (the pole or the 180th meridian is written as the limit's last degree and 60 minutes).
std::pair<int, int> DegreesAndMinutes(double degrees, int limit) {
    const double size = std::abs(degrees);
    int whole = static_cast<int>(size);
    int minutes = static_cast<int>(60.0 * FracPart(size) + 0.5);
    if (whole >= limit) {
        whole = limit - 1;
        minutes = 60;
    }
    return {whole, minutes};
}

std::string Two(int value) {
    std::string text = std::to_string(value);
    return TwoDigitText(text);
}

} // namespace

GreatCircleMidpointResult GreatCircleMidpoint(double b1, double b2, double l1, double l2) {
    if (AtPole(b1) || AtPole(b2)) return MeridianMidpoint(b1, b2, l1, l2);
    // Order the places so that the shorter arc runs eastward from place 1 by delta degrees.
    double delta = l1 - l2;
    if (delta < 0.0) {
        std::swap(b1, b2);
        std::swap(l1, l2);
        delta = l1 - l2;
    }
    if (delta >= 180.0) {
        std::swap(b1, b2);
        std::swap(l1, l2);
        delta = 360.0 - delta;
    }
    if (delta == 0.0) delta = kMeridianSeparation;
    if (delta == 180.0) delta = 180.0 - kMeridianSeparation;

    const double c1 = DegToRad(90.0 - b1);
    const double c2 = DegToRad(90.0 - b2);
    const double d = DegToRad(delta);
    // Half the arc between the places, by the cosine rule on the triangle with the pole.
    const double h =
        ArcCosine(std::cos(c1) * std::cos(c2) + std::sin(c1) * std::sin(c2) * std::cos(d)) / 2.0;
    // Bearing of the arc at place 1, east of north.
    double bearing =
        std::atan(1.0 / (std::sin(c1) / std::tan(c2) / std::sin(d) - std::cos(c1) / std::tan(d)));
    if (bearing < 0.0) bearing += kPi;
    // Colatitude of the midpoint, and its longitude east of place 1.
    const double m =
        ArcCosine(std::cos(c1) * std::cos(h) + std::sin(c1) * std::sin(h) * std::cos(bearing));
    double step = std::atan(
        1.0 / (std::sin(c1) / std::tan(h) / std::sin(bearing) - std::cos(c1) / std::tan(bearing)));
    if (step < 0.0) step += kPi;
    return {90.0 - RadToDeg(m), WrappedLongitudeWest(l1 - RadToDeg(step))};
}

void SetRecordFromPlace(const ChartFrame& frame, ChartRecord& record) {
    const auto [latitudeDegrees, latitudeMinutes] = DegreesAndMinutes(RadToDeg(frame.Latitude), 90);
    record.ChartLatitude =
        Two(latitudeDegrees) + (frame.Latitude < 0.0 ? "S" : "N") + Two(latitudeMinutes);
    const auto [longitudeDegrees, longitudeMinutes] = DegreesAndMinutes(frame.LongitudeWest, 180);
    record.ChartLongitude = (longitudeDegrees > 99 ? "1" : "0") + Two(longitudeDegrees % 100) +
                            (frame.LongitudeWest < 0.0 ? "E" : "W") + Two(longitudeMinutes);
}

std::string RelationshipName(const std::string& firstName, const std::string& secondName) {
    return std::string(FirstCharacters(firstName, kNameCharacters)) + " & " +
           std::string(FirstCharacters(secondName, kNameCharacters)) +
           std::string(kRelationshipEnding);
}

bool ComputeRelationshipChart(ProgramState& state) {
    ChartFrame& frame = state.frame;
    const Snapshots& natal = state.snapshots;
    // The second person's chart has just been computed: its moment is counted from J2000 now.
    const double mean = (natal.NatalT + frame.JulianCenturies + kCenturyBetweenEpochs) / 2.0;
    ChartRecord record = state.record;
    if (!SetRecordFromTime(mean, record)) return false;
    const GreatCircleMidpointResult midpoint =
        GreatCircleMidpoint(RadToDeg(frame.Latitude), RadToDeg(natal.NatalLatitude),
                            frame.LongitudeWest, natal.NatalLongitudeWest);
    record.ChartName = RelationshipName(natal.NatalRecord.ChartName, record.ChartName);
    frame.LongitudeWest = midpoint.MidpointLongitudeWest;
    frame.Latitude = DegToRad(midpoint.MidpointLatitude);
    SetRecordFromPlace(frame, record);
    state.record = record;
    ComputeChartTables(state);
    TakeRelationshipSnapshot(state);
    return true;
}

void TakeRelationshipSnapshot(ProgramState& state) {
    Snapshots& snapshots = state.snapshots;
    snapshots.RelT = state.frame.JulianCenturies + kCenturyBetweenEpochs;
    const ChartRecord& r = state.record;
    snapshots.RelationshipRecord = SavedRecord{r.ChartName,      r.ChartDate,     r.ChartTime,
                                               r.ChartLongitude, r.ChartLatitude, r.ChartEra};
    snapshots.RelationshipTaken = true;
}

} // namespace astrodesk
