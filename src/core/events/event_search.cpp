#include "events/event_search.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/techniques.hpp"
#include "ephemeris/body_theory.hpp"
#include "events/body_search.hpp"
#include "events/longitude_track.hpp"
#include "interpret/factors.hpp"

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>

namespace astrodesk {

namespace {

// The grid of the samples: a day. The degree-five polynomial through daily samples follows
// every body but the Moon to better than 0.02" (the tests measure it); the Moon's passages are
// refined on the positions themselves.
constexpr double kTrackStep = 1.0 / kDaysPerJulianCentury;
constexpr int kMoonSlot = 2;
constexpr int kPlutoSlot = 11;
// Pluto's longitude jumps where the program changes from its series to its mean orbit, at
// |T| = kPlutoSeriesRange (late 1899 and early 2101). Its tracks end this far short of the
// change on either side, so that no sample of a track (three steps beyond its end, and light
// time earlier still) lies on the other side of it.
constexpr double kTheoryChangeMargin = 5.0 / kDaysPerJulianCentury;

const std::vector<int> kTransitingBodies = {1, 3, 4, 6, 7, 8, 9, 10, 11};
const std::vector<int> kProgressedBodies = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11};
const std::vector<int> kReturningBodies = {1, 2};
const std::vector<int> kNatalTargets = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14};

bool Contains(const std::vector<int>& list, int slot) {
    return std::find(list.begin(), list.end(), slot) != list.end();
}

// The marks of every aspect of the chart's table to each target: the exact longitudes (one for
// the conjunction and the opposition, one either side of the point for the others) and, with an
// orb, the orb's two edges around each.
std::vector<Mark> AspectMarks(const NatalPoints& natal, const std::vector<int>& targets,
                              int orbDegrees, EventKind kind) {
    std::vector<Mark> marks;
    for (const int target : targets) {
        const double point = natal.longitude[target];
        for (int type = 1; type <= kAspectTypes; ++type) {
            const double angle = AspectAngle(type);
            const double orb = AspectOrb(type, static_cast<std::int16_t>(orbDegrees));
            const bool oneSided = angle == 0.0 || angle == 180.0;
            for (const double exact : {point + angle, point - angle}) {
                const auto mark = [&](double longitude, MarkRole role) {
                    marks.push_back({Reduce360(longitude), kind, target, type, role, point});
                };
                mark(exact, MarkRole::Exact);
                if (orb > 0.0) {
                    mark(exact - orb, MarkRole::LowerEdge);
                    mark(exact + orb, MarkRole::UpperEdge);
                }
                if (oneSided) break;
            }
        }
    }
    return marks;
}

std::vector<Mark> IngressMarks() {
    std::vector<Mark> marks;
    for (int sign = 1; sign <= 12; ++sign) {
        const double start = 30.0 * (sign - 1);
        marks.push_back({start, EventKind::Ingress, sign, 0, MarkRole::Exact, start});
    }
    return marks;
}

// The parts of [from, to] on which the body's longitude is one smooth function of time.
std::vector<std::pair<double, double>> SmoothPieces(int slot, double from, double to) {
    std::vector<std::pair<double, double>> pieces{{from, to}};
    if (slot != kPlutoSlot) return pieces;
    for (const double change : {-kPlutoSeriesRange, kPlutoSeriesRange}) {
        std::vector<std::pair<double, double>> cut;
        for (const auto& [a, b] : pieces) {
            if (b <= change - kTheoryChangeMargin || a >= change + kTheoryChangeMargin) {
                cut.emplace_back(a, b);
                continue;
            }
            if (a < change - kTheoryChangeMargin) cut.emplace_back(a, change - kTheoryChangeMargin);
            if (b > change + kTheoryChangeMargin) cut.emplace_back(change + kTheoryChangeMargin, b);
        }
        pieces = cut;
    }
    return pieces;
}

// Searches one body over [from, to] on the shared track, or on tracks of its own where its
// longitude is not smooth over the whole span.
void SearchOnPieces(const LongitudeTrack& shared, BodySearch search, std::vector<Event>& events) {
    const auto pieces = SmoothPieces(search.slot, search.from, search.to);
    if (pieces.size() == 1 && pieces.front() == std::pair(search.from, search.to)) {
        SearchBody(shared, search, events);
        return;
    }
    for (const auto& [a, b] : pieces) {
        const LongitudeTrack own(*search.source, a, b, kTrackStep);
        search.from = a, search.to = b;
        SearchBody(own, search, events);
    }
}

struct BodyLists {
    std::vector<int> moving, progressed, returning, targets;
};

BodyLists ListsOf(const EventSearchOptions& options) {
    const bool chosen = !options.bodies.empty();
    return {chosen ? options.bodies : kTransitingBodies,
            chosen ? options.bodies : kProgressedBodies, chosen ? options.bodies : kReturningBodies,
            options.targets.empty() ? kNatalTargets : options.targets};
}

