#pragma once

// Sine and cosine for the angles of the series (mean anomalies and arguments of a few turns at
// most), inline and without a library call. The argument is reduced by whole quarter turns (pi/2
// in two parts, the first short enough that its multiples are exact); the reduced angle, within
// +-pi/4, goes into polynomials for sine and cosine. Within +-kFastTrigRange radians every result
// is within 2e-16 of the true value; beyond, and for infinities and NaN, the standard library
// answers.

#include "astro/angles.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

namespace astrodesk {

// Radians up to which the quarter-turn count stays below 2^17, so that its products with the
// leading part of pi/2 are exact.
inline constexpr double kFastTrigRange = 1e5;

namespace detail {

// pi/2 as a leading part of 33 significant bits plus the nearest double to the rest.
inline constexpr double kHalfPiLead = 0x1.921fb544p+0;
inline constexpr double kHalfPiTail = 0x1.0b4611a626331p-34;
inline constexpr double kQuarterTurnsPerRadian = 0x1.45f306dc9c883p-1; // 2/pi
// Added to a number below 2^51 in size, rounds it to a whole number kept in the sum's last bits.
inline constexpr double kRoundingShift = 0x1.8p52;

// c0 + c1·z + ... + c5·z^5 in Estrin's scheme: pairs of terms first, which keeps the chain of
// dependent operations three deep.
inline double Polynomial5(double z, double z2, double z4, const double (&c)[6]) {
    return ((c[0] + c[1] * z) + z2 * (c[2] + c[3] * z)) + z4 * (c[4] + c[5] * z);
}

// With z = x², |x| <= pi/4: sin x = x + x·z·S(z) and cos x = 1 - z/2 + z²·C(z). The coefficients
// of S and C are Chebyshev fits of the Taylor remainders over 0 <= z <= (pi/4)², within 2e-17 of
// sine and cosine.
inline constexpr double kSineTail[6] = {-0x1.5555555555555p-3,  0x1.1111111110bb2p-7,
                                        -0x1.a01a019e83aaep-13, 0x1.71de37968a100p-19,
                                        -0x1.ae600b02b6262p-26, 0x1.5e0b19f8b1451p-33};
inline constexpr double kCosineTail[6] = {0x1.5555555555555p-5,  -0x1.6c16c16c16967p-10,
                                          0x1.a01a019f4eb01p-16, -0x1.27e4fa17da09ep-22,
                                          0x1.1eeb68e93b64cp-29, -0x1.907da367a37cbp-37};

// Cosine and sine of 0, 1, 2 and 3 quarter turns.
inline constexpr Rotation kQuarterTurns[4] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};

} // namespace detail

// Cosine and sine of `radians`. Always inlined: the series call it about a hundred times per
// evaluation, mostly on independent arguments whose work then overlaps.
[[gnu::always_inline]] inline Rotation SinCos(double radians) {
    using namespace detail;
    if (!(std::abs(radians) <= kFastTrigRange)) return {std::cos(radians), std::sin(radians)};
    const double shifted = radians * kQuarterTurnsPerRadian + kRoundingShift;
    const double quarterTurns = shifted - kRoundingShift;
    const auto quadrant = static_cast<unsigned>(std::bit_cast<std::uint64_t>(shifted) & 3);
    // The reduced angle as a sum high + low: radians - quarterTurns·kHalfPiLead is exact, and
    // `low` keeps the rounding error of the second step.
    const double exactStep = radians - quarterTurns * kHalfPiLead;
    const double tailStep = quarterTurns * kHalfPiTail;
    const double high = exactStep - tailStep;
    const double low = (exactStep - high) - tailStep;

    const double z = high * high, z2 = z * z, z4 = z2 * z2;
    // sin(high + low) and cos(high + low); in the cosine 1 - z/2 carries its rounding error
    // into the small terms.
    const double sine =
        high + (high * z * Polynomial5(z, z2, z4, kSineTail) + low * (1.0 - 0.5 * z));
    const double halfZ = 0.5 * z;
    const double oneMinusHalfZ = 1.0 - halfZ;
    const double cosine = oneMinusHalfZ + (((1.0 - oneMinusHalfZ) - halfZ) +
                                           (z2 * Polynomial5(z, z2, z4, kCosineTail) - high * low));

    // Turned on by the whole quarter turns. Their cosines and sines are 0 and +-1, so the
    // rotation is exact, and it needs no branch on the quadrant, which the series make
    // unpredictable.
    const Rotation turn = kQuarterTurns[quadrant];
    return AddAngles(cosine, sine, turn.RotCos, turn.RotSin);
}

inline double Sin(double radians) {
    return SinCos(radians).RotSin;
}
inline double Cos(double radians) {
    return SinCos(radians).RotCos;
}

} // namespace astrodesk
