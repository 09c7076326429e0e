#pragma once

// Sine and cosine for the angles of the series (mean anomalies and arguments of a few turns at
// most), inline and without a library call. Argument in radians (the true pi, not the program's
// decimal kPi); results are the cosine and sine as a Rotation.
//
// Method: the argument is reduced by whole quarter turns with pi/2 split in two parts, the first
// short enough that its multiples are exact (the additive reduction of W. J. Cody and W. Waite,
// Software Manual for the Elementary Functions, Prentice-Hall 1980); the reduced angle, within
// +-pi/4, goes into polynomials of degree 13 (sine) and 14 (cosine) in the angle, evaluated in
// the square of the angle by Estrin's scheme (D. E. Knuth, The Art of Computer Programming,
// vol. 2, 3rd ed., 1997, section 4.6.4), and the quarter turns are added back by an exact
// rotation. Accuracy: within +-kFastTrigRange radians every result is within 2e-16 of the
// library's cosine and sine (1.1e-16 the largest difference found at four million random
// arguments in each of +-8 pi, +-1e3, +-1e4 and +-1e5); beyond, and for infinities and NaN, the
// standard library answers.

#include "astro/angles.hpp"
#include "astro/lanes.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

// Lanes never cross a call (see astro/lanes.hpp): GCC's note on their calling convention does
// not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

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
template <typename Number>
[[gnu::always_inline]] inline Number Polynomial5(const Number& z, const Number& z2,
                                                 const Number& z4, const double (&c)[6]) {
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

// The reduction and the polynomials, for a double or for Lanes: the cosine and sine of the
// angle less its whole quarter turns, and `shifted`, whose lowest bits count those turns.
template <typename Number> struct ReducedSinCos { Number cosine, sine, shifted; };

template <typename Number>
[[gnu::always_inline]] inline ReducedSinCos<Number> ReduceAndEvaluate(const Number& radians) {
    const Number shifted = radians * kQuarterTurnsPerRadian + kRoundingShift;
    const Number quarterTurns = shifted - kRoundingShift;
    // The reduced angle as a sum high + low: radians - quarterTurns·kHalfPiLead is exact, and
    // `low` keeps the rounding error of the second step.
    const Number exactStep = radians - quarterTurns * kHalfPiLead;
    const Number tailStep = quarterTurns * kHalfPiTail;
    const Number high = exactStep - tailStep;
    const Number low = (exactStep - high) - tailStep;

    const Number z = high * high, z2 = z * z, z4 = z2 * z2;
    // sin(high + low) and cos(high + low); in the cosine 1 - z/2 carries its rounding error
    // into the small terms.
    const Number sine =
        high + (high * z * Polynomial5(z, z2, z4, kSineTail) + low * (1.0 - 0.5 * z));
    const Number halfZ = 0.5 * z;
    const Number oneMinusHalfZ = 1.0 - halfZ;
    const Number cosine = oneMinusHalfZ + (((1.0 - oneMinusHalfZ) - halfZ) +
                                           (z2 * Polynomial5(z, z2, z4, kCosineTail) - high * low));
    return {cosine, sine, shifted};
}

} // namespace detail

// Cosine and sine of `radians`. Always inlined: the series call it about a hundred times per
// evaluation, mostly on independent arguments whose work then overlaps.
[[gnu::always_inline]] inline Rotation SinCos(double radians) {
    using namespace detail;
    if (!(std::abs(radians) <= kFastTrigRange)) return {std::cos(radians), std::sin(radians)};
    const ReducedSinCos<double> reduced = ReduceAndEvaluate(radians);
    const auto quadrant = static_cast<unsigned>(std::bit_cast<std::uint64_t>(reduced.shifted) & 3);
    // Turned on by the whole quarter turns. Their cosines and sines are 0 and +-1, so the
    // rotation is exact, and it needs no branch on the quadrant, which the series make
    // unpredictable.
    const Rotation turn = kQuarterTurns[quadrant];
    return AddAngles(reduced.cosine, reduced.sine, turn.RotCos, turn.RotSin);
}

// The same lane by lane; lanes beyond kFastTrigRange, infinite or NaN go to the library.
[[gnu::always_inline]] inline LanesRotation SinCos(const Lanes& radians) {
    using namespace detail;
    const Lanes magnitude = Select(radians < 0.0, -radians, radians);
    if (AnyLane(~(magnitude <= kFastTrigRange))) {
        const Lanes cosine = EachLane(radians, [](double x) { return SinCos(x).RotCos; });
        return {cosine, EachLane(radians, [](double x) { return SinCos(x).RotSin; })};
    }
    const ReducedSinCos<Lanes> reduced = ReduceAndEvaluate(radians);
    // The cosine and sine of the whole quarter turns, chosen lane by lane, and the same exact
    // rotation as for one angle.
    const LaneMask quadrant = BitsOf(reduced.shifted) & 3;
    const Lanes turnCos = Select(quadrant == 0, Broadcast(1.0),
                                 Select(quadrant == 2, Broadcast(-1.0), Broadcast(0.0)));
    const Lanes turnSin = Select(quadrant == 1, Broadcast(1.0),
                                 Select(quadrant == 3, Broadcast(-1.0), Broadcast(0.0)));
    return AddAngles(reduced.cosine, reduced.sine, turnCos, turnSin);
}

[[gnu::always_inline]] inline Lanes Sin(const Lanes& radians) {
    return SinCos(radians).RotSin;
}
inline double Sin(double radians) {
    return SinCos(radians).RotSin;
}
[[gnu::always_inline]] inline Lanes Cos(const Lanes& radians) {
    return SinCos(radians).RotCos;
}
inline double Cos(double radians) {
    return SinCos(radians).RotCos;
}

} // namespace astrodesk

#pragma GCC diagnostic pop