void SearchTransits(const LongitudeSource& source, const NatalPoints& natal,
                    const EventSearchOptions& options, const BodyLists& lists, double from,
                    double to, std::vector<Event>& events) {
    const EventKinds& kinds = options.kinds;
    const bool moving = kinds.transits || kinds.ingresses || kinds.stations;
    const std::vector<Mark> aspects =
        kinds.transits ? AspectMarks(natal, lists.targets, options.orbDegrees, EventKind::Transit)
                       : std::vector<Mark>{};
    const std::vector<Mark> ingresses = IngressMarks();
    const LongitudeTrack track(source, from, to, kTrackStep);
    for (int slot = 1; slot <= 12; ++slot) {
        const bool moves = moving && Contains(lists.moving, slot);
        const bool returns = kinds.returns && Contains(lists.returning, slot);
        if (slot == kEarthSlot || (!moves && !returns)) continue;
        std::vector<Mark> marks;
        if (moves) marks = aspects;
        if (moves && kinds.ingresses) marks.insert(marks.end(), ingresses.begin(), ingresses.end());
        if (returns)
            marks.push_back({natal.longitude[slot], EventKind::Return, slot, 0, MarkRole::Exact,
                             natal.longitude[slot]});
        BodySearch search{slot,   from, to, &marks, moves && kinds.stations, slot == kMoonSlot,
                          &source};
        SearchOnPieces(track, search, events);
    }
}

// Progressions: the progressed body at B + (T - B) / year stands where the event's moment T
// puts it, B the natal moment.
void SearchProgressions(const LongitudeSource& source, const NatalPoints& natal,
                        const EventSearchOptions& options, const BodyLists& lists, double from,
                        double to, std::vector<Event>& events) {
    const double birth = natal.julianCenturies;
    const double progressedFrom = birth + (from - birth) / kTropicalYearDays;
    const double progressedTo = birth + (to - birth) / kTropicalYearDays;
    const std::vector<Mark> marks =
        AspectMarks(natal, lists.targets, options.orbDegrees, EventKind::Progression);
    const LongitudeTrack track(source, progressedFrom, progressedTo, kTrackStep);
    for (const int slot : lists.progressed) {
        if (slot == kEarthSlot) continue;
        BodySearch search{slot, progressedFrom, progressedTo, &marks,           false,
                          true, &source,        birth,        kTropicalYearDays};
        SearchOnPieces(track, search, events);
    }
}

// The bodies' places at T (from J2000) and the given angles (radians).
NatalPoints PointsAt(const ProgramState& state, double T, double ascendant, double midheaven) {
    ProgramState scratch = state;
    scratch.working.ChartCentre = kGeocentricCentre;
    const ApparentPlaces places = ComputeApparentPlaces(scratch, T);
    NatalPoints natal;
    natal.julianCenturies = T;
    for (int slot = 1; slot <= 12; ++slot)
        if (slot != kEarthSlot) natal.longitude[slot] = LongitudeDegrees(places.Longitude[slot]);
    natal.longitude[kAscendantPoint] = LongitudeDegrees(ascendant);
    natal.longitude[kMidheavenPoint] = LongitudeDegrees(midheaven);
    return natal;
}

bool EarlierEvent(const Event& a, const Event& b) {
    return std::tie(a.julianCenturies, a.kind, a.body, a.target, a.aspect) <
           std::tie(b.julianCenturies, b.kind, b.body, b.target, b.aspect);
}

} // namespace

NatalPoints NatalPointsOf(const ProgramState& chart) {
    return PointsAt(chart, chart.frame.JulianCenturies, chart.frame.Ascendant,
                    chart.frame.Midheaven);
}

LongitudeSource ProgramLongitudes(const ProgramState& program) {
    auto scratch = std::make_shared<ProgramState>(program);
    scratch->working.ChartCentre = kGeocentricCentre;
    return [scratch](double T) { return ComputeApparentPlaces(*scratch, T).Longitude; };
}

std::vector<Event> FindEvents(const LongitudeSource& source, const NatalPoints& natal,
                              const EventSearchOptions& options) {
    const double from = options.fromT;
    const double to = std::min(options.toT, from + kLongestSpanCenturies);
    std::vector<Event> events;
    if (!(to >= from)) return events;
    const BodyLists lists = ListsOf(options);
    const EventKinds& kinds = options.kinds;
    if (kinds.transits || kinds.ingresses || kinds.stations || kinds.returns)
        SearchTransits(source, natal, options, lists, from, to, events);
    if (kinds.progressions) SearchProgressions(source, natal, options, lists, from, to, events);
    std::sort(events.begin(), events.end(), EarlierEvent);
    return events;
}

std::vector<Event> FindEvents(const ProgramState& program, const NatalPoints& natal,
                              const EventSearchOptions& options) {
    return FindEvents(ProgramLongitudes(program), natal, options);
}

} // namespace astrodesk
