#pragma once

// Reading numbers out of the fixed-position texts of the chart record, and the two-digit fields
// of the listings.

#include <string>
#include <string_view>

namespace astrodesk {

// The number at the start of a text: leading blanks are skipped, an optional sign and the
// digits that follow are taken, anything after them is ignored. A blank or non-numeric text
// reads as 0, and leading zeros are fine ("0044" is 44).
double LeadingNumber(std::string_view text);

// Makes text its last two characters, zero-padded when their number is below 10 ("7" becomes
// "07", "123" becomes "23"); changes text in place and returns it.
std::string TwoDigitText(std::string& text);

} // namespace astrodesk
