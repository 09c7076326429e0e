#pragma once

// The geocentric Moon: the lunar series of Montenbruck and Pfleger in the four fundamental
// arguments l (the Moon's mean anomaly), l' (the Sun's), F (argument of latitude) and D (mean
// elongation), with long-period corrections, the 104 solar terms of MoonTable, a short latitude
// series and eleven planetary terms. Time T in Julian centuries from J2000.

#include "astro/angles.hpp"
#include "shell/indexed_array.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Working sums of one evaluation (arcseconds unless stated).
struct MoonSeries {
    // Multiple 0 of every argument is the rotation (1, 0) from the start.
    MoonSeries() {
        for (int i = 1; i <= 4; ++i)
            MoonCos[i][0] = 1.0;
    }

    double MoonLambda = 0.0;   // perturbations in longitude
    double MoonDS = 0.0;       // added to F for the latitude argument
    double MoonGamma = 0.0;    // latitude factor (dimensionless)
    double MoonSinPi = 3422.7; // sine of the horizontal parallax
    double MoonN = 0.0;        // further latitude terms
    // cos and sin of j times argument i (1 l, 2 l', 3 F, 4 D), each carrying the argument's
    // scale factor to the power |j|.
    IndexedArray<IndexedArray<double, -6, 6>, 1, 4> MoonCos{};
    IndexedArray<IndexedArray<double, -6, 6>, 1, 4> MoonSin{};
};

// A term's cosine and sine turned on by multiple j of argument i.
inline Rotation TurnByMultiple(Rotation term, const MoonSeries& m, int i, int j) {
    return AddAngles(term.RotCos, term.RotSin, m.MoonCos[i][j], m.MoonSin[i][j]);
}

// Cosine and sine of p·l + q·l' + r·F + s·D from the multiple tables: the rotations by the four
// multiples one after the other. Multiple 0 is the rotation (1, 0), which leaves a term as it is,
// so it needs no test; the first rotation turns (1, 0) and is the table entry itself.
inline Rotation MoonTerm(const MoonSeries& m, int p, int q, int r, int s) {
    const Rotation byL = {m.MoonCos[1][p], m.MoonSin[1][p]};
    return TurnByMultiple(TurnByMultiple(TurnByMultiple(byL, m, 2, q), m, 3, r), m, 4, s);
}

// A solar term: MoonLambda += cl·sin, MoonDS += cs·sin, MoonGamma += cg·cos, MoonSinPi += cp·cos
// of p·l + q·l' + r·F + s·D.
inline void AddSolarTerm(MoonSeries& m, double cl, double cs, double cg, double cp, int p, int q,
                         int r, int s) {
    const Rotation term = MoonTerm(m, p, q, r, s);
    m.MoonLambda += cl * term.RotSin;
    m.MoonDS += cs * term.RotSin;
    m.MoonGamma += cg * term.RotCos;
    m.MoonSinPi += cp * term.RotCos;
}

// A latitude term: MoonN += cn·sin(p·l + q·l' + r·F + s·D).
inline void AddLatitudeTerm(MoonSeries& m, double cn, int p, int q, int r, int s) {
    m.MoonN += cn * MoonTerm(m, p, q, r, s).RotSin;
}

// Writes MoonLongitude (degrees 0..360, mean equinox of date), MoonLatitude (degrees) and the
// distance in TheoryR (Earth radii).
void MoonTheory(double T, const CoefficientTables& tables, PositionTables& positions);

} // namespace astrodesk
