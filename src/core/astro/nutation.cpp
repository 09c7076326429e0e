#include "astro/nutation.hpp"

#include "astro/angles.hpp"

#include <cmath>

namespace astrodesk {

namespace {

// A mean argument a + b T given in revolutions (b per Julian century), as radians.
double MeanArgument(double atEpoch, double perCentury, double t) {
    return kTwoPi * FracPart(atEpoch + perCentury * t);
}

constexpr double kArcsecondsPerRadian = 206264.8062;

} // namespace

void ComputeNutation(ChartFrame& frame, PositionTables& positions) {
    const double t = frame.JulianCenturies;
    const double sunAnomaly = MeanArgument(0.993133, 99.997306, t);
    const double moonElongation = MeanArgument(0.827362, 1236.853087, t);
    const double moonLatitudeArgument = MeanArgument(0.259089, 1342.227826, t);
    const double node = MeanArgument(0.347346, -5.372447, t);

    const double nutationArcseconds =
        -17.2 * std::sin(node) -
        1.319 * std::sin(2.0 * (moonLatitudeArgument - moonElongation + node)) -
        0.227 * std::sin(2.0 * (moonLatitudeArgument + node)) + 0.206 * std::sin(2.0 * node) +
        0.143 * std::sin(sunAnomaly);

    frame.SunMeanAnomaly = sunAnomaly;
    frame.Obliquity2000 = 0.4090928 - 0.00022696 * t;
    positions.LunarNode = node;
    positions.NutationLongitude = RadToDeg(nutationArcseconds / kArcsecondsPerRadian);
}

} // namespace astrodesk
