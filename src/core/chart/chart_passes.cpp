#include "chart/chart_passes.hpp"

#include "astro/angles.hpp"
#include "astro/fast_trig.hpp"
#include "astro/nutation.hpp"
#include "chart/aberration.hpp"
#include "ephemeris/body_theory.hpp"
#include "ephemeris/moon_theory.hpp"

namespace astrodesk {

namespace {

constexpr int kLightTimeIterations = 3;
constexpr double kLightDaysPerAU = 0.005775463;
constexpr double kDaysPerCentury = 36525.0;
// The lunar theory gives its distance in equatorial Earth radii.
constexpr double kAUPerEarthRadius = 6378.14 / 149597870.7;

// The heliocentric tables of internal bodies 0..10 (0 the Sun seen from the Earth, 3 the Earth
// seen from the Sun): longitude (0..360) and latitude (degrees), radius (AU) and rectangular
// ecliptic coordinates (AU).
struct HelioTables {
    IndexedArray<Lanes, 0, 10> longitude{};
    IndexedArray<Lanes, 0, 10> latitude{};
    IndexedArray<Lanes, 0, 10> distance{};
    IndexedArray<Lanes, 0, 10> x{};
    IndexedArray<Lanes, 0, 10> y{};
    IndexedArray<Lanes, 0, 10> z{};
};

// The Moon with nutation (degrees 0..360), its latitude (degrees), its distance (Earth radii),
// the mean node with nutation (degrees 0..360) and the nutation itself.
struct MoonAndNode {
    Lanes longitude;
    Lanes latitude;
    Lanes distance;
    Lanes node;
    LanesNutation nutation;
};

// What the last placing step leaves: the last theory result and the corrected vector from the
// centre body (AU).
struct LastPlacing {
    LanesBody theory;
    LanesVector rel;
};

[[gnu::always_inline]] inline Lanes Length(const LanesVector& v) {
    return SquareRoot(v.x * v.x + v.y * v.y + v.z * v.z);
}

[[gnu::always_inline]] inline LanesVector Rectangular(const LanesPlace& place) {
    const LanesRotation l = SinCos(DegToRad(place.L));
    const LanesRotation b = SinCos(DegToRad(place.B));
    return {place.R * b.RotCos * l.RotCos, place.R * b.RotCos * l.RotSin, place.R * b.RotSin};
}

[[gnu::always_inline]] inline Lanes AddIfBelow(const Lanes& x, double limit, double turn) {
    return Select(x < limit, x + turn, x);
}
[[gnu::always_inline]] inline Lanes SubtractIfAtLeast(const Lanes& x, double limit, double turn) {
    return Select(x >= limit, x - turn, x);
}

// Keeps a theory result of internal body k: longitude brought to 0..360 degrees, latitude,
// radius and the rectangular ecliptic coordinates.
[[gnu::always_inline]] inline void StoreTheoryOutput(int k, LanesPlace place, HelioTables& helio) {
    place.L = AddIfBelow(place.L, 0.0, 360.0);
    helio.longitude[k] = place.L;
    helio.latitude[k] = place.B;
    helio.distance[k] = place.R;
    const LanesVector v = Rectangular(place);
    helio.x[k] = v.x;
    helio.y[k] = v.y;
    helio.z[k] = v.z;
}

// Every body at the lanes' times; the Earth is the Sun seen from the Earth turned round.
ASTRODESK_LANES_KERNEL
void EvaluateBodies(const Lanes& times, const CoefficientTables& tables, HelioTables& helio) {
    for (int k = 0; k <= 10; ++k) {
        if (k == 3) {
            const Lanes turned = helio.longitude[0] + 180.0;
            StoreTheoryOutput(3,
                              {Select(turned > 360.0, turned - 360.0, turned), -helio.latitude[0],
                               helio.distance[0]},
                              helio);
        } else {
            LanesBody body;
            RunBodyTheory(k, times, tables, body);
            StoreTheoryOutput(k, body.place, helio);
        }
    }
}

// The Moon and the node at the lanes' times, both with nutation.
ASTRODESK_LANES_KERNEL
void PlaceMoonAndNode(const Lanes& times, const CoefficientTables& tables, MoonAndNode& result) {
    LanesMoon moon;
    MoonTheory(times, tables, moon);
    ComputeNutation(times, result.nutation);
    const Lanes nutation = result.nutation.longitude;
    Lanes node = result.nutation.lunarNode + DegToRad(nutation);
    node = AddIfBelow(AddIfBelow(node, 0.0, kTwoPi), 0.0, kTwoPi);
    result.node = EachLane(RadToDeg(node), [](double degrees) { return Reduce360(degrees); });
    const Lanes longitude = moon.longitude + nutation;
    result.longitude = SubtractIfAtLeast(AddIfBelow(longitude, 0.0, 360.0), 360.0, 360.0);
    result.latitude = moon.latitude;
    result.distance = moon.distance;
}

// The rectangular place of internal body k at `times` from its theory (AU). A lane on a mean
// orbit also leaves that orbit's rectangular place in the body's slot of `helio`.
[[gnu::always_inline]] inline LanesVector TheoryPlaceAt(int k, const Lanes& times,
                                                        const CoefficientTables& tables,
                                                        HelioTables& helio, LanesBody& body) {
    RunBodyTheory(k, times, tables, body);
    if (AnyLane(body.fromMeanOrbit)) {
        helio.x[k] = Select(body.fromMeanOrbit, body.orbit.x, helio.x[k]);
        helio.y[k] = Select(body.fromMeanOrbit, body.orbit.y, helio.y[k]);
        helio.z[k] = Select(body.fromMeanOrbit, body.orbit.z, helio.z[k]);
    }
    return Rectangular(body.place);
}

// A body's heliocentric path near one moment t1 (AU, Julian centuries): its place there, its
// velocity and its acceleration, the sun's pull -k² P / r³ (k the Gaussian gravitational
// constant). The velocity is the chord to the geometric place a light time s later, less the
// acceleration's share of it: P(t1 + s) = P(t1) + V s + A s²/2 up to the third derivative.
// Between the later light-time moments, which lie within about 1e-10 century of t1, the
// path is then exact to about 1e-14 AU for Mercury and better for the others, the planets'
// mutual pulls and the third derivative apart.
struct LocalPath {
    LanesVector place;
    LanesVector velocity;
    LanesVector acceleration;
};

// The Sun's gravitational parameter k² in AU³ per Julian century² (Gauss: k = 0.01720209895).
constexpr double kSunGravity = 0.01720209895 * 0.01720209895 * kDaysPerCentury * kDaysPerCentury;

// One coordinate of the velocity from the chord over `span` (zero where the two moments are one).
// A named function and not a lambda, so that it is always inlined: a call returning Lanes from
// code built for another vector width would pass the result where the caller does not look.
[[gnu::always_inline]] inline Lanes ChordVelocity(const LaneMask& apart, const Lanes& span,
                                                  const Lanes& from, const Lanes& to,
                                                  const Lanes& acceleration) {
    return Select(apart, (to - from) / span - 0.5 * acceleration * span, Lanes{});
}

[[gnu::always_inline]] inline LocalPath PathThrough(const LanesVector& place,
                                                    const LanesVector& later, const Lanes& s) {
    const Lanes r = Length(place);
    const Lanes pull = -kSunGravity / (r * r * r);
    const LanesVector a = {pull * place.x, pull * place.y, pull * place.z};
    const LaneMask apart = s != 0.0;
    const Lanes span = Select(apart, s, Broadcast(1.0));
    return {place,
            {ChordVelocity(apart, span, place.x, later.x, a.x),
             ChordVelocity(apart, span, place.y, later.y, a.y),
             ChordVelocity(apart, span, place.z, later.z, a.z)},
            a};
}

[[gnu::always_inline]] inline LanesVector AlongPath(const LocalPath& path, const Lanes& dt) {
    const Lanes half = 0.5 * dt * dt;
    return {path.place.x + path.velocity.x * dt + path.acceleration.x * half,
            path.place.y + path.velocity.y * dt + path.acceleration.y * half,
            path.place.z + path.velocity.z * dt + path.acceleration.z * half};
}

// The light-time moment for a body at `distance` (AU) from the observer.
[[gnu::always_inline]] inline Lanes LightTimeMoment(const Lanes& times, const Lanes& distance) {
    return times - distance * kLightDaysPerAU / kDaysPerCentury;
}

// Apparent place of internal body k (1..10) from the centre body cb: light time (three
// iterations), the observer's aberration, nutation. The slot of the centre body itself receives
// the Sun as seen from it. The first light-time moment away from the chart time takes the
// body's theory; the later ones, within a ten-thousandth of the light time of it, take the
// body's path through it (see LocalPath), which moves the places by about 1e-12 degree. A body on
// its mean orbit takes its orbit at every moment, and leaves its rectangular place at the last one
// in its slot of `helio`, where a later body's observer finds it.
ASTRODESK_LANES_KERNEL
void PlaceBody(int k, int cb, const Lanes& times, const CoefficientTables& tables,
               const CentreVelocity& velocity, const Lanes& nutation, HelioTables& helio,
               PassPlaces& places, LastPlacing& last) {
    const LanesVector observer =
        cb == 0 ? LanesVector{} : LanesVector{helio.x[cb], helio.y[cb], helio.z[cb]};
    const LanesVector geometric = {helio.x[k], helio.y[k], helio.z[k]};
    const auto fromObserver = [&](const LanesVector& position) {
        return k == cb ? position
                       : LanesVector{position.x - observer.x, position.y - observer.y,
                                     position.z - observer.z};
    };
    LanesVector& rel = last.rel;
    rel = {geometric.x - observer.x, geometric.y - observer.y, geometric.z - observer.z};
    Lanes distance = Length(rel);
    const Lanes geometricDistance = distance;
    LanesBody& body = last.theory;
    // The centre body's own first moment is the chart time itself, so its theory also serves
    // the second.
    const int theoryIterations = k == cb ? 2 : 1;
    LocalPath path{};
    Lanes pathMoment{};
    for (int iteration = 0; iteration < kLightTimeIterations; ++iteration) {
        const Lanes moment = LightTimeMoment(times, distance);
        LanesVector position;
        if (iteration < theoryIterations || AnyLane(body.fromMeanOrbit)) {
            position = TheoryPlaceAt(k, moment, tables, helio, body);
            path = PathThrough(position, geometric, times - moment);
            pathMoment = moment;
        } else {
            position = AlongPath(path, moment - pathMoment);
        }
        rel = fromObserver(position);
        distance = Length(rel);
    }
    ApplyAberration(cb, k, distance, velocity, rel);

    Lanes lambda = EachLane(rel.y, rel.x, [](double n, double d) { return AngleOf(n, d); });
    Lanes beta = ArcTangent(rel.z / SquareRoot(rel.x * rel.x + rel.y * rel.y));
    // Longitudes stay below the full turn: a turn of exactly 2 pi is 0.
    lambda += DegToRad(nutation);
    lambda = SubtractIfAtLeast(AddIfBelow(lambda, 0.0, kTwoPi), kTwoPi, kTwoPi);
    Lanes recordedDistance = geometricDistance;
    if (k == cb) {
        lambda = SubtractIfAtLeast(lambda + kPi, kTwoPi, kTwoPi);
        beta = -beta;
        recordedDistance = helio.distance[cb];
    }
    places.longitude[k] = lambda;
    places.latitude[k] = beta;
    places.distance[k] = recordedDistance;
}

// The position tables (the rates apart), the nutation and the frame as the pass of `lane`
// leaves them.
void StoreLane(int lane, const HelioTables& helio, const MoonAndNode& moon,
               const PassPlaces& places, const LastPlacing& last, ProgramState& state) {
    PositionTables& p = state.positions;
    for (int k = 0; k <= 10; ++k) {
        p.HelioLongitude[k] = helio.longitude[k][lane];
        p.HelioLatitude[k] = helio.latitude[k][lane];
        p.HelioDistance[k] = helio.distance[k][lane];
        p.HelioX[k] = helio.x[k][lane];
        p.HelioY[k] = helio.y[k][lane];
        p.HelioZ[k] = helio.z[k][lane];
        p.BodyLongitude[k] = places.longitude[k][lane];
        p.BodyLatitude[k] = places.latitude[k][lane];
        p.BodyDistance[k] = places.distance[k][lane];
    }
    p.MoonLongitude = moon.longitude[lane];
    p.MoonLatitude = moon.latitude[lane];
    p.LunarNode = moon.node[lane];
    p.NutationLongitude = moon.nutation.longitude[lane];
    p.TheoryL = last.theory.place.L[lane];
    p.TheoryB = last.theory.place.B[lane];
    p.TheoryR = last.theory.place.R[lane];
    p.RelX = last.rel.x[lane];
    p.RelY = last.rel.y[lane];
    p.RelZ = last.rel.z[lane];
    state.frame.SunMeanAnomaly = moon.nutation.sunMeanAnomaly[lane];
    state.frame.Obliquity2000 = moon.nutation.obliquity2000[lane];
}

} // namespace

PassPlaces RunPasses(ProgramState& state, const Lanes& times, int lastLane) {
    const CoefficientTables& tables = state.coefficients;
    const int cb = state.working.ChartCentre;
    HelioTables helio;
    EvaluateBodies(times, tables, helio);
    MoonAndNode moon;
    PlaceMoonAndNode(times, tables, moon);
    // Only the centre's rates move the places; the tables keep those of every body at the
    // last lane's moment, filled at the end.
    LanesRates rates;
    FillMotionRates(times, cb, cb, rates);

    PassPlaces places;
    places.longitude[0] = DegToRad(moon.longitude);
    places.latitude[0] = DegToRad(moon.latitude);
    places.distance[0] = moon.distance * kAUPerEarthRadius;
    // The placing steps leave the centre's longitude, latitude and distance as they are, so its
    // velocity serves the whole pass.
    const CentreVelocity velocity = VelocityOfTheCentre(
        cb, {helio.longitude[cb], helio.latitude[cb], helio.distance[cb]}, rates);
    LastPlacing last;
    for (int k = 1; k <= 10; ++k)
        PlaceBody(k, cb, times, tables, velocity, moon.nutation.longitude, helio, places, last);
    StoreLane(lastLane, helio, moon, places, last, state);
    FillMotionRates(times[lastLane], state.positions);
    state.frame.JulianCenturies = times[lastLane];
    return places;
}

} // namespace astrodesk
