#include "astro/place_text.hpp"

#include "astro/angles.hpp"
#include "astro/number_text.hpp"

namespace astrodesk {

namespace {

// Degrees in the first characters plus minutes in the last two, negated when the direction
// letter at letterAt is the negative one (in either case).
double DegreesFromText(std::string_view text, std::size_t letterAt, char negativeLetter) {
    const double degrees = LeadingNumber(text.substr(0, letterAt));
    const double minutes = LeadingNumber(text.substr(text.size() < 2 ? 0 : text.size() - 2));
    const bool negative = letterAt < text.size() && (text[letterAt] == negativeLetter ||
                                                     text[letterAt] == negativeLetter - 'A' + 'a');
    const double sign = negative ? -1.0 : 1.0;
    return sign * degrees + sign * minutes / 60.0;
}

} // namespace

double LatitudeFromText(std::string_view text) {
    const double latitude = DegToRad(DegreesFromText(text, 2, 'S'));
    return latitude == 0.0 ? 1e-8 : latitude;
}

double LongitudeWestFromText(std::string_view text) {
    return DegreesFromText(text, 3, 'E');
}

} // namespace astrodesk
