// The Sun (as seen from the Earth), Mercury, Venus and Mars. Radius terms in 1e-6 AU.

#include "ephemeris/periodic_terms.hpp"
#include "ephemeris/planet_theories.hpp"

namespace astrodesk {

namespace {

constexpr double kMicroAU = 1e-6;

// The Moon's pull on the Earth, in the lunar arguments D (elongation), A (the Moon's anomaly)
// and U (argument of latitude) and the Earth's own mean anomaly.
[[gnu::always_inline]] inline void AddLunarTerms(LanesSeriesState& s, const Lanes& T) {
    const LanesRotation D = SinCos(MeanAnomaly(0.8274, 1236.8531, T));
    const LanesRotation A = SinCos(MeanAnomaly(0.3749, 1325.5524, T));
    const Lanes U = MeanAnomaly(0.2591, 1342.2278, T);
    const LanesRotation own = {s.OwnCos[1], s.OwnSin[1]};
    AddCoefficients(s, D, 0.0, 6.45, 30.76, 0.0, 0.0, 0.0);
    AddCoefficients(s, AddAngles(D.RotCos, D.RotSin, A.RotCos, -A.RotSin), 0.0, -0.42, -3.06, 0.0,
                    0.0, 0.0);
    AddCoefficients(s, AddAngles(D.RotCos, D.RotSin, A.RotCos, A.RotSin), 0.0, 0.18, 0.85, 0.0, 0.0,
                    0.0);
    AddCoefficients(s, AddAngles(D.RotCos, D.RotSin, own.RotCos, -own.RotSin), 0.0, 0.17, 0.57, 0.0,
                    0.0, 0.0);
    AddCoefficients(s, AddAngles(D.RotCos, D.RotSin, own.RotCos, own.RotSin), 0.0, -0.06, -0.58,
                    0.0, 0.0, 0.0);
    s.SeriesDB += 0.576 * Sin(U);
}

} // namespace

ASTRODESK_LANES_KERNEL
void SunTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M3 = MeanAnomaly(0.9931266, 99.9973604, T);
    const LanesRotation venus = MeanAnomalyCosSin(0.1387306, 162.5485917, T);
    const LanesRotation mars = MeanAnomalyCosSin(0.054325, 53.1666028, T);
    const LanesRotation jupiter = MeanAnomalyCosSin(0.055175, 8.4293972, T);
    const LanesRotation saturn = MeanAnomalyCosSin(0.88165, 3.3938722, T);
    BuildOwnMultiples(s, M3, 7, -1);
    SumPerturbGroup(s, tables, venus, -6, 0, 22);
    // Mars: only its three largest terms; rows 26-35 hold the rest of the published group.
    SumPerturbGroup(s, tables, mars, -8, 23, 25);
    SumPerturbGroup(s, tables, jupiter, -4, 36, 47);
    SumPerturbGroup(s, tables, saturn, -2, 48, 51);
    AddLunarTerms(s, T);
    s.SeriesDL += 6.4 * SineOfTurns(0.6983 + 0.0561 * T) + 1.87 * SineOfTurns(0.5764 + 0.4174 * T) +
                  0.27 * SineOfTurns(0.4189 + 0.3306 * T) + 0.2 * SineOfTurns(0.3581 + 2.4814 * T);
    place.L = TheoryLongitude(0.7859453, M3, (6191.2 + 1.1 * T) * T, s.SeriesDL);
    place.R = 1.0001398 - 0.0000007 * T + s.SeriesDR * kMicroAU;
    place.B = s.SeriesDB / 3600.0;
}

ASTRODESK_LANES_KERNEL
void MercuryTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M1 = MeanAnomaly(0.4855407, 415.2014314, T);
    const LanesRotation venus = MeanAnomalyCosSin(0.1394222, 162.5490444, T);
    const LanesRotation earth = MeanAnomalyCosSin(0.9937861, 99.9978139, T);
    const LanesRotation jupiter = MeanAnomalyCosSin(0.0558417, 8.4298417, T);
    const LanesRotation twiceSaturn = SinCos(2.0 * MeanAnomaly(0.8823333, 3.3943333, T));
    BuildOwnMultiples(s, M1, 9, -1);
    SumPerturbGroup(s, tables, venus, -5, 52, 87);
    SumPerturbGroup(s, tables, earth, -4, 88, 94);
    SumPerturbGroup(s, tables, jupiter, -3, 95, 104);
    // Saturn: a single term in M1 - 2·M6.
    s.PertCos[-2] = twiceSaturn.RotCos;
    s.PertSin[-2] = -twiceSaturn.RotSin;
    AddTerm(s, 1, -2, 0, -0.19, 0.33, 0.0, 0.0, 0.0, 0.0);
    s.SeriesDL += 2.8 + 3.2 * T;
    place.L = TheoryLongitude(0.2151379, M1, (5601.7 + 1.1 * T) * T, s.SeriesDL);
    place.R = 0.3952829 + 0.0000016 * T + s.SeriesDR * kMicroAU;
    place.B = (-2522.15 + (-30.18 + 0.04 * T) * T + s.SeriesDB) / 3600.0;
}

