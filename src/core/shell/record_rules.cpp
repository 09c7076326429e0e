#include "shell/record_rules.hpp"

#include "shell/utf8_text.hpp"

#include <cctype>

namespace astrodesk {

namespace {

// True when the answer is as long as the pattern and has, place by place, a digit where the
// pattern has '9', any character where it has '@' (a direction letter the caller checks) and
// the pattern's own character everywhere else.
bool FitsPattern(std::string_view answer, std::string_view pattern) {
    if (answer.size() != pattern.size()) return false;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const bool isDigit = std::isdigit(static_cast<unsigned char>(answer[at])) != 0;
        if (pattern[at] == '9' ? !isDigit : pattern[at] != '@' && pattern[at] != answer[at])
            return false;
    }
    return true;
}

// The value of a group of digits already known to be digits.
int DigitsValue(std::string_view answer, std::size_t first, std::size_t length) {
    int value = 0;
    for (char digit : answer.substr(first, length))
        value = 10 * value + (digit - '0');
    return value;
}

bool IsLetterOf(char letter, char first, char second) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    return upper == first || upper == second;
}

// Degrees, a direction letter and minutes: "DD@MM" or "DDD@MM".
bool IsPlaceText(std::string_view answer, std::string_view pattern, int maxDegrees, char first,
                 char second) {
    if (!FitsPattern(answer, pattern)) return false;
    const std::size_t letterAt = pattern.find('@');
    return IsLetterOf(answer[letterAt], first, second) &&
           DigitsValue(answer, 0, letterAt) <= maxDegrees &&
           DigitsValue(answer, letterAt + 1, 2) <= 60; // 60 minutes pass, as typed
}

std::optional<std::string> Kept(std::string_view answer, bool accepted) {
    if (!accepted) return std::nullopt;
    return std::string(answer);
}

} // namespace

std::optional<std::string> AcceptName(std::string_view answer) {
    return Kept(answer, !answer.empty() && IsPrintableUtf8(answer));
}

std::optional<std::string> AcceptDate(std::string_view answer) {
    if (!FitsPattern(answer, "99-99-9999")) return std::nullopt;
    const int day = DigitsValue(answer, 0, 2);
    const int month = DigitsValue(answer, 3, 2);
    const int year = DigitsValue(answer, 6, 4);
    return Kept(answer, day >= 1 && day <= 31 && month >= 1 && month <= 12 && year != 0);
}

std::optional<std::string> AcceptTime(std::string_view answer) {
    if (!FitsPattern(answer, "99:99:99")) return std::nullopt;
    return Kept(answer, DigitsValue(answer, 0, 2) <= 23 && DigitsValue(answer, 3, 2) <= 59 &&
                            DigitsValue(answer, 6, 2) <= 59);
}

std::optional<std::string> AcceptLatitude(std::string_view answer) {
    return Kept(answer, IsPlaceText(answer, "99@99", 89, 'N', 'S'));
}

std::optional<std::string> AcceptLongitude(std::string_view answer) {
    return Kept(answer, IsPlaceText(answer, "999@99", 179, 'E', 'W'));
}

std::optional<EraChoice> AcceptEra(std::string_view answer) {
    if (answer.empty()) return std::nullopt;
    if (answer.front() == 'A') return EraChoice{EraTextOf(0), 0};
    if (answer.front() == 'B') return EraChoice{EraTextOf(1), 1};
    return std::nullopt;
}

std::string EraTextOf(std::int16_t era) {
    return era == 1 ? "B.C." : "A.D.";
}

} // namespace astrodesk
