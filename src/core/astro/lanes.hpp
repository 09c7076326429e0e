#pragma once

// Four doubles worked on as one value: the kernel of the chart computation.
//
// Why: a chart evaluates every body theory at three pass times (a little before, a little after
// and at the chart time) and repeats each evaluation three times for light time. The three
// passes are independent, and their series use the same terms with the same coefficients, so
// the chart evaluates them side by side, one pass per lane, in one walk through the tables. On
// a processor with 256-bit vectors and fused multiply-add a term then costs about what one pass
// alone did; elsewhere the compiler splits the lanes into the vectors the target has, and the
// results differ from the fused ones only in the last bits.
//
// Lanes is a vector of the GNU C vector extensions (also in Clang), so that the compiler keeps
// it in vector registers on any target; every operation below is lane by lane. Functions taking
// Lanes pass them by reference: by value their calling convention would depend on the vector
// width a function is compiled for, and every helper that returns Lanes is always inlined, so
// that no call passes a vector between code built for different vector widths (which is what
// GCC's -Wpsabi note warns of; the libraries of the kernels silence it for that reason).

#include "astro/angles.hpp"

#include <cmath>
#include <cstdint>
#include <limits>

// Lanes never cross a call (see astro/lanes.hpp): GCC's note on their calling convention does
// not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace astrodesk {

inline constexpr int kLaneCount = 4;
using Lanes = double __attribute__((vector_size(kLaneCount * sizeof(double))));
// The result of comparing Lanes: all bits set where true.
using LaneMask = std::int64_t __attribute__((vector_size(kLaneCount * sizeof(double))));

// Marks a function that works on Lanes: compiled twice, for x86-64 with AVX2 and fused
// multiply-add and for any x86-64, the processor choosing at load time. Other targets get the
// one portable version.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ASTRODESK_LANES_KERNEL [[gnu::target_clones("arch=x86-64-v3", "default")]]
#else
#define ASTRODESK_LANES_KERNEL
#endif

// The bits of Lanes as LaneMask and back. A cast between vector types of one size is the vector
// extensions' own reinterpretation of the bits; std::bit_cast of a vector trips a false null
// check of GCC 12's undefined-behaviour sanitizer.
[[gnu::always_inline]] inline LaneMask BitsOf(const Lanes& x) {
    return (LaneMask)x;
}
[[gnu::always_inline]] inline Lanes LanesOfBits(const LaneMask& bits) {
    return (Lanes)bits;
}

[[gnu::always_inline]] inline Lanes Broadcast(double x) {
    return Lanes{x, x, x, x};
}

// mask ? a : b, lane by lane.
[[gnu::always_inline]] inline Lanes Select(const LaneMask& mask, const Lanes& a, const Lanes& b) {
    return mask ? a : b;
}

inline bool AnyLane(const LaneMask& mask) {
    return (mask[0] | mask[1] | mask[2] | mask[3]) != 0;
}

// Whether lane i holds exactly the bits of the lane before it.
[[gnu::always_inline]] inline bool RepeatsLaneBefore(const Lanes& x, int i) {
    return BitsOf(x)[i] == BitsOf(x)[i - 1];
}

// f applied to each lane: for the library functions (arc tangent, the library's sine) that have
// no lane form. A lane that repeats the one before it takes its result: the chart's spare lane
// repeats its last pass, and one moment fills every lane.
template <typename Function>
[[gnu::always_inline]] inline Lanes EachLane(const Lanes& x, Function f) {
    Lanes result;
    result[0] = f(x[0]);
    for (int i = 1; i < kLaneCount; ++i)
        result[i] = RepeatsLaneBefore(x, i) ? result[i - 1] : f(x[i]);
    return result;
}

// f applied to the lanes of two values pair by pair, in the same way.
template <typename Function>
[[gnu::always_inline]] inline Lanes EachLane(const Lanes& x, const Lanes& y, Function f) {
    Lanes result;
    result[0] = f(x[0], y[0]);
    for (int i = 1; i < kLaneCount; ++i)
        result[i] =
            RepeatsLaneBefore(x, i) && RepeatsLaneBefore(y, i) ? result[i - 1] : f(x[i], y[i]);
    return result;
}

[[gnu::always_inline]] inline Lanes SquareRoot(const Lanes& x) {
    return Lanes{std::sqrt(x[0]), std::sqrt(x[1]), std::sqrt(x[2]), std::sqrt(x[3])};
}
[[gnu::always_inline]] inline Lanes ArcTangent(const Lanes& x) {
    return EachLane(x, [](double v) { return std::atan(v); });
}
// The library's sine and cosine, where a result must stay what the library gives.
[[gnu::always_inline]] inline Lanes LibrarySine(const Lanes& x) {
    return EachLane(x, [](double v) { return std::sin(v); });
}
[[gnu::always_inline]] inline Lanes LibraryCosine(const Lanes& x) {
    return EachLane(x, [](double v) { return std::cos(v); });
}

// x minus x truncated towards zero, lane by lane, exactly as FracPart(double). Adding and taking
// away 2^52 rounds a magnitude below 2^52 to the nearest whole number; a step down makes that
// the truncated magnitude, and the sign of x goes back on. Larger magnitudes are whole numbers
// already and are their own truncation, as are infinities and NaN.
[[gnu::always_inline]] inline Lanes FracPart(const Lanes& x) {
    constexpr double kWholeNumbersFrom = 0x1p52;
    const LaneMask signBit = LaneMask{} + std::numeric_limits<std::int64_t>::min();
    const Lanes magnitude = LanesOfBits(BitsOf(x) & ~signBit);
    const Lanes nearest = (magnitude + kWholeNumbersFrom) - kWholeNumbersFrom;
    const Lanes truncatedMagnitude = Select(nearest > magnitude, nearest - 1.0, nearest);
    const Lanes truncated = LanesOfBits(BitsOf(truncatedMagnitude) | (BitsOf(x) & signBit));
    return x - Select(magnitude < kWholeNumbersFrom, truncated, x);
}

struct LanesRotation {
    Lanes RotCos;
    Lanes RotSin;
};

// Sum of two angles from their cosines and sines, lane by lane (see AddAngles of doubles).
[[gnu::always_inline]] inline LanesRotation AddAngles(const Lanes& cosA, const Lanes& sinA,
                                                      const Lanes& cosB, const Lanes& sinB) {
    return {cosA * cosB - sinA * sinB, sinA * cosB + cosA * sinB};
}

// Degrees to radians and back, with the program's pi.
[[gnu::always_inline]] inline Lanes DegToRad(const Lanes& degrees) {
    return degrees * kPi / 180.0;
}
[[gnu::always_inline]] inline Lanes RadToDeg(const Lanes& radians) {
    return radians * 180.0 / kPi;
}

// One lane of a Lanes value as a double.
inline double LaneOf(const Lanes& x, int lane) {
    return x[lane];
}

} // namespace astrodesk

#pragma GCC diagnostic pop
