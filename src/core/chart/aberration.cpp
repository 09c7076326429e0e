#include "chart/aberration.hpp"

#include "astro/angles.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace astrodesk {

namespace {

// A constant plus cosine and sine terms in the multiples 1..4 of a mean anomaly m, in units of
// 0.0001 radian or AU per day.
struct RateSeries {
    double constant = 0.0;
    std::array<double, 4> cosine{}; // coefficients of cos m, cos 2m, cos 3m, cos 4m
    std::array<double, 4> sine{};
};

struct BodyRates {
    double a; // mean anomaly m = 2 pi × FracPart(a + b·T)
    double b;
    RateSeries longitude;
    RateSeries radius;
    RateSeries latitude;
};

// Mercury, Venus, the Earth, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto.
constexpr BodyRates kBodyRates[] = {
    {0.4855407,
     415.2014314,
     {714.0, {292.66, 71.96, 18.16, 4.61}, {0.0, 3.81, 2.43, 1.08}},
     {0.0, {}, {55.94, 11.36, 2.6}},
     {0.0, {73.4, 29.82, 10.22, 3.28}, {-40.44, -16.55, -5.56, -1.72}}},
    {0.1400197, 162.5494552, {280.0, {3.79}}, {0.0, {}, {1.37}}, {0.0, {9.54}, {-13.57}}},
    {0.9931266, 99.9973604, {172.0, {5.75}}, {0.0, {}, {2.87}}, {}},
    {0.0538553,
     53.1662736,
     {91.5, {17.07, 2.03}},
     {0.0, {0.0, 1.21}, {12.98}},
     {0.0, {0.83}, {2.8}}},
    {0.0565314, 8.4302963, {14.5, {1.41}}, {0.0, {}, {3.66}}, {0.0, {}, {0.33}}},
    {0.8829867, 3.3947688, {5.84, {0.65}}, {0.0, {}, {3.09}}, {0.0, {0.24}}},
    {0.3967117, 1.1902849, {2.05, {0.19}}, {0.0, {}, {1.86}}, {0.0, {}, {-0.03}}},
    {0.7214906, 0.6068526, {1.04, {0.02}}, {0.0, {}, {0.27}}, {0.0, {}, {0.03}}},
    {0.0385795,
     0.4026667,
     {0.69, {0.34, 0.12, 0.05}},
     {0.0, {}, {6.66, 1.64}},
     {0.0, {-0.08}, {-0.17, -0.09}}},
};

// 0.0001 per day to per Julian century.
constexpr double kPerCentury = 3.6525;

// The light time of one AU in Julian centuries, as the correction uses it.
constexpr double kLightCenturiesPerAU = 1.581250735e-7;

[[gnu::always_inline]] inline Lanes Evaluate(const RateSeries& series,
                                             const std::array<LanesRotation, 4>& multiples) {
    Lanes sum = Broadcast(series.constant);
    for (std::size_t n = 0; n < multiples.size(); ++n)
        sum += series.cosine[n] * multiples[n].RotCos + series.sine[n] * multiples[n].RotSin;
    return sum;
}

// Cosines and sines of a direction at longitude L and latitude B (degrees).
struct DirectionTrig {
    Lanes cosL, sinL, cosB, sinB;
};

[[gnu::always_inline]] inline DirectionTrig TrigOf(const Lanes& L, const Lanes& B) {
    return {LibraryCosine(DegToRad(L)), LibrarySine(DegToRad(L)), LibraryCosine(DegToRad(B)),
            LibrarySine(DegToRad(B))};
}

// The velocity of a point in the direction `trig` at radius R whose coordinates change at dL,
// dB (radians per unit time) and dR (radius per unit time).
[[gnu::always_inline]] inline LanesVector VelocityFromTrig(const DirectionTrig& trig,
                                                           const Lanes& R, const Lanes& dL,
                                                           const Lanes& dB, const Lanes& dR) {
    const auto& [cosL, sinL, cosB, sinB] = trig;
    return {cosL * cosB * dR - R * dL * sinL * cosB - R * dB * cosL * sinB,
            R * dL * cosL * cosB + sinL * cosB * dR - R * dB * sinL * sinB,
            R * dB * cosB + sinB * dR};
}

} // namespace

