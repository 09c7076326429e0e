#pragma once

// Reading the place texts of the chart record: latitude "DDSMM" and longitude "DDDSMM", the
// direction letter in either case.

#include <string_view>

namespace astrodesk {

// Latitude in radians, north positive ("S" or "s" in the third place is south, any other
// letter north). Exactly 0 becomes 1e-8, so that the tangent of the latitude never vanishes.
double LatitudeFromText(std::string_view text);

// Longitude in degrees, west positive ("E" or "e" in the fourth place is east, any other
// letter west).
double LongitudeWestFromText(std::string_view text);

} // namespace astrodesk
