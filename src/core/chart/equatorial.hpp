#pragma once

// Right ascension and declination of an ecliptic direction, for the maps.

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
