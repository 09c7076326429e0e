#include "ephemeris/mean_orbits.hpp"

#include "astro/angles.hpp"
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
double EccentricAnomaly(double M, double e) {
    double E = M;
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

void EvaluateMeanOrbit(const MeanElements& orbit, double T, int slot, PositionTables& positions) {
    const double t = T + 1.0;
    const double M = Reduce2Pi(DegToRad(orbit.anomalyAtEpoch + orbit.anomalyRate * t));
    const double E = EccentricAnomaly(M, orbit.eccentricity);
    const double nu = TrueAnomaly(E, orbit.eccentricityRatio);
    const double r = orbit.semiMajorAxis * (1.0 - orbit.eccentricity * Cos(E));

    const double u = nu + DegToRad(orbit.perihelion); // argument of latitude
    const double node = DegToRad(orbit.nodeAtEpoch + (orbit.nodeRate + orbit.nodeRate2 * t) * t);
    const double i = DegToRad(orbit.inclination);
    const Rotation nodeTrig = SinCos(node), uTrig = SinCos(u), iTrig = SinCos(i);
    const double x =
        r * (nodeTrig.RotCos * uTrig.RotCos - nodeTrig.RotSin * uTrig.RotSin * iTrig.RotCos);
    const double y =
        r * (nodeTrig.RotSin * uTrig.RotCos + nodeTrig.RotCos * uTrig.RotSin * iTrig.RotCos);
    const double z = r * uTrig.RotSin * iTrig.RotSin;
    positions.HelioX[slot] = x;
    positions.HelioY[slot] = y;
    positions.HelioZ[slot] = z;

    const double inPlane = std::sqrt(x * x + y * y);
    positions.TheoryR = std::sqrt(x * x + y * y + z * z);
    positions.TheoryL = RadToDeg(AngleOf(y, x));
    positions.TheoryB = RadToDeg(std::atan(z / inPlane));
}

} // namespace

void PlutoMeanOrbit(double T, PositionTables& positions) {
    EvaluateMeanOrbit(kPlutoElements, T, 9, positions);
}

void ZedOrbit(double T, PositionTables& positions) {
    EvaluateMeanOrbit(kZedElements, T, 10, positions);
}

} // namespace astrodesk