ASTRODESK_LANES_KERNEL
void VenusTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M2 = MeanAnomaly(0.1400197, 162.5494552, T);
    const LanesRotation mercury = MeanAnomalyCosSin(0.4861431, 415.2018375, T);
    const LanesRotation earth = MeanAnomalyCosSin(0.9944153, 99.9982208, T);
    const LanesRotation mars = MeanAnomalyCosSin(0.0556297, 53.1674631, T);
    const LanesRotation jupiter = MeanAnomalyCosSin(0.0567028, 8.4305083, T);
    const LanesRotation saturn = MeanAnomalyCosSin(0.8830539, 3.3947206, T);
    BuildOwnMultiples(s, M2, 8, 0);
    SumPerturbGroup(s, tables, mercury, -2, 106, 109);
    SumPerturbGroup(s, tables, earth, -8, 110, 136);
    SumPerturbGroup(s, tables, mars, -3, 137, 139);
    SumPerturbGroup(s, tables, jupiter, -3, 140, 145);
    SumPerturbGroup(s, tables, saturn, -1, 146, 147);
    s.SeriesDL += 2.74 * SineOfTurns(0.0764 + 0.4174 * T) + 0.27 * SineOfTurns(0.9201 + 0.3307 * T);
    s.SeriesDL += 1.9 + 1.8 * T;
    place.L = TheoryLongitude(0.3654783, M2, (5071.2 + 1.1 * T) * T, s.SeriesDL);
    place.R = 0.7233482 - 0.0000002 * T + s.SeriesDR * kMicroAU;
    place.B = (-67.7 + (0.04 + 0.01 * T) * T + s.SeriesDB) / 3600.0;
}

ASTRODESK_LANES_KERNEL
void MarsTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place) {
    LanesSeriesState s(T);
    const Lanes M4 = MeanAnomaly(0.0538553, 53.1662736, T);
    const LanesRotation venus = MeanAnomalyCosSin(0.1382208, 162.5482542, T);
    const LanesRotation earth = MeanAnomalyCosSin(0.9926208, 99.9970236, T);
    const LanesRotation jupiter = MeanAnomalyCosSin(0.0548944, 8.4290611, T);
    const LanesRotation saturn = MeanAnomalyCosSin(0.8811167, 3.393525, T);
    BuildOwnMultiples(s, M4, 16, -2);
    SumPerturbGroup(s, tables, venus, -2, 148, 159);
    // Earth, led by the main elliptic term of Mars.
    BuildPerturberMultiples(s, earth, -9);
    AddTerm(s, 1, 0, 0, -5.32, 38481.97, -141856.04, 0.4, -6321.67, 1876.89);
    SumPerturbRows(s, tables, 161, 212);
    SumPerturbGroup(s, tables, jupiter, -5, 213, 241);
    SumPerturbGroup(s, tables, saturn, -4, 242, 253);
    s.SeriesDL += 52.49 * SineOfTurns(0.1868 + 0.0549 * T) +
                  0.61 * SineOfTurns(0.922 + 0.3307 * T) + 0.32 * SineOfTurns(0.4731 + 2.1485 * T) +
                  0.28 * SineOfTurns(0.9467 + 0.1133 * T);
    s.SeriesDL += 0.14 + 0.87 * T - 0.11 * T * T;
    place.L = TheoryLongitude(0.9334591, M4, (6615.5 + 1.1 * T) * T, s.SeriesDL);
    place.R = 1.5303352 + 0.0000131 * T + s.SeriesDR * kMicroAU;
    place.B = (596.32 + (-2.92 - 0.1 * T) * T + s.SeriesDB) / 3600.0;
}

void SunTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(SunTheory, T, tables, positions);
}
void MercuryTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(MercuryTheory, T, tables, positions);
}
void VenusTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(VenusTheory, T, tables, positions);
}
void MarsTheory(double T, const CoefficientTables& tables, PositionTables& positions) {
    AtOneMoment(MarsTheory, T, tables, positions);
}

} // namespace astrodesk
