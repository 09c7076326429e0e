#include "maps/great_circle.hpp"

#include "astro/angles.hpp"

#include <cmath>
#include <utility>

namespace astrodesk {

namespace {

// The colatitude that stands in for an exact right angle, where a tangent would be infinite.
constexpr double kNearRightAngle = kPi / 2.0 - 1e-8;
// How far the gnomic centre moves off a point's meridian or parallel, degrees.
constexpr double kCentreNudgeDeg = 0.0001;

// The direction angle from the cotangent of a spherical triangle's angle, 0..pi.
double AngleFromCotangent(double cotangent) {
    double angle = std::atan(1.0 / cotangent);
    if (angle < 0.0) angle += kPi;
    return angle;
}

} // namespace

GreatCircle SolveGreatCircle(double lon1, double lon2, double lat1, double lat2) {
    GreatCircle gc{};
    gc.GcDeltaLon = Reduce2Pi(lon1 - lon2);
    if (gc.GcDeltaLon > kPi) {
        gc.GcDeltaLon = kTwoPi - gc.GcDeltaLon;
        gc.GcSwapped = true;
    }
    gc.GcColat1 = kPi / 2.0 - lat1;
    gc.GcColat2 = kPi / 2.0 - lat2;
    if (gc.GcSwapped) std::swap(gc.GcColat1, gc.GcColat2);
    const double dL = gc.GcDeltaLon;
    const double cosDistance = std::cos(gc.GcColat1) * std::cos(gc.GcColat2) +
                               std::sin(gc.GcColat1) * std::sin(gc.GcColat2) * std::cos(dL);
    // The guarded arc cosine gives the angle less pi for a negative cosine; the sign of the
    // cosine, not of the result, tells so, since exactly opposite points give -0.
    gc.GcDistance = ArcCosSafe(cosDistance);
    if (cosDistance < 0.0) gc.GcDistance += kPi;

    if (gc.GcColat2 == kPi / 2.0) gc.GcColat2 = kNearRightAngle;
    if (gc.GcColat1 == kPi / 2.0) gc.GcColat1 = kNearRightAngle;
    const double c1 = gc.GcColat1, c2 = gc.GcColat2;
    gc.GcAzimuth1 = AngleFromCotangent(std::sin(c1) / std::tan(c2) / std::sin(dL) -
                                       std::cos(c1) / std::tan(dL));
    gc.GcAngle2 = AngleFromCotangent(std::sin(c2) / std::tan(c1) / std::sin(dL) -
                                     std::cos(c2) / std::tan(dL));
    if (gc.GcSwapped) {
        std::swap(gc.GcAzimuth1, gc.GcAngle2);
        gc.GcAzimuth1 = kTwoPi - gc.GcAzimuth1;
    }
    return gc;
}

CircleLine SolveGreatCircleLine(double lon1, double lon2, double lat1, double lat2) {
    const GreatCircle gc = SolveGreatCircle(lon1, lon2, lat1, lat2);
    // Latitudes of the two points, in the solver's order.
    const double tanLat1 = std::tan(kPi / 2.0 - gc.GcColat1);
    const double tanLat2 = std::tan(kPi / 2.0 - gc.GcColat2);
    // Longitude of the circle's node counted from the first point (in the solver's order).
    double nodeOffset = std::atan(tanLat1 * std::sin(gc.GcDeltaLon) /
                                  (tanLat2 - tanLat1 * std::cos(gc.GcDeltaLon)));
    if (nodeOffset == 0.0) nodeOffset = 1e-8;
    const double inclination = std::atan(tanLat1 / std::sin(nodeOffset));
    const double node = Reduce2Pi((gc.GcSwapped ? lon2 : lon1) + nodeOffset);
    return {Reduce2Pi(node + kPi), inclination};
}

std::optional<PlanePoint> GnomicImage(double centreLatDeg, double centreLonWestDeg, double lon,
                                      double lat) {
    // Both longitudes reduced to 0..2pi (lon in place): a centre east of Greenwich has a negative
    // one.
    if (Reduce2Pi(lon) == Reduce2Pi(DegToRad(centreLonWestDeg)))
        centreLonWestDeg -= kCentreNudgeDeg;
    if (lat == DegToRad(centreLatDeg)) centreLatDeg -= kCentreNudgeDeg;
    const GreatCircle gc =
        SolveGreatCircle(DegToRad(centreLonWestDeg), lon, DegToRad(centreLatDeg), lat);
    if (!(gc.GcDistance < kPi / 2.0)) return std::nullopt;
    const double r = std::tan(gc.GcDistance);
    return PlanePoint{r * std::sin(gc.GcAzimuth1), r * std::cos(gc.GcAzimuth1)};
}

} // namespace astrodesk
