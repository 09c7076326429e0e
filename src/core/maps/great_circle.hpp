#pragma once

// Spherical triangles of the maps: the distance and directions between two points, the great
// circle through two points, and the gnomic image of a point.
//
// Sources: the triangle with the pole solved by the cosine and the four-parts formulas (W. M.
// Smart, Textbook on Spherical Astronomy, 6th ed., Cambridge 1977, chapter 1); the gnomonic
// projection as J. P. Snyder gives it, Map Projections: A Working Manual, U.S. Geological Survey
// Professional Paper 1395 (1987), in its polar form about the centre: a point at angular
// distance c and azimuth A from the centre lies at rho = tan c (radii of the sphere) in the
// direction A. Every great circle is a straight line of that plane.
//
// The same formulas serve the sky (right ascension for longitude, declination for latitude) and
// the Earth.

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

// Longitudes west positive, latitudes north positive, radians. With colatitudes c1, c2 and the
// longitude difference dL: cos d = cos c1 cos c2 + sin c1 sin c2 cos dL (cosine formula) and
// cot A1 = (sin c1 cot c2 - cos c1 cos dL) / sin dL (four-parts formula), A2 likewise with the
// points exchanged. A colatitude of exactly 90 degrees is taken 1e-8 radian short of it, so
// that no cotangent is infinite. The azimuths are meaningless when the longitudes are equal
// (the gnomic marks move their centre to avoid it).
GreatCircle SolveGreatCircle(double lon1, double lon2, double lat1, double lat2);

// A great circle of the sphere held by where it crosses the equator northwards and its tilt.
struct CircleLine {
    double LineNode;        // radians
    double LineInclination; // radians; pi/2 for a circle through the poles
};

// The great circle through two points, in the same longitude convention as the points. A circle
// of node N and inclination i holds the points with tan(latitude) = tan i sin(longitude - N)
// (longitudes as given, west positive); the two points fix N, then i, which may come out
// negative (the same circle as N + pi and -i). Where the node's offset from the first point comes
// out 0 (a first point on the equator, or two points on one meridian) it is held at 1e-8 radian.
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
