#include "astro/nutation.hpp"

#include "astro/angles.hpp"

#include <cmath>

namespace astrodesk {

namespace {

// A mean argument a + b T given in revolutions (b per Julian century), as radians.
[[gnu::always_inline]] inline Lanes MeanArgument(double atEpoch, double perCentury,
                                                 const Lanes& t) {
    return kTwoPi * FracPart(atEpoch + perCentury * t);
}

constexpr double kArcsecondsPerRadian = 206264.8062;

} // namespace

ASTRODESK_LANES_KERNEL
void ComputeNutation(const Lanes& t, LanesNutation& nutation) {
    const Lanes sunAnomaly = MeanArgument(0.993133, 99.997306, t);
    const Lanes moonElongation = MeanArgument(0.827362, 1236.853087, t);
    const Lanes moonLatitudeArgument = MeanArgument(0.259089, 1342.227826, t);
    const Lanes node = MeanArgument(0.347346, -5.372447, t);

    const Lanes nutationArcseconds =
        -17.2 * LibrarySine(node) -
        1.319 * LibrarySine(2.0 * (moonLatitudeArgument - moonElongation + node)) -
        0.227 * LibrarySine(2.0 * (moonLatitudeArgument + node)) + 0.206 * LibrarySine(2.0 * node) +
        0.143 * LibrarySine(sunAnomaly);

    nutation.sunMeanAnomaly = sunAnomaly;
    nutation.obliquity2000 = 0.4090928 - 0.00022696 * t;
    nutation.lunarNode = node;
    nutation.longitude = RadToDeg(nutationArcseconds / kArcsecondsPerRadian);
}

void ComputeNutation(ChartFrame& frame, PositionTables& positions) {
    LanesNutation nutation;
    ComputeNutation(Broadcast(frame.JulianCenturies), nutation);
    frame.SunMeanAnomaly = nutation.sunMeanAnomaly[0];
    frame.Obliquity2000 = nutation.obliquity2000[0];
    positions.LunarNode = nutation.lunarNode[0];
    positions.NutationLongitude = nutation.longitude[0];
}

} // namespace astrodesk