ASTRODESK_LANES_KERNEL
void FillMotionRates(const Lanes& T, int first, int last, LanesRates& rates) {
    for (int i = std::max(first, 1); i <= std::min(last, 9); ++i) {
        const BodyRates& body = kBodyRates[i - 1];
        const Lanes m = kTwoPi * FracPart(body.a + body.b * T);
        std::array<LanesRotation, 4> multiples{}; // cos and sin of m, 2m, 3m, 4m
        multiples[0] = {LibraryCosine(m), LibrarySine(m)};
        for (std::size_t n = 1; n < multiples.size(); ++n)
            multiples[n] = AddAngles(multiples[n - 1].RotCos, multiples[n - 1].RotSin,
                                     multiples[0].RotCos, multiples[0].RotSin);
        rates.longitude[i] = Evaluate(body.longitude, multiples) * kPerCentury;
        rates.radius[i] = Evaluate(body.radius, multiples) * kPerCentury;
        rates.latitude[i] = Evaluate(body.latitude, multiples) * kPerCentury;
    }
}

void FillMotionRates(double T, PositionTables& positions) {
    LanesRates rates;
    FillMotionRates(Broadcast(T), 1, 9, rates);
    for (int i = 1; i <= 9; ++i) {
        positions.RateLongitude[i] = rates.longitude[i][0];
        positions.RateRadius[i] = rates.radius[i][0];
        positions.RateLatitude[i] = rates.latitude[i][0];
    }
}

ASTRODESK_LANES_KERNEL
CentreVelocity VelocityOfTheCentre(int cb, const HelioLanes& centre, const LanesRates& rates) {
    // The Sun as seen from the centre body, and the rates of that direction.
    Lanes L = centre.longitude + 180.0;
    L = Select(L > 360.0, L - 360.0, L);
    const Lanes B = -centre.latitude;
    const DirectionTrig trig = TrigOf(L, B);
    const Lanes zero{};
    return {VelocityFromTrig(trig, centre.distance, rates.longitude[cb], -rates.latitude[cb],
                             rates.radius[cb]),
            VelocityFromTrig(trig, centre.distance, zero, zero, zero)};
}

ASTRODESK_LANES_KERNEL
void ApplyAberration(int cb, int k, const Lanes& lightDistance, const CentreVelocity& centre,
                     LanesVector& rel) {
    const LanesVector& v = k != cb ? centre.moving : centre.still;
    const Lanes shift = kLightCenturiesPerAU * lightDistance;
    rel.x -= shift * v.x;
    rel.y -= shift * v.y;
    rel.z -= shift * v.z;
}

void ApplyAberration(int cb, int k, double lightDistance, PositionTables& positions) {
    LanesRates rates;
    rates.longitude[cb] = Broadcast(positions.RateLongitude[cb]);
    rates.latitude[cb] = Broadcast(positions.RateLatitude[cb]);
    rates.radius[cb] = Broadcast(positions.RateRadius[cb]);
    const HelioLanes centre = {Broadcast(positions.HelioLongitude[cb]),
                               Broadcast(positions.HelioLatitude[cb]),
                               Broadcast(positions.HelioDistance[cb])};
    LanesVector rel = {Broadcast(positions.RelX), Broadcast(positions.RelY),
                       Broadcast(positions.RelZ)};
    ApplyAberration(cb, k, Broadcast(lightDistance), VelocityOfTheCentre(cb, centre, rates), rel);
    positions.RelX = rel.x[0];
    positions.RelY = rel.y[0];
    positions.RelZ = rel.z[0];
}

Velocity VelocityFromRates(double L, double B, double R, double dL, double dB, double dR) {
    const LanesVector v = VelocityFromTrig(TrigOf(Broadcast(L), Broadcast(B)), Broadcast(R),
                                           Broadcast(dL), Broadcast(dB), Broadcast(dR));
    return {v.x[0], v.y[0], v.z[0]};
}

} // namespace astrodesk
