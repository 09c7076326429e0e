#pragma once

// Angle conversion, reduction into one turn, guarded inverse trigonometry and the sum-of-angles
// rotation that every periodic series uses. All inline: the series call them thousands of times
// per chart.
//
// The reducers and the guarded inverses change a variable passed to them in place, as their
// callers expect; given a constant or an expression they just return the result.

#include <algorithm>
#include <cmath>

namespace astrodesk {

// The program's pi and full turn: exactly these decimals, not the nearest doubles of pi and
// 2 pi, so that every reduction and conversion in the program agrees to the last bit.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;

constexpr double DegToRad(double degrees) {
    return degrees * kPi / 180.0;
}
constexpr double RadToDeg(double radians) {
    return radians * 180.0 / kPi;
}
// A longitude of 0 <= radians < 2 pi in degrees, 0 <= result < 360: the product can round up
// to 360 just below a full turn, which then reads as 0.
constexpr double LongitudeDegrees(double radians) {
    const double degrees = RadToDeg(radians);
    return degrees >= 360.0 ? degrees - 360.0 : degrees;
}

// x minus x truncated towards zero: FracPart(-1.25) = -0.25.
inline double FracPart(double x) {
    return x - std::trunc(x);
}

namespace detail {
// Brings x into 0 <= x < turn by whole turns; a value already in range is left untouched.
inline double ReduceByTurns(double& x, double turn) {
    if (x >= 0.0 && x < turn) return x;
    // One step per turn; only an absurdly far argument jumps first, so that no loop runs long.
    if (std::abs(x) > 1e6 * turn) x = std::fmod(x, turn); // exact, however far
    while (x < 0.0)
        x += turn;
    while (x >= turn)
        x -= turn;
    return x;
}
} // namespace detail

// Radians into 0 <= x < 2 pi, in place.
inline double Reduce2Pi(double& radians) {
    return detail::ReduceByTurns(radians, kTwoPi);
}
inline double Reduce2Pi(const double& radians) {
    double copy = radians;
    return Reduce2Pi(copy);
}

// Degrees into 0 <= x < 360, in place.
inline double Reduce360(double& degrees) {
    return detail::ReduceByTurns(degrees, 360.0);
}
inline double Reduce360(const double& degrees) {
    double copy = degrees;
    return Reduce360(copy);
}

// Arc cosine by arctangent, kept finite at 0 and +-1: a cosine within 1e-8 of zero is moved
// to +-1e-8 (in place). The result is the arc cosine for x > 0 and the arc cosine minus pi for
// x < 0, so it lies in -pi/2..pi/2; callers add pi where they need the full range. A cosine
// beyond +-1 yields the value at +-1 instead of NaN.
inline double ArcCosSafe(double& cosine) {
    if (std::abs(cosine) < 1e-8) cosine = cosine < 0.0 ? -1e-8 : 1e-8;
    return std::atan(std::sqrt(std::max(0.0, 1.0 - cosine * cosine)) / cosine);
}
inline double ArcCosSafe(const double& cosine) {
    double copy = cosine;
    return ArcCosSafe(copy);
}

// Arc sine by arctangent: a sine within 1e-8 of +-1, or beyond, becomes +-0.9999999999999
// (in place), so the result stays finite in -pi/2..pi/2.
inline double ArcSinSafe(double& sine) {
    if (1.0 - std::abs(sine) < 1e-8) sine = std::copysign(0.9999999999999, sine);
    return std::atan(sine / std::sqrt(1.0 - sine * sine));
}
inline double ArcSinSafe(const double& sine) {
    double copy = sine;
    return ArcSinSafe(copy);
}

// Cosine and sine of the sum of two angles A + B.
struct Rotation {
    double RotCos;
    double RotSin;
};

// Sum of two angles from their cosines and sines, without calling a trigonometric function.
constexpr Rotation AddAngles(double cosA, double sinA, double cosB, double sinB) {
    return {cosA * cosB - sinA * sinB, sinA * cosB + cosA * sinB};
}

// Direction of the vector (d, n) in 0 <= a < 2 pi from n = d tan a: a = atan(n / d), plus pi
// if negative, plus pi again if n < 0. A zero denominator gives the right angle on the side of
// n; n = 0 gives 0. A direction a hair below the full turn, which the two additions of pi round
// to exactly 2 pi, is 0.
inline double AngleOf(double n, double d) {
    if (d == 0.0) return n > 0.0 ? kPi / 2.0 : n < 0.0 ? 3.0 * kPi / 2.0 : 0.0;
    double angle = std::atan(n / d);
    if (angle < 0.0) angle += kPi;
    if (n < 0.0) angle += kPi;
    return angle >= kTwoPi ? 0.0 : angle;
}

} // namespace astrodesk
