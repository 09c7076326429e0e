#include "astro/precession.hpp"

#include "astro/angles.hpp"

#include <cmath>

namespace astrodesk {

void PrecessPositions(ChartFrame& frame, PositionTables& positions) {
    const double t0 = frame.PrecessFromT;
    const double t = frame.PrecessSpanT;
    // Longitude of the axis about which the ecliptic turns, the angle between the two
    // ecliptics and the general precession in longitude (arcseconds, then radians).
    const double axis = DegToRad(
        174.876383 +
        (3289.48 * t0 + 0.61 * t0 * t0 - 869.81 * t - 0.5 * t0 * t + 0.04 * t * t) / 3600.0);
    const double tilt = DegToRad((47.003 * t - 0.067 * t0 * t - 0.033 * t * t) / 3600.0);
    const double general = DegToRad((5029.097 * t + 2.222 * t0 * t + 1.111 * t * t) / 3600.0);

    for (int slot = 1; slot <= 19; ++slot) {
        double& longitude = positions.BodyLongitude[slot];
        const double latitude = positions.BodyLatitude[slot];
        longitude =
            Reduce2Pi(longitude + general + tilt * std::tan(latitude) * std::cos(longitude - axis));
    }
    for (int house = 1; house <= 12; ++house)
        frame.HouseCusp[house] = Reduce2Pi(frame.HouseCusp[house] + general);
}

} // namespace astrodesk
