#include "library/record_text.hpp"

#include <cstdlib>

namespace astrodesk {

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;
         start = at + 1)
        pieces.emplace_back(text.substr(start, at - start));
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::vector<std::string> TrimmedFields(std::string_view text) {
    std::vector<std::string> fields = SplitAt(text, ',');
    for (std::string& field : fields)
        field = Trimmed(field);
    return fields;
}

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines = SplitAt(text, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back(); // the last line's end
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    return lines;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    return line;
}

std::optional<int> WholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return std::atoi(std::string(text).c_str());
}

std::optional<double> DecimalNumber(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 9 || whole.find_first_not_of("0123456789") != whole.npos ||
        fraction.find_first_not_of("0123456789") != fraction.npos)
        return std::nullopt;
    return std::strtod(std::string(text).c_str(), nullptr);
}

} // namespace astrodesk
