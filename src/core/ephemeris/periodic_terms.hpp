#pragma once

// The machinery shared by the planetary theories. Each position is a mean motion plus sums of
// periodic terms in k·M + j·M', M the mean anomaly of the planet computed and M' that of one
// perturbing planet at a time, both in radians at T Julian centuries from J2000. A term adds
// dlc·cos + dls·sin of its argument to the longitude (arcseconds), drc·cos + drs·sin to the radius
// and dbc·cos + dbs·sin to the latitude (arcseconds); a times-T term multiplies the argument's
// cosine and sine of the term before it by T once more.
//
// Method, as O. Montenbruck and T. Pfleger evaluate their series (Astronomy on the Personal
// Computer, 3rd ed., Springer 1998): the cosines and sines of the multiples k·M and j·M' come
// from tables built by repeated angle addition, cos(a + b) = cos a cos b - sin a sin b and
// sin(a + b) = sin a cos b + cos a sin b, so a term costs one rotation and six multiplications
// and no trigonometric call.
//
// Everything here is written once for a Number that is either a double (one moment) or Lanes
// (the chart's pass times side by side, astro/lanes.hpp); the coefficients are doubles either
// way.

#include "astro/angles.hpp"
#include "astro/fast_trig.hpp"
#include "astro/lanes.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

#include <type_traits>

// Lanes never cross a call (see astro/lanes.hpp): GCC's note on their calling convention does
// not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace astrodesk {

// The cosine and sine pair of a Number.
template <typename Number>
using RotationOf = std::conditional_t<std::is_same_v<Number, Lanes>, LanesRotation, Rotation>;

// The running sums of one theory evaluation.
template <typename Number> struct BasicSeriesSums {
    Number SeriesDL{}; // longitude, arcseconds
    Number SeriesDR{}; // radius, 1e-6 AU (Sun to Mars) or 1e-5 AU (Jupiter to Pluto)
    Number SeriesDB{}; // latitude, arcseconds
    Number TermCos{};  // argument of the last term, kept for a following times-T term
    Number TermSin{};
};

// Working values of one theory evaluation; every theory starts from a fresh one.
template <typename Number> struct BasicSeriesState : BasicSeriesSums<Number> {
    explicit BasicSeriesState(const Number& julianCenturies) : T(julianCenturies) {}

    Number T; // Julian centuries from J2000, the factor of the times-T terms
    // Each table entry is built before a term reads it.
    IndexedArray<Number, -10, 16> OwnCos{LeaveUnset{}}; // cos(k·M) of the planet computed
    IndexedArray<Number, -10, 16> OwnSin{LeaveUnset{}};
    IndexedArray<Number, -10, 10> PertCos{LeaveUnset{}}; // cos(j·M') of the current perturber
    IndexedArray<Number, -10, 10> PertSin{LeaveUnset{}};
};

using SeriesSums = BasicSeriesSums<double>;
using SeriesState = BasicSeriesState<double>;
using LanesSeriesState = BasicSeriesState<Lanes>;

// 2 pi × FracPart(a + b·T): a mean anomaly or argument in radians from its value at J2000 (a,
// revolutions) and its rate (b, revolutions per Julian century).
template <typename Number>
[[gnu::always_inline]] inline Number MeanAnomaly(double a, double b, const Number& T) {
    return kTwoPi * FracPart(a + b * T);
}

// Cosine and sine of a mean anomaly (see MeanAnomaly).
template <typename Number>
[[gnu::always_inline]] inline RotationOf<Number> MeanAnomalyCosSin(double a, double b,
                                                                   const Number& T) {
    return SinCos(MeanAnomaly(a, b, T));
}

// sin(2 pi × FracPart(turns)).
template <typename Number> [[gnu::always_inline]] inline Number SineOfTurns(const Number& turns) {
    return Sin(Number(kTwoPi * FracPart(turns)));
}

