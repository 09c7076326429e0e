// Jupiter, Saturn, Uranus, Neptune and Pluto. Radius terms in 1e-5 AU.

#include "ephemeris/periodic_terms.hpp"
#include "ephemeris/planet_theories.hpp"

namespace astrodesk {

namespace {

constexpr double kTenMicroAU = 1e-5;

// The Pluto series is referred to the ecliptic and equinox of 1950.0; this carries TheoryL and
// TheoryB (degrees) to the ecliptic and equinox of date by the precession angles of the
// 1950 frame (radians, t in centuries from 1950.0).
[[gnu::always_inline]] inline void PlutoToDate(const Lanes& T, LanesPlace& place) {
    constexpr double kDegreesPerRadian = 57.2957795;
    const Lanes t = T + 0.5;
    const Lanes lambda = place.L / kDegreesPerRadian;
    const Lanes beta = place.B / kDegreesPerRadian;
    const Lanes eta = 0.000228 * t;                   // angle between the two ecliptics
    const double node = 3.044;                        // longitude of the axis of that rotation
    const Lanes p = (0.0243764 + 0.00000539 * t) * t; // general precession in longitude
    const LanesRotation etaTrig = SinCos(eta), betaTrig = SinCos(beta),
                        fromNode = SinCos(Lanes(node - lambda));
    const Lanes A =
        etaTrig.RotCos * betaTrig.RotCos * fromNode.RotSin - etaTrig.RotSin * betaTrig.RotSin;
    const Lanes B = betaTrig.RotCos * fromNode.RotCos;
    const Lanes C =
        etaTrig.RotCos * betaTrig.RotSin + etaTrig.RotSin * betaTrig.RotCos * fromNode.RotSin;
    place.B = kDegreesPerRadian * ArcTangent(C / SquareRoot((1.0 + C) * (1.0 - C)));
    // atan(A/B) is the direction up to a half turn; B <= 0 takes the other half.
    const Lanes turns = (p + node - ArcTangent(A / B)) / kTwoPi;
    place.L = 360.0 * FracPart(Select(B > 0.0, turns, turns + 0.5));
}

} // namespace

ASTRODESK_LANES_KERNEL
void JupiterTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M5 = MeanAnomaly(0.0565314, 8.4302963, T);
    const Lanes M6 = MeanAnomaly(0.8829867, 3.3947688, T);
    const Lanes M7 = MeanAnomaly(0.3969537, 1.1902586, T);
    const LanesRotation saturn = SinCos(M6), uranus = SinCos(M7);
    // Joint Jupiter-Saturn-Uranus terms in 2·M5 - 6·M6 + 3·M7 and that plus M5.
    LanesRotation joint = SinCos(2.0 * M5 - 6.0 * M6 + 3.0 * M7);
    BuildOwnMultiples(s, M5, 5, -1);
    SumPerturbGroup(s, tables, saturn, -10, 254, 301);
    SumPerturbGroup(s, tables, uranus, -2, 302, 303);
    AddCoefficients(s, joint, -0.8, 8.5, -0.1, 0.0, 0.0, 0.0);
    joint = RotateByOwn(s, joint);
    AddCoefficients(s, joint, 0.4, 0.5, -0.7, 0.5, -0.1, 0.0);
    place.L = TheoryLongitude(0.038891, M5, (5025.2 + 0.8 * T) * T, s.SeriesDL);
    place.R = 5.208873 + 0.000041 * T + s.SeriesDR * kTenMicroAU;
    place.B = (227.3 - 0.3 * T + s.SeriesDB) / 3600.0;
}

ASTRODESK_LANES_KERNEL
void SaturnTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M5 = MeanAnomaly(0.0565314, 8.4302963, T);
    const Lanes M6 = MeanAnomaly(0.8829867, 3.3947688, T);
    const Lanes M7 = MeanAnomaly(0.3969537, 1.1902586, T);
    const LanesRotation jupiter = SinCos(M5), uranus = SinCos(M7);
    const LanesRotation neptune = MeanAnomalyCosSin(0.7208473, 0.6068623, T);
    // Joint Jupiter-Saturn-Uranus terms in -2·M5 + 5·M6 - 3·M7, that plus M6 and plus 2·M6.
    LanesRotation joint = SinCos(-2.0 * M5 + 5.0 * M6 - 3.0 * M7);
    BuildOwnMultiples(s, M6, 11, 0);
    BuildPerturberConjugateMultiples(s, jupiter, 1, -6);
    SumPerturbRows(s, tables, 304, 357);
    SumPerturbGroup(s, tables, uranus, -5, 358, 371);
    BuildPerturberMultiples(s, neptune, -2);
    AddTerm(s, 1, -1, 0, -1.3, -1.2, 2.3, -2.5, 0.0, 0.0);
    AddTerm(s, 1, -2, 0, 1.0, -0.1, 0.1, 1.4, 0.0, 0.0);
    AddTerm(s, 2, -2, 0, 1.1, -0.1, 0.2, 3.3, 0.0, 0.0);
    AddCoefficients(s, joint, -0.8, -0.1, -0.2, 1.8, 0.3, 0.5);
    joint = RotateByOwn(s, joint);
    AddCoefficients(s, joint, 2.4 - 0.7 * T, 27.8 - 0.4 * T, 2.1, -0.2, 0.0, 0.0);
    joint = RotateByOwn(s, joint);
    AddCoefficients(s, joint, 0.1, 1.6, -3.6, 0.3, -0.2, 0.6);
    place.L = TheoryLongitude(0.2561136, M6, (5018.6 + 1.9 * T) * T, s.SeriesDL);
    place.R = 9.557584 - 0.000186 * T + s.SeriesDR * kTenMicroAU;
    place.B = (175.1 - 10.2 * T + s.SeriesDB) / 3600.0;
}

