#include "events/body_search.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace astrodesk {

namespace {

constexpr double kSecond = 1.0 / (86400.0 * kDaysPerJulianCentury); // in Julian centuries
// Roots on the track are taken to a millisecond of the event's time.
constexpr double kRootTolerance = 1e-3 * kSecond;
// A passage refined on the source stands this close to its mark (degrees), or as close as half
// a second of the event's time at the body's rate, whichever is closer.
constexpr double kLongitudeTolerance = 0.05 / 3600.0;
constexpr double kRefineTime = 0.5 * kSecond;
constexpr int kMostRefinements = 8;
// Half the step of the central difference that gives a body's rate on the source: short enough
// that the rate's curvature shifts a station by well under a second, long enough that the
// longitudes' rounding does not show.
constexpr double kRateHalfStep = 0.01 / kDaysPerJulianCentury;
// A station is not searched for at a finer step than this (nor can two lie this close).
constexpr double kFinestStationStep = 60.0 * kSecond;

double SourceLongitude(const LongitudeSource& source, int slot, double T) {
    return RadToDeg(source(T)[slot]);
}

// The rate on the source, degrees per century, by a central difference.
double SourceRate(const LongitudeSource& source, int slot, double T) {
    const double later = SourceLongitude(source, slot, T + kRateHalfStep);
    const double earlier = SourceLongitude(source, slot, T - kRateHalfStep);
    return std::remainder(later - earlier, 360.0) / (2.0 * kRateHalfStep);
}

// The moment in [a, b], where the track's longitude runs one way (`forward` increasing), at
// which it equals `value`: the grid interval holding it by bisection over the samples, then
// Newton's method kept inside the bracket (Press et al., Numerical Recipes, 2nd ed., 9.4).
double PassageOnTrack(const LongitudeTrack& track, int slot, double value, double a, double b,
                      bool forward, double tolerance) {
    const double sense = forward ? 1.0 : -1.0;
    const auto past = [&](double T) { return sense * (track.Longitude(slot, T) - value); };
    double lo = a, hi = b;
    int first = track.NodeAfter(a), last = track.NodeBefore(b);
    while (first <= last) { // nodes first..last lie inside (lo, hi)
        const int middle = (first + last) / 2;
        if (past(track.NodeTime(middle)) <= 0.0) {
            lo = track.NodeTime(middle);
            first = middle + 1;
        } else {
            hi = track.NodeTime(middle);
            last = middle - 1;
        }
    }
    const double pastLo = past(lo), pastHi = past(hi);
    double T = pastHi > pastLo ? lo - pastLo * (hi - lo) / (pastHi - pastLo) : 0.5 * (lo + hi);
    for (int step = 0; step < 60; ++step) {
        const auto [longitude, rate] = track.LongitudeAndRate(slot, T);
        const double f = sense * (longitude - value);
        (f > 0.0 ? hi : lo) = T;
        double next = rate != 0.0 ? T - (longitude - value) / rate : lo;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::abs(next - T) < tolerance) return next;
        T = next;
    }
    return T;
}

// Newton's method on the source from the track's passage: the moment and the body's longitude
// there (degrees 0..360). A step that would leave the track's moment by more than a day, or a
// rate of zero, keeps the track's moment.
std::pair<double, double> RefinePassage(const LongitudeTrack& track, const BodySearch& search,
                                        double mark, double T) {
    const double start = T;
    double longitude = SourceLongitude(*search.source, search.slot, T);
    for (int step = 0; step < kMostRefinements; ++step) {
        const double rate = track.Rate(search.slot, T);
        const double residual = std::remainder(longitude - mark, 360.0);
        const double tolerance =
            std::min(kLongitudeTolerance, std::abs(rate) * kRefineTime / search.dilation);
        if (std::abs(residual) <= tolerance || rate == 0.0) break;
        const double next = T - residual / rate;
        if (std::abs(next - start) > 1.0 / kDaysPerJulianCentury) break;
        T = next;
        longitude = SourceLongitude(*search.source, search.slot, T);
    }
    return {T, Reduce360(longitude)};
}

// Where the track's rate, of opposite signs at a and b, is zero (the Illinois variant of the
// false position, Dowell and Jarratt, BIT 11, 1971).
double RateZeroOnTrack(const LongitudeTrack& track, int slot, double a, double rateA, double b,
                       double rateB, double tolerance) {
    int side = 0;
    while (b - a > tolerance) {
        const double T = (a * rateB - b * rateA) / (rateB - rateA);
        const double rate = track.Rate(slot, T);
        if ((rate < 0.0) == (rateA < 0.0)) {
            a = T, rateA = rate;
            if (side == -1) rateB /= 2.0;
            side = -1;
        } else {
            b = T, rateB = rate;
            if (side == 1) rateA /= 2.0;
            side = 1;
        }
        if (rate == 0.0) return T;
    }
    return 0.5 * (a + b);
}

// Appends the moments in [a, b] where the track's rate changes sign. Where the signs at the two
// ends agree, a pair of stations in between needs the rate to run from each end's value to zero
// at no more than `turn` (degrees per century per century): the interval is halved until that
// is ruled out.
void FindStations(const LongitudeTrack& track, int slot, double turn, double a, double rateA,
                  double b, double rateB, std::vector<double>& stations) {
    if ((rateA < 0.0) != (rateB < 0.0)) {
        stations.push_back(RateZeroOnTrack(track, slot, a, rateA, b, rateB, kRootTolerance));
        return;
    }
    if (std::abs(rateA) + std::abs(rateB) > turn * (b - a) || b - a < kFinestStationStep) return;
    const double middle = 0.5 * (a + b), rateMiddle = track.Rate(slot, middle);
    FindStations(track, slot, turn, a, rateA, middle, rateMiddle, stations);
    FindStations(track, slot, turn, middle, rateMiddle, b, rateB, stations);
}

