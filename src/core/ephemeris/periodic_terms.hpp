#pragma once

// The machinery shared by the planetary theories. Each position is a mean motion plus sums of
// periodic terms in k·M + j·M', M the mean anomaly of the planet computed and M' that of one
// perturbing planet at a time. The cosines and sines of the multiples come from tables built by
// repeated angle addition, so a term costs one rotation and six multiplications and no
// trigonometric call.

#include "astro/angles.hpp"
#include "astro/fast_trig.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// The running sums of one theory evaluation.
struct SeriesSums {
    double SeriesDL = 0.0; // longitude, arcseconds
    double SeriesDR = 0.0; // radius, 1e-6 AU (Sun to Mars) or 1e-5 AU (Jupiter to Pluto)
    double SeriesDB = 0.0; // latitude, arcseconds
    double TermCos = 0.0;  // argument of the last term, kept for a following times-T term
    double TermSin = 0.0;
};

// Working values of one theory evaluation; every theory starts from a fresh one.
struct SeriesState : SeriesSums {
    explicit SeriesState(double julianCenturies) : T(julianCenturies) {}

    double T; // Julian centuries from J2000, the factor of the times-T terms
    IndexedArray<double, -10, 16> OwnCos{}; // cos(k·M) of the planet computed
    IndexedArray<double, -10, 16> OwnSin{};
    IndexedArray<double, -10, 10> PertCos{}; // cos(j·M') of the current perturbing planet
    IndexedArray<double, -10, 10> PertSin{};
};

// 2 pi × FracPart(a + b·T): a mean anomaly or argument in radians from its value at J2000 (a,
// revolutions) and its rate (b, revolutions per Julian century).
inline double MeanAnomaly(double a, double b, double T) {
    return kTwoPi * FracPart(a + b * T);
}

// Cosine and sine of a mean anomaly (see MeanAnomaly).
inline Rotation MeanAnomalyCosSin(double a, double b, double T) {
    return SinCos(MeanAnomaly(a, b, T));
}

// sin(2 pi × FracPart(turns)).
inline double SineOfTurns(double turns) {
    return Sin(kTwoPi * FracPart(turns));
}

// Adds a term whose argument has the cosine and sine `argument`: each accumulator gets its
// cosine coefficient times the cosine plus its sine coefficient times the sine.
inline void AddCoefficients(SeriesSums& sums, Rotation argument, double dlc, double dls, double drc,
                            double drs, double dbc, double dbs) {
    sums.SeriesDL = sums.SeriesDL + dlc * argument.RotCos + dls * argument.RotSin;
    sums.SeriesDR = sums.SeriesDR + drc * argument.RotCos + drs * argument.RotSin;
    sums.SeriesDB = sums.SeriesDB + dbc * argument.RotCos + dbs * argument.RotSin;
}

// One term in k·M + j·M' from the multiple tables of `s`, added to `sums`. A times-T term
// (timesT non-zero) reuses the argument of the term before it multiplied by T, so consecutive
// times-T terms give T², T³ terms.
inline void AddTerm(const SeriesState& s, SeriesSums& sums, int k, int j, int timesT, double dlc,
                    double dls, double drc, double drs, double dbc, double dbs) {
    if (timesT == 0) {
        const Rotation argument = AddAngles(s.OwnCos[k], s.OwnSin[k], s.PertCos[j], s.PertSin[j]);
        sums.TermCos = argument.RotCos;
        sums.TermSin = argument.RotSin;
    } else {
        sums.TermCos = s.T * sums.TermCos;
        sums.TermSin = s.T * sums.TermSin;
    }
    AddCoefficients(sums, {sums.TermCos, sums.TermSin}, dlc, dls, drc, drs, dbc, dbs);
}

// The same term added to the sums of `s` itself.
inline void AddTerm(SeriesState& s, int k, int j, int timesT, double dlc, double dls, double drc,
                    double drs, double dbc, double dbs) {
    AddTerm(s, s, k, j, timesT, dlc, dls, drc, drs, dbc, dbs);
}

// The argument turned on by the planet's own mean anomaly (its cosine and sine plus M).
inline Rotation RotateByOwn(const SeriesState& s, Rotation argument) {
    return AddAngles(argument.RotCos, argument.RotSin, s.OwnCos[1], s.OwnSin[1]);
}

// OwnCos/OwnSin for k = 0..highest from the mean anomaly M, and k = -1..lowest mirrored.
void BuildOwnMultiples(SeriesState& s, double M, int highest, int lowest);

// PertCos/PertSin for j - 1 down to `lowest`, each entry the one above it turned by `step`.
void StepPerturberDown(SeriesState& s, int j, int lowest, Rotation step);

// PertCos/PertSin for j = 0, -1 and on down to `lowest` from the cosine and sine of the
// perturber's mean anomaly. The theories take these for all their perturbers before the first
// sum: independent of each other, they are then worked out side by side instead of each one
// holding up its group.
void BuildPerturberMultiples(SeriesState& s, Rotation perturber, int lowest);

// PertCos/PertSin for j = +1 (and +2 when highest is 2) from the cosine and sine of the
// perturber's mean anomaly, then j = 0 down to `lowest` by turning back with the conjugate of +1.
void BuildPerturberConjugateMultiples(SeriesState& s, Rotation perturber, int highest, int lowest);

// Adds the terms of PerturbTable rows first..last in ascending order (none if first > last).
void SumPerturbRows(SeriesState& s, const CoefficientTables& tables, int first, int last);

// One perturbation group: multiples of the perturber's mean anomaly down to `lowest`, then rows
// first..last.
void SumPerturbGroup(SeriesState& s, const CoefficientTables& tables, Rotation perturber,
                     int lowest, int first, int last);

// 360 × FracPart(L0 + M/(2 pi) + (secular + DL)/1296000): the theory's longitude in degrees
// (between -360 and 360) from the mean longitude at J2000 L0 (revolutions), the own mean anomaly
// M, the secular motion since J2000 and the perturbations (both arcseconds).
inline double TheoryLongitude(double L0, double M, double secular, double DL) {
    return 360.0 * FracPart(L0 + M / kTwoPi + (secular + DL) / 1296000.0);
}

} // namespace astrodesk
