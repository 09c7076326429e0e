#pragma once

// The rules of the birth-data entry fields, one pure function per field. Each takes the answer
// as typed and gives back the value to store, or nothing when the answer is refused. An empty
// answer is refused by every rule; giving a field up is the caller's business.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace astrodesk {

// Any non-empty name of printable characters in UTF-8, kept whole: a line break, a tab or
// another control character, or bytes that are not UTF-8, are refused.
std::optional<std::string> AcceptName(std::string_view answer);

// "DD-MM-YYYY": day 01..31 (not checked against the month), month 01..12, year 0001..9999.
std::optional<std::string> AcceptDate(std::string_view answer);

// Greenwich time "HH:MM:SS": hours 00..23, minutes and seconds 00..59.
std::optional<std::string> AcceptTime(std::string_view answer);

// "DDSMM": degrees 00..89, N or S in either case, minutes 00..60; kept as typed.
std::optional<std::string> AcceptLatitude(std::string_view answer);

// "DDDSMM": degrees 000..179, E or W in either case, minutes 00..60; kept as typed.
std::optional<std::string> AcceptLongitude(std::string_view answer);

struct EraChoice {
    std::string EraText;       // "A.D." or "B.C."
    std::int16_t ChartEra = 0; // 0 = A.D., 1 = B.C.
};

// Any answer beginning with an upper-case "A" (A.D.) or "B" (B.C.).
std::optional<EraChoice> AcceptEra(std::string_view answer);
// The era's text of an era code: "B.C." for 1, else "A.D.".
std::string EraTextOf(std::int16_t era);

} // namespace astrodesk
