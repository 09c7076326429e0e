#include "chart/returns.hpp"

#include "astro/angles.hpp"
#include "chart/chart_driver.hpp"

#include <cmath>

namespace astrodesk {

namespace {

constexpr double kDaysPerCentury = 36525.0;
// Mean motions in tropical longitude, radians per Julian century (Meeus, Astronomical
// Algorithms, 2nd ed., eqs. 25.2 and 47.1: 36000.77 and 481267.88 degrees per century).
constexpr double kSunMeanRate = DegToRad(36000.76983);
constexpr double kMoonMeanRate = DegToRad(481267.88123);
// The tropical month, days: the Moon's mean time from one longitude back to the same.
constexpr double kTropicalMonthDays = 27.321582;
constexpr int kMostSteps = 40;

double MeanRate(int slot) {
    return slot == kMoonSlot ? kMoonMeanRate : kSunMeanRate;
}

// How far the body stands past `longitude` at T, radians within half a turn either way.
double ArcPast(ProgramState& scratch, int slot, double longitude, double T) {
    return std::remainder(GeocentricLongitude(scratch, slot, T) - longitude, kTwoPi);
}

// A secant step where the last two trials give a slope near the body's motion, else a step at
// the mean motion (the first step, and whenever a slope would send the search astray).
double NextTrial(double t, double arc, double previousT, double previousArc, double meanRate) {
    const double slope = (arc - previousArc) / (t - previousT);
    const bool plausible = std::isfinite(slope) && slope > 0.5 * meanRate && slope < 2.0 * meanRate;
    return t - arc / (plausible ? slope : meanRate);
}

} // namespace

double GeocentricLongitude(ProgramState& scratch, int slot, double T) {
    scratch.working.ChartCentre = kGeocentricCentre;
    return ComputeApparentPlaces(scratch, T).Longitude[slot];
}

std::optional<double> LongitudeCrossing(ProgramState& scratch, int slot, double longitude,
                                        double estimate) {
    const double meanRate = MeanRate(slot);
    double previousT = estimate, previousArc = ArcPast(scratch, slot, longitude, estimate);
    if (std::abs(previousArc) <= kCrossingTolerance) return estimate;
    double t = estimate - previousArc / meanRate;
    for (int step = 0; step < kMostSteps && std::isfinite(t); ++step) {
        const double arc = ArcPast(scratch, slot, longitude, t);
        if (std::abs(arc) <= kCrossingTolerance) return t;
        const double next = NextTrial(t, arc, previousT, previousArc, meanRate);
        previousT = t;
        previousArc = arc;
        t = next;
    }
    return std::nullopt;
}

std::optional<double> SolarReturnNear(ProgramState& scratch, double base, double estimate) {
    return LongitudeCrossing(scratch, kSunSlot, GeocentricLongitude(scratch, kSunSlot, base),
                             estimate);
}

std::optional<double> LunarReturnNearest(ProgramState& scratch, double base, double target) {
    const double natalMoon = GeocentricLongitude(scratch, kMoonSlot, base);
    // The arc the Moon has run since its last return, 0..2 pi, dates that return roughly.
    const double sinceReturn =
        Reduce2Pi(GeocentricLongitude(scratch, kMoonSlot, target) - natalMoon);
    const std::optional<double> last =
        LongitudeCrossing(scratch, kMoonSlot, natalMoon, target - sinceReturn / kMoonMeanRate);
    if (!last) return std::nullopt;
    const std::optional<double> next = LongitudeCrossing(
        scratch, kMoonSlot, natalMoon, *last + kTropicalMonthDays / kDaysPerCentury);
    if (!next) return std::nullopt;
    return target - *last <= *next - target ? *last : *next;
}

} // namespace astrodesk
