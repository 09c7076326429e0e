#pragma once

// Right ascension and declination of an ecliptic direction, for the maps.
//
// Source: the rotation about the equinox by the obliquity (J. Meeus, Astronomical Algorithms, 2nd
// ed., 1998, formula 13.3), with the IAU 1976 mean obliquity 23 deg 26' 21.448" - 46.815" T
// - 0.00059" T^2 + 0.001813" T^3 (J. H. Lieske et al., Astron. Astrophys. 58, 1, 1977; T from
// J2000).

namespace astrodesk {

struct EquatorialPlace {
    double EquatorialRA = 0.0;        // radians, 0..2 pi
    double EquatorialDec = 0.0;       // radians, -pi/2..pi/2
    double EquatorialObliquity = 0.0; // radians, the mean obliquity used
};

// Turns ecliptic longitude and latitude (radians) into equatorial coordinates with the mean
// obliquity of the J2000 polynomial at julianCenturies (counted from J2000), not the chart's
// own obliquity.
EquatorialPlace EclipticToEquatorial(double longitude, double latitude, double julianCenturies);

} // namespace astrodesk
