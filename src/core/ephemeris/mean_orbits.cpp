#include "ephemeris/mean_orbits.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/fast_trig.hpp"

#include <cmath>

namespace astrodesk {

namespace {

// Orbital elements with t in Julian centuries from JD 2415020.0; angles in degrees.
struct MeanElements {
    double anomalyAtEpoch; // mean anomaly M = anomalyAtEpoch + anomalyRate·t
    double anomalyRate;
    double eccentricity;
    double semiMajorAxis; // AU
    double perihelion;    // argument of perihelion
    double nodeAtEpoch; // longitude of the ascending node = nodeAtEpoch + nodeRate·t + nodeRate2·t²
    double nodeRate;
    double nodeRate2;
    double inclination;
    double eccentricityRatio; // (1 + e)/(1 - e), as published
};

constexpr MeanElements kPlutoElements = {229.94722,          144.91306,        0.24864, 39.51744,
                                         113.52139,          108.95444,        1.39601, 0.00031,
                                         17.146778128198427, 1.24864 / 0.75136};

constexpr MeanElements kZedElements = {
    260.75, 96.89531, 0.0542, 51.72, 296.2, 106.37, 1.39, 0.0, 1.58000016379101, 1.0542 / 0.9458};

// Eccentric anomaly by ten fixed-point steps of Kepler's equation E = M + e sin E (radians);
// both eccentricities converge well within them.
[[gnu::always_inline]] inline Lanes EccentricAnomaly(const Lanes& M, double e) {
    Lanes E = M;
    for (int step = 0; step < 10; ++step)
        E = M + e * Sin(E);
    return E;
}

// True anomaly from the eccentric anomaly, 0..2 pi. Within 0.0001 degree of aphelion the two
// coincide, and the tangent of the half angle is not taken there.
double TrueAnomaly(double E, double eccentricityRatio) {
    const double degrees = RadToDeg(E);
    if (degrees > 179.9999 && degrees < 180.0001) return E;
    const double nu = 2.0 * std::atan(std::sqrt(eccentricityRatio) * std::tan(E / 2.0));
    return nu < 0.0 ? nu + kTwoPi : nu;
}

ASTRODESK_LANES_KERNEL
void EvaluateMeanOrbit(const MeanElements& orbit, const Lanes& T, LanesPlace& place,
                       LanesVector& rectangular) {
    const Lanes t = T + kCenturyBetweenEpochs;
    const Lanes M = EachLane(DegToRad(orbit.anomalyAtEpoch + orbit.anomalyRate * t),
                             [](double radians) { return Reduce2Pi(radians); });
    const Lanes E = EccentricAnomaly(M, orbit.eccentricity);
    const Lanes nu = EachLane(E, [&](double e) { return TrueAnomaly(e, orbit.eccentricityRatio); });
    const Lanes r = orbit.semiMajorAxis * (1.0 - orbit.eccentricity * Cos(E));

    const Lanes u = nu + DegToRad(orbit.perihelion); // argument of latitude
    const Lanes node = DegToRad(orbit.nodeAtEpoch + (orbit.nodeRate + orbit.nodeRate2 * t) * t);
    const Rotation iTrig = SinCos(DegToRad(orbit.inclination));
    const LanesRotation nodeTrig = SinCos(node), uTrig = SinCos(u);
    const Lanes x =
        r * (nodeTrig.RotCos * uTrig.RotCos - nodeTrig.RotSin * uTrig.RotSin * iTrig.RotCos);
    const Lanes y =
        r * (nodeTrig.RotSin * uTrig.RotCos + nodeTrig.RotCos * uTrig.RotSin * iTrig.RotCos);
    const Lanes z = r * uTrig.RotSin * iTrig.RotSin;
    rectangular = {x, y, z};

    const Lanes inPlane = SquareRoot(x * x + y * y);
    place.R = SquareRoot(x * x + y * y + z * z);
    place.L = RadToDeg(EachLane(y, x, [](double n, double d) { return AngleOf(n, d); }));
    place.B = RadToDeg(ArcTangent(z / inPlane));
}

// The orbit at one moment, into TheoryL/B/R and the body's rectangular slot.
void MeanOrbitAtOneMoment(const MeanElements& orbit, double T, int slot,
                          PositionTables& positions) {
    LanesPlace place;
    LanesVector rectangular;
    EvaluateMeanOrbit(orbit, Broadcast(T), place, rectangular);
    positions.HelioX[slot] = rectangular.x[0];
    positions.HelioY[slot] = rectangular.y[0];
    positions.HelioZ[slot] = rectangular.z[0];
    positions.TheoryL = place.L[0];
    positions.TheoryB = place.B[0];
    positions.TheoryR = place.R[0];
}

} // namespace

void PlutoMeanOrbit(const Lanes& T, LanesPlace& place, LanesVector& rectangular) {
    EvaluateMeanOrbit(kPlutoElements, T, place, rectangular);
}

void ZedOrbit(const Lanes& T, LanesPlace& place, LanesVector& rectangular) {
    EvaluateMeanOrbit(kZedElements, T, place, rectangular);
}

void PlutoMeanOrbit(double T, PositionTables& positions) {
    MeanOrbitAtOneMoment(kPlutoElements, T, 9, positions);
}

void ZedOrbit(double T, PositionTables& positions) {
    MeanOrbitAtOneMoment(kZedElements, T, 10, positions);
}

} // namespace astrodesk