// Adds a term whose argument has the cosine and sine `argument`: each accumulator gets its
// cosine coefficient times the cosine plus its sine coefficient times the sine.
template <typename Number, typename Coefficient>
[[gnu::always_inline]] inline void AddCoefficients(BasicSeriesSums<Number>& sums,
                                                   const RotationOf<Number>& argument,
                                                   const Coefficient& dlc, const Coefficient& dls,
                                                   double drc, double drs, double dbc, double dbs) {
    sums.SeriesDL = sums.SeriesDL + dlc * argument.RotCos + dls * argument.RotSin;
    sums.SeriesDR = sums.SeriesDR + drc * argument.RotCos + drs * argument.RotSin;
    sums.SeriesDB = sums.SeriesDB + dbc * argument.RotCos + dbs * argument.RotSin;
}

// One term in k·M + j·M' from the multiple tables of `s`, added to `sums`. A times-T term
// (timesT non-zero) reuses the argument of the term before it multiplied by T, so consecutive
// times-T terms give T², T³ terms.
template <typename Number>
[[gnu::always_inline]] inline void
AddTerm(const BasicSeriesState<Number>& s, BasicSeriesSums<Number>& sums, int k, int j, int timesT,
        double dlc, double dls, double drc, double drs, double dbc, double dbs) {
    if (timesT == 0) {
        const auto argument = AddAngles(s.OwnCos[k], s.OwnSin[k], s.PertCos[j], s.PertSin[j]);
        sums.TermCos = argument.RotCos;
        sums.TermSin = argument.RotSin;
    } else {
        sums.TermCos = s.T * sums.TermCos;
        sums.TermSin = s.T * sums.TermSin;
    }
    AddCoefficients(sums, RotationOf<Number>{sums.TermCos, sums.TermSin}, dlc, dls, drc, drs, dbc,
                    dbs);
}

// The same term added to the sums of `s` itself.
template <typename Number>
[[gnu::always_inline]] inline void AddTerm(BasicSeriesState<Number>& s, int k, int j, int timesT,
                                           double dlc, double dls, double drc, double drs,
                                           double dbc, double dbs) {
    AddTerm(s, s, k, j, timesT, dlc, dls, drc, drs, dbc, dbs);
}

// The argument turned on by the planet's own mean anomaly (its cosine and sine plus M).
template <typename Number>
[[gnu::always_inline]] inline RotationOf<Number> RotateByOwn(const BasicSeriesState<Number>& s,
                                                             const RotationOf<Number>& argument) {
    return AddAngles(argument.RotCos, argument.RotSin, s.OwnCos[1], s.OwnSin[1]);
}

// OwnCos/OwnSin for k = 0..highest from the mean anomaly M, and k = -1..lowest mirrored.
template <typename Number>
[[gnu::always_inline]] inline void BuildOwnMultiples(BasicSeriesState<Number>& s, const Number& M,
                                                     int highest, int lowest) {
    s.OwnCos[0] = Number{} + 1.0;
    s.OwnSin[0] = Number{};
    const RotationOf<Number> own = SinCos(M);
    s.OwnCos[1] = own.RotCos;
    s.OwnSin[1] = own.RotSin;
    for (int k = 2; k <= highest; ++k) {
        const auto next = AddAngles(s.OwnCos[k - 1], s.OwnSin[k - 1], s.OwnCos[1], s.OwnSin[1]);
        s.OwnCos[k] = next.RotCos;
        s.OwnSin[k] = next.RotSin;
    }
    for (int k = -1; k >= lowest; --k) {
        s.OwnCos[k] = s.OwnCos[-k];
        s.OwnSin[k] = -s.OwnSin[-k];
    }
}

