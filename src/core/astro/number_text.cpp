#include "astro/number_text.hpp"

namespace astrodesk {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double LeadingNumber(std::string_view text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return 0.0;
    double sign = 1.0;
    if (text[at] == '-' || text[at] == '+') {
        sign = text[at] == '-' ? -1.0 : 1.0;
        ++at;
    }
    // A double holds any digit run without overflow; the fields are at most four digits long.
    double value = 0.0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        value = 10.0 * value + (text[at] - '0');
    return sign * value;
}

std::string TwoDigitText(std::string& text) {
    if (text.size() > 2) text.erase(0, text.size() - 2);
    if (LeadingNumber(text) < 10.0) text = text.empty() ? "0" : std::string{'0', text.back()};
    return text;
}

} // namespace astrodesk
