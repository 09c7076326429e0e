#pragma once

// The geocentric Moon, time T in Julian centuries from J2000 (JD 2451545.0).
//
// Source: the lunar series of O. Montenbruck and T. Pfleger, Astronomy on the Personal Computer,
// 3rd ed., Springer 1998, a truncation of E. W. Brown's lunar theory. It works in the four
// fundamental arguments l (the Moon's mean anomaly), l' (the Sun's), F (argument of latitude) and D
// (mean elongation), each in revolutions as a quadratic in T, with seven long-period corrections,
// the 104 solar terms of MoonTable, a short latitude series and eleven planetary terms. Results are
// referred to the mean ecliptic and equinox of date, geometric (no light time: 1.3 s for the
// Moon).

#include "astro/angles.hpp"
#include "astro/lanes.hpp"
#include "ephemeris/periodic_terms.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

// Lanes never cross a call (see astro/lanes.hpp): GCC's note on their calling convention does
// not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace astrodesk {

// Working sums of one evaluation (arcseconds unless stated), for one moment (double) or one
// per lane (Lanes).
template <typename Number> struct BasicMoonSeries {
    // Multiple 0 of every argument is the rotation (1, 0) from the start.
    BasicMoonSeries() {
        for (int i = 1; i <= 4; ++i)
            MoonCos[i][0] = Number{} + 1.0;
    }

    Number MoonLambda{};                  // perturbations in longitude
    Number MoonDS{};                      // added to F for the latitude argument
    Number MoonGamma{};                   // latitude factor (dimensionless)
    Number MoonSinPi = Number{} + 3422.7; // sine of the horizontal parallax
    Number MoonN{};                       // further latitude terms
    // cos and sin of j times argument i (1 l, 2 l', 3 F, 4 D), each carrying the argument's
    // scale factor to the power |j|.
    IndexedArray<IndexedArray<Number, -6, 6>, 1, 4> MoonCos{};
    IndexedArray<IndexedArray<Number, -6, 6>, 1, 4> MoonSin{};
};

using MoonSeries = BasicMoonSeries<double>;

// A term's cosine and sine turned on by multiple j of argument i.
template <typename Number>
[[gnu::always_inline]] inline RotationOf<Number>
TurnByMultiple(const RotationOf<Number>& term, const BasicMoonSeries<Number>& m, int i, int j) {
    return AddAngles(term.RotCos, term.RotSin, m.MoonCos[i][j], m.MoonSin[i][j]);
}

// Cosine and sine of p·l + q·l' + r·F + s·D from the multiple tables: the rotations by the four
// multiples one after the other. Multiple 0 is the rotation (1, 0), which leaves a term as it is,
// so it needs no test; the first rotation turns (1, 0) and is the table entry itself.
template <typename Number>
[[gnu::always_inline]] inline RotationOf<Number> MoonTerm(const BasicMoonSeries<Number>& m, int p,
                                                          int q, int r, int s) {
    const RotationOf<Number> byL = {m.MoonCos[1][p], m.MoonSin[1][p]};
    return TurnByMultiple(TurnByMultiple(TurnByMultiple(byL, m, 2, q), m, 3, r), m, 4, s);
}

// A solar term: MoonLambda += cl·sin, MoonDS += cs·sin, MoonGamma += cg·cos, MoonSinPi += cp·cos
// of p·l + q·l' + r·F + s·D.
template <typename Number>
[[gnu::always_inline]] inline void AddSolarTerm(BasicMoonSeries<Number>& m, double cl, double cs,
                                                double cg, double cp, int p, int q, int r, int s) {
    const RotationOf<Number> term = MoonTerm(m, p, q, r, s);
    m.MoonLambda += cl * term.RotSin;
    m.MoonDS += cs * term.RotSin;
    m.MoonGamma += cg * term.RotCos;
    m.MoonSinPi += cp * term.RotCos;
}

// A latitude term: MoonN += cn·sin(p·l + q·l' + r·F + s·D).
template <typename Number>
[[gnu::always_inline]] inline void AddLatitudeTerm(BasicMoonSeries<Number>& m, double cn, int p,
                                                   int q, int r, int s) {
    m.MoonN += cn * MoonTerm(m, p, q, r, s).RotSin;
}

// The geocentric Moon, one moment per lane: longitude (degrees 0..360, mean equinox of date),
// latitude (degrees) and distance (Earth radii).
struct LanesMoon {
    Lanes longitude;
    Lanes latitude;
    Lanes distance;
};

void MoonTheory(const Lanes& T, const CoefficientTables& tables, LanesMoon& moon);

// The same at one moment: MoonLongitude, MoonLatitude and the distance in TheoryR.
void MoonTheory(double T, const CoefficientTables& tables, PositionTables& positions);

} // namespace astrodesk

#pragma GCC diagnostic pop
