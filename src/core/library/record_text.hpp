#pragma once

// Small text helpers shared by the chart file readers and writers.

#include "shell/utf8_text.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

// The pieces between the separators, untrimmed.
std::vector<std::string> SplitAt(std::string_view text, char separator);
// The comma-separated fields, each trimmed.
std::vector<std::string> TrimmedFields(std::string_view text);
// The lines, without their "\n" or "\r\n".
std::vector<std::string> LinesOf(std::string_view text);
// Line breaks and tabs as blanks, for a field that must stay on one line.
std::string OneLine(std::string_view text);
// A whole number of at most 9 digits, nothing else; or nothing.
std::optional<int> WholeNumber(std::string_view text);
// A decimal number such as "2392758.526528" (digits, at most one point); or nothing.
std::optional<double> DecimalNumber(std::string_view text);

} // namespace astrodesk
