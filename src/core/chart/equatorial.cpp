#include "chart/equatorial.hpp"

#include "astro/angles.hpp"

#include <cmath>

namespace astrodesk {

namespace {

// Two-argument arctangent in -pi..pi that reads 0 for the null vector.
double DirectionOf(double y, double x) {
    return x == 0.0 && y == 0.0 ? 0.0 : std::atan2(y, x);
}

// Mean obliquity of the ecliptic, radians: 23 26' 21.448" less a polynomial in arcseconds.
double MeanObliquity2000(double t) {
    const double arcseconds = 46.815 * t + 0.00059 * t * t - 0.001813 * t * t * t;
    return DegToRad(23.4392911 - arcseconds / 3600.0);
}

} // namespace

EquatorialPlace EclipticToEquatorial(double longitude, double latitude, double julianCenturies) {
    const double obliquity = MeanObliquity2000(julianCenturies);
    const double x = std::cos(longitude) * std::cos(latitude);
    const double y = std::sin(longitude) * std::cos(latitude);
    const double z = std::sin(latitude);
    // Rotation about the equinox direction (x axis) by the obliquity.
    const double yEquatorial = y * std::cos(obliquity) - z * std::sin(obliquity);
    const double zEquatorial = y * std::sin(obliquity) + z * std::cos(obliquity);

    double rightAscension = DirectionOf(yEquatorial, x);
    if (rightAscension < 0.0) rightAscension += kTwoPi;
    const double declination = DirectionOf(zEquatorial, std::hypot(x, yEquatorial));
    return {rightAscension, declination, obliquity};
}

} // namespace astrodesk