std::vector<double> TrackStations(const LongitudeTrack& track, const BodySearch& search) {
    const double turn = SharpestTurn(search.slot) * kDaysPerJulianCentury * kDaysPerJulianCentury;
    std::vector<double> stations;
    double a = search.from, rateA = track.Rate(search.slot, a);
    for (int node = track.NodeAfter(search.from); a < search.to; ++node) {
        const double b = std::min(search.to, track.NodeTime(node));
        const double rateB = track.Rate(search.slot, b);
        FindStations(track, search.slot, turn, a, rateA, b, rateB, stations);
        a = b, rateA = rateB;
    }
    return stations;
}

// The station near the track's one where the rate on the source is zero, by the secant method
// from the track's moment and a minute later; the track's moment where that does not settle
// within a day.
double RefineStation(const BodySearch& search, double T) {
    double previous = T + 60.0 * kSecond;
    double previousRate = SourceRate(*search.source, search.slot, previous);
    double rate = SourceRate(*search.source, search.slot, T);
    for (int step = 0; step < kMostRefinements && rate != previousRate; ++step) {
        const double next = T - rate * (T - previous) / (rate - previousRate);
        if (!std::isfinite(next) || std::abs(next - T) > 1.0 / kDaysPerJulianCentury) return T;
        previous = T, previousRate = rate;
        T = next;
        if (std::abs(T - previous) < 0.1 * kSecond) return T;
        rate = SourceRate(*search.source, search.slot, T);
    }
    return T;
}

Event MakeEvent(const BodySearch& search, EventKind kind, int target, int aspect, EventPhase phase,
                double T, double longitude, double targetLongitude) {
    const double moment = search.timeBase + (T - search.timeBase) * search.dilation;
    return {kind,
            search.slot,
            target,
            aspect,
            phase,
            moment,
            2451545.0 + kDaysPerJulianCentury * moment,
            longitude,
            targetLongitude};
}

EventPhase PhaseOf(MarkRole role, bool forward) {
    switch (role) {
    case MarkRole::LowerEdge:
        return forward ? EventPhase::Enter : EventPhase::Leave;
    case MarkRole::UpperEdge:
        return forward ? EventPhase::Leave : EventPhase::Enter;
    default:
        return EventPhase::Exact;
    }
}

// The event of a passage of `mark` at the track's moment T.
Event PassageEvent(const LongitudeTrack& track, const BodySearch& search, const Mark& mark,
                   double T, bool forward) {
    double longitude = Reduce360(track.Longitude(search.slot, T));
    if (mark.role == MarkRole::Exact || search.refineEdges)
        std::tie(T, longitude) = RefinePassage(track, search, mark.longitude, T);
    int target = mark.target;
    if (mark.kind == EventKind::Ingress && !forward) target = target == 1 ? 12 : target - 1;
    return MakeEvent(search, mark.kind, target, mark.aspect, PhaseOf(mark.role, forward), T,
                     longitude, mark.targetLongitude);
}

// The passages of every mark while the track runs one way from a to b (a passage at a counts,
// one at b belongs to the next stretch).
void SearchStretch(const LongitudeTrack& track, const BodySearch& search, double a, double b,
                   std::vector<Event>& events) {
    const double from = track.Longitude(search.slot, a), to = track.Longitude(search.slot, b);
    const bool forward = to >= from;
    const double tolerance = kRootTolerance / search.dilation;
    for (const Mark& mark : *search.marks) {
        if (forward) {
            for (double value = mark.longitude + 360.0 * std::ceil((from - mark.longitude) / 360.0);
                 value < to; value += 360.0)
                events.push_back(PassageEvent(
                    track, search, mark,
                    PassageOnTrack(track, search.slot, value, a, b, true, tolerance), true));
        } else {
            for (double value =
                     mark.longitude + 360.0 * std::floor((from - mark.longitude) / 360.0);
                 value > to; value -= 360.0)
                events.push_back(PassageEvent(
                    track, search, mark,
                    PassageOnTrack(track, search.slot, value, a, b, false, tolerance), false));
        }
    }
}

} // namespace

double SharpestTurn(int slot) {
    // Twice the largest second difference of the longitudes at a tenth of a day over 120
    // windows of two years spread over 9999 B.C. .. 9999 A.D. (the Uranus series far from J2000
    // turns the planet faster than the real one does). Slot 5, the Earth's, is never searched.
    static constexpr std::array<double, 12> kTurn = {0.0016, 1.04,   0.4,  0.087,  0.0,    0.031,
                                                     0.0071, 0.0041, 0.08, 0.0014, 0.0013, 0.00075};
    return kTurn[static_cast<std::size_t>(slot - 1)];
}

void SearchBody(const LongitudeTrack& track, const BodySearch& search, std::vector<Event>& events) {
    const std::vector<double> stations = TrackStations(track, search);
    double start = search.from;
    for (const double station : stations) {
        SearchStretch(track, search, start, station, events);
        if (search.stations) {
            const double rateBefore = track.Rate(search.slot, 0.5 * (start + station));
            const double T = RefineStation(search, station);
            const double longitude = Reduce360(SourceLongitude(*search.source, search.slot, T));
            events.push_back(MakeEvent(search, EventKind::Station,
                                       rateBefore > 0.0 ? kTurnsRetrograde : kTurnsDirect, 0,
                                       EventPhase::Exact, T, longitude, longitude));
        }
        start = station;
    }
    SearchStretch(track, search, start, search.to, events);
}

} // namespace astrodesk
