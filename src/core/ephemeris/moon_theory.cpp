#include "ephemeris/moon_theory.hpp"

#include "ephemeris/coefficient_files.hpp"
#include "ephemeris/periodic_terms.hpp"

#include <cmath>

namespace astrodesk {

namespace {

constexpr double kArcsecondsPerRadian = 206264.8062;

// The mean arguments with their long-period corrections (radians) and the correction of the
// latitude factor.
struct MeanArguments {
    Lanes L0; // mean longitude
    Lanes l;  // the Moon's mean anomaly
    Lanes ls; // the Sun's mean anomaly l'
    Lanes F;  // argument of latitude
    Lanes D;  // mean elongation
    Lanes DGAM;
};

[[gnu::always_inline]] inline MeanArguments ComputeMeanArguments(const Lanes& T) {
    const Lanes S1 = SineOfTurns(0.19833 + 0.05611 * T);
    const Lanes S2 = SineOfTurns(0.27869 + 0.04508 * T);
    const Lanes S3 = SineOfTurns(0.16827 - 0.36903 * T);
    const Lanes S4 = SineOfTurns(0.34734 - 5.37261 * T);
    const Lanes S5 = SineOfTurns(0.10498 - 5.37899 * T);
    const Lanes S6 = SineOfTurns(0.42681 - 0.41855 * T);
    const Lanes S7 = SineOfTurns(0.14943 - 5.37511 * T);
    const Lanes DL0 = 0.84 * S1 + 0.31 * S2 + 14.27 * S3 + 7.26 * S4 + 0.28 * S5 + 0.24 * S6;
    const Lanes DL = 2.94 * S1 + 0.31 * S2 + 14.27 * S3 + 9.34 * S4 + 1.12 * S5 + 0.83 * S6;
    const Lanes DLS = -6.4 * S1 - 1.89 * S6;
    const Lanes DF =
        0.21 * S1 + 0.31 * S2 + 14.27 * S3 - 88.7 * S4 - 15.3 * S5 + 0.24 * S6 - 1.86 * S7;
    const Lanes DD = DL0 - DLS;
    const Lanes T2 = T * T;
    return {
        kTwoPi * FracPart(0.60643382 + 1336.85522467 * T - 0.00000313 * T2) +
            DL0 / kArcsecondsPerRadian,
        kTwoPi * FracPart(0.37489701 + 1325.55240982 * T + 0.00002565 * T2) +
            DL / kArcsecondsPerRadian,
        kTwoPi * FracPart(0.99312619 + 99.99735956 * T - 0.00000044 * T2) +
            DLS / kArcsecondsPerRadian,
        kTwoPi * FracPart(0.25909118 + 1342.2278298 * T - 0.00000892 * T2) +
            DF / kArcsecondsPerRadian,
        kTwoPi * FracPart(0.82736186 + 1236.85308708 * T - 0.00000397 * T2) +
            DD / kArcsecondsPerRadian,
        -0.000003332 * SineOfTurns(0.59734 - 5.37261 * T) -
            0.000000539 * SineOfTurns(0.35498 - 5.37899 * T) -
            0.000000064 * SineOfTurns(0.39943 - 5.37511 * T),
    };
}

// Scale factor of the latitude argument F.
[[gnu::always_inline]] inline Lanes LatitudeFactor(const Lanes& DGAM) {
    return 1.000002708 + 139.978 * DGAM;
}

// Multiples 1..highest of argument i scaled by factor^j, and their mirror images -1..-highest.
template <typename Factor>
[[gnu::always_inline]] inline void BuildMoonMultiples(BasicMoonSeries<Lanes>& m, int i,
                                                      const Lanes& argument, int highest,
                                                      const Factor& factor) {
    auto& cosines = m.MoonCos[i];
    auto& sines = m.MoonSin[i];
    const LanesRotation once = SinCos(argument);
    cosines[1] = factor * once.RotCos;
    sines[1] = factor * once.RotSin;
    for (int j = 2; j <= highest; ++j) {
        const LanesRotation next = AddAngles(cosines[j - 1], sines[j - 1], cosines[1], sines[1]);
        cosines[j] = next.RotCos;
        sines[j] = next.RotSin;
    }
    for (int j = 1; j <= highest; ++j) {
        cosines[-j] = cosines[j];
        sines[-j] = -sines[j];
    }
}

// Further latitude terms: coefficient (arcseconds) and the multiples of l, l', F and D.
struct LatitudeTerm {
    double cn;
    int p, q, r, s;
};

constexpr LatitudeTerm kLatitudeTerms[] = {
    {-526.069, 0, 0, 1, -2}, {-3.352, 0, 0, 1, -4},   {44.297, 1, 0, 1, -2},  {-6.0, 1, 0, 1, -4},
    {20.599, -1, 0, 1, 0},   {-30.598, -1, 0, 1, -2}, {-24.649, -2, 0, 1, 0}, {-2.0, -2, 0, 1, -2},
    {-22.571, 0, 1, 1, -2},  {10.985, 0, -1, 1, -2},
};

// Planetary perturbations in longitude: coefficient (arcseconds) times sin 2 pi (a + b·T).
struct PlanetaryTerm {
    double coefficient;
    double a;
    double b;
};

constexpr PlanetaryTerm kPlanetaryTerms[] = {
    {0.82, 0.7736, -62.5512},  {0.31, 0.0466, -125.1025}, {0.35, 0.5785, -25.1042},
    {0.66, 0.4591, 1335.8075}, {0.64, 0.313, -91.568},    {1.14, 0.148, 1331.2898},
    {0.21, 0.5918, 1056.5859}, {0.44, 0.5784, 1322.8595}, {0.24, 0.2275, -5.7374},
    {0.28, 0.2965, 2.6929},    {0.33, 0.3132, 6.3368},
};

} // namespace

ASTRODESK_LANES_KERNEL
void MoonTheory(const Lanes& T, const CoefficientTables& tables, LanesMoon& moon) {
    const MeanArguments mean = ComputeMeanArguments(T);
    BasicMoonSeries<Lanes> m;
    BuildMoonMultiples(m, 1, mean.l, 4, 1.000002208);
    BuildMoonMultiples(m, 2, mean.ls, 3, 0.997504612 - 0.002495388 * T);
    BuildMoonMultiples(m, 3, mean.F, 4, LatitudeFactor(mean.DGAM));
    BuildMoonMultiples(m, 4, mean.D, 6, 1.0);

    for (int row = 0; row <= 103; ++row) {
        const auto& [c, index] = FetchMoonRow(tables, row);
        AddSolarTerm(m, c[0], c[1], c[2], c[3], index[0], index[1], index[2], index[3]);
    }
    for (const LatitudeTerm& term : kLatitudeTerms)
        AddLatitudeTerm(m, term.cn, term.p, term.q, term.r, term.s);
    for (const PlanetaryTerm& term : kPlanetaryTerms)
        m.MoonLambda += term.coefficient * SineOfTurns(term.a + term.b * T);

    const Lanes longitude =
        360.0 * FracPart((mean.L0 + m.MoonLambda / kArcsecondsPerRadian) / kTwoPi);
    moon.longitude = Select(longitude < 0.0, longitude + 360.0, longitude);
    const Lanes S = mean.F + m.MoonDS / kArcsecondsPerRadian;
    moon.latitude = (LatitudeFactor(mean.DGAM) * (18519.7 + m.MoonGamma) * Sin(S) -
                     6.24 * Sin(Lanes(3.0 * S)) + m.MoonN) /
                    3600.0;
    moon.distance = kArcsecondsPerRadian / (m.MoonSinPi * 0.999953253);
}

void MoonTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    LanesMoon moon;
    MoonTheory(Broadcast(T), tables, moon);
    positions.MoonLongitude = moon.longitude[0];
    positions.MoonLatitude = moon.latitude[0];
    positions.TheoryR = moon.distance[0];
}

} // namespace astrodesk