ASTRODESK_LANES_KERNEL
void UranusTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M5 = MeanAnomaly(0.0564472, 8.4302889, T);
    const Lanes M6 = MeanAnomaly(0.8829611, 3.3947583, T);
    const Lanes M7 = MeanAnomaly(0.3967117, 1.1902849, T);
    const LanesRotation jupiter = SinCos(M5), saturn = SinCos(M6);
    const LanesRotation neptune = MeanAnomalyCosSin(0.7216833, 0.6068528, T);
    const LanesRotation joint = SinCos(2.0 * M5 - 4.0 * M6);
    BuildOwnMultiples(s, M7, 7, -2);
    SumPerturbGroup(s, tables, jupiter, -2, 372, 378);
    SumPerturbGroup(s, tables, saturn, -4, 379, 397);
    SumPerturbGroup(s, tables, neptune, -8, 398, 432);
    // Joint Jupiter-Saturn terms: j counts multiples of M6 on top of 2·M5 (j = -4, -5, -6).
    BuildPerturberMultiples(s, saturn, -1);
    s.PertCos[-4] = joint.RotCos;
    s.PertSin[-4] = joint.RotSin;
    StepPerturberDown(s, -4, -6, {s.PertCos[-1], s.PertSin[-1]});
    SumPerturbRows(s, tables, 433, 441);
    place.L = TheoryLongitude(0.4734843, M7, (5082.3 + 34.2 * T) * T, s.SeriesDL);
    place.R = 19.211991 + (-0.000333 - 0.000005 * T) * T + s.SeriesDR * kTenMicroAU;
    place.B = (-130.61 + (-0.54 + 0.04 * T) * T + s.SeriesDB) / 3600.0;
}

ASTRODESK_LANES_KERNEL
void NeptuneTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M8 = MeanAnomaly(0.7214906, 0.6068526, T);
    const LanesRotation jupiter = MeanAnomalyCosSin(0.0563867, 8.4298907, T);
    const LanesRotation saturn = MeanAnomalyCosSin(0.8825086, 3.3957748, T);
    const LanesRotation uranus = MeanAnomalyCosSin(0.3965358, 1.1902851, T);
    BuildOwnMultiples(s, M8, 6, 0);
    SumPerturbGroup(s, tables, jupiter, -2, 442, 446);
    SumPerturbGroup(s, tables, saturn, -2, 447, 452);
    SumPerturbGroup(s, tables, uranus, -6, 453, 476);
    place.L = TheoryLongitude(0.1254046, M8, (4982.8 - 21.3 * T) * T, s.SeriesDL);
    place.R = 30.072984 + (0.001234 + 0.000003 * T) * T + s.SeriesDR * kTenMicroAU;
    place.B = (54.77 + (0.26 + 0.06 * T) * T + s.SeriesDB) / 3600.0;
}

ASTRODESK_LANES_KERNEL
void PlutoTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M5 = MeanAnomaly(0.0565314, 8.4302963, T);
    const Lanes M6 = MeanAnomaly(0.8829867, 3.3947688, T);
    const Lanes M9 = MeanAnomaly(0.0385795, 0.4026667, T);
    const LanesRotation jupiter = SinCos(M5), saturn = SinCos(M6);
    // Joint Jupiter-Saturn terms in M5 - M6 and that plus M9.
    LanesRotation joint = SinCos(M5 - M6);
    BuildOwnMultiples(s, M9, 6, 0);
    // Jupiter, led by the main elliptic term of Pluto.
    BuildPerturberConjugateMultiples(s, jupiter, 2, -2);
    AddTerm(s, 1, 0, 0, 0.06, 100924.08, -960396.0, 15965.1, 51987.68, -24288.76);
    SumPerturbRows(s, tables, 478, 494);
    BuildPerturberConjugateMultiples(s, saturn, 1, -2);
    SumPerturbRows(s, tables, 495, 502);
    AddCoefficients(s, joint, -9.11, 0.12, -3.4, -3.3, 0.81, 0.78);
    joint = RotateByOwn(s, joint);
    AddCoefficients(s, joint, 5.92, 0.25, 2.3, -3.8, -0.67, -0.51);
    place.L = TheoryLongitude(0.6232469, M9, Lanes{}, s.SeriesDL);
    place.R = 40.7247248 + s.SeriesDR * kTenMicroAU;
    place.B = s.SeriesDB / 3600.0 - 3.909434;
    PlutoToDate(T, place);
}

void JupiterTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(JupiterTheory, T, tables, positions);
}
void SaturnTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(SaturnTheory, T, tables, positions);
}
void UranusTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(UranusTheory, T, tables, positions);
}
void NeptuneTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(NeptuneTheory, T, tables, positions);
}
void PlutoTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(PlutoTheory, T, tables, positions);
}

} // namespace astrodesk