// PertCos/PertSin for j - 1 down to `lowest`, each entry the one above it turned by `step`.
template <typename Number>
[[gnu::always_inline]] inline void StepPerturberDown(BasicSeriesState<Number>& s, int j, int lowest,
                                                     const RotationOf<Number>& step) {
    for (; j > lowest; --j) {
        const auto next = AddAngles(s.PertCos[j], s.PertSin[j], step.RotCos, step.RotSin);
        s.PertCos[j - 1] = next.RotCos;
        s.PertSin[j - 1] = next.RotSin;
    }
}

// PertCos/PertSin for j = 0, -1 and on down to `lowest` from the cosine and sine of the
// perturber's mean anomaly.
template <typename Number>
[[gnu::always_inline]] inline void BuildPerturberMultiples(BasicSeriesState<Number>& s,
                                                           const RotationOf<Number>& perturber,
                                                           int lowest) {
    s.PertCos[0] = Number{} + 1.0;
    s.PertSin[0] = Number{};
    s.PertCos[-1] = perturber.RotCos;
    s.PertSin[-1] = -perturber.RotSin;
    StepPerturberDown(s, -1, lowest, RotationOf<Number>{s.PertCos[-1], s.PertSin[-1]});
}

// PertCos/PertSin for j = +1 (and +2 when highest is 2) from the cosine and sine of the
// perturber's mean anomaly, then j = 0 down to `lowest` by turning back with the conjugate of +1.
template <typename Number>
[[gnu::always_inline]] inline void
BuildPerturberConjugateMultiples(BasicSeriesState<Number>& s, const RotationOf<Number>& perturber,
                                 int highest, int lowest) {
    s.PertCos[0] = Number{} + 1.0;
    s.PertSin[0] = Number{};
    s.PertCos[1] = perturber.RotCos;
    s.PertSin[1] = perturber.RotSin;
    if (highest == 2) {
        const auto twice = AddAngles(s.PertCos[1], s.PertSin[1], s.PertCos[1], s.PertSin[1]);
        s.PertCos[2] = twice.RotCos;
        s.PertSin[2] = twice.RotSin;
    }
    StepPerturberDown(s, 0, lowest, RotationOf<Number>{s.PertCos[1], -s.PertSin[1]});
}

// Adds the terms of PerturbTable rows first..last in ascending order (none if first > last).
template <typename Number>
[[gnu::always_inline]] inline void
SumPerturbRows(BasicSeriesState<Number>& s, const CoefficientTables& tables, int first, int last) {
    // Summed in a local copy that stays in registers: the compiler cannot tell that the rows lie
    // apart from the state, and would store the sums back after every row.
    BasicSeriesSums<Number> sums = s;
    for (int i = first; i <= last; ++i) {
        const auto& [index, coef] = FetchPerturbRow(tables, i);
        AddTerm(s, sums, index[0], index[1], index[2], coef[0], coef[1], coef[2], coef[3], coef[4],
                coef[5]);
    }
    static_cast<BasicSeriesSums<Number>&>(s) = sums;
}

// One perturbation group: multiples of the perturber's mean anomaly down to `lowest`, then rows
// first..last.
template <typename Number>
[[gnu::always_inline]] inline void
SumPerturbGroup(BasicSeriesState<Number>& s, const CoefficientTables& tables,
                const RotationOf<Number>& perturber, int lowest, int first, int last) {
    BuildPerturberMultiples(s, perturber, lowest);
    SumPerturbRows(s, tables, first, last);
}

// 360 × FracPart(L0 + M/(2 pi) + (secular + DL)/1296000): the theory's longitude in degrees
// (between -360 and 360) from the mean longitude at J2000 L0 (revolutions), the own mean anomaly
// M, the secular motion since J2000 and the perturbations (both arcseconds).
template <typename Number>
[[gnu::always_inline]] inline Number TheoryLongitude(double L0, const Number& M,
                                                     const Number& secular, const Number& DL) {
    return 360.0 * FracPart(L0 + M / kTwoPi + (secular + DL) / 1296000.0);
}

} // namespace astrodesk

#pragma GCC diagnostic pop
