#pragma once

// Spherical triangles of the maps: the distance and directions between two points, the great
// circle through two points, and the gnomic image of a point.
//
// Sources: the triangle with the pole solved by the cosine and the four-parts formulas (W. M.
// Smart, Textbook on Spherical Astronomy, 6th ed., Cambridge 1977, chapter 1); the gnomonic
// projection as J. P. Snyder gives it, Map Projections: A Working Manual, U.S. Geological Survey
// Professional Paper 1395 (1987), chapter 22.

#include <optional>

namespace astrodesk {

// Two points of the sphere solved as a triangle with the pole. Radians.
struct GreatCircle {
    double GcDistance; // angular distance, 0..pi
    double GcAzimuth1; // direction at the first point towards the second, 0 = north, east positive
    double GcAngle2;   // angle at the second point
    double GcColat1;   // working colatitudes, exchanged when GcSwapped
    double GcColat2;
    double GcDeltaLon; // longitude difference from the first point to the second, 0..pi
    bool GcSwapped;    // the points were taken in the other order to keep GcDeltaLon <= pi
};

// Longitudes west positive, latitudes north positive, radians. The azimuths are meaningless when
// the longitudes are equal (the gnomic marks move their centre to avoid it).
GreatCircle SolveGreatCircle(double lon1, double lon2, double lat1, double lat2);

// A great circle of the sphere held by where it crosses the equator northwards and its tilt.
struct CircleLine {
    double LineNode;        // radians
    double LineInclination; // radians; pi/2 for a circle through the poles
};

// The great circle through two points, in the same longitude convention as the points.
CircleLine SolveGreatCircleLine(double lon1, double lon2, double lat1, double lat2);

// A point of a gnomic map's plane: x towards the east, y towards the north, in radii of the sphere.
struct PlanePoint {
    double x, y;
};

// The gnomic image of a point (west longitude and latitude, radians) on the plane touching the
// sphere at the centre (degrees, west longitude): nothing for a point 90 degrees or more from it.
// A point on the centre's meridian or parallel is solved against a centre moved 0.0001 degree west
// or south, so that the solver never divides by a zero longitude difference.
std::optional<PlanePoint> GnomicImage(double centreLatDeg, double centreLonWestDeg, double lon,
                                      double lat);

} // namespace astrodesk
