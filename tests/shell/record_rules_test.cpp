#include "shell/record_rules.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

using Rule = std::optional<std::string> (*)(std::string_view);

// Accepted answers are kept exactly as typed; refused ones give nothing.
void ExpectVerdicts(Rule rule, std::initializer_list<const char*> accepted,
                    std::initializer_list<const char*> refused) {
    for (const char* answer : accepted)
        EXPECT_EQ(rule(answer), answer) << answer;
    for (const char* answer : refused)
        EXPECT_EQ(rule(answer), std::nullopt) << answer;
}

TEST(RecordRules, EachFieldKeepsItsFormAndRanges) {
    ExpectVerdicts(AcceptName,
                   {"A", "A NAME LONGER THAN TWENTY-FIVE CHARACTERS", "Zoë Müller", "José Ñúñez",
                    "Παπαδόπουλος", "李小龍 & 🌟"},
                   {"", "TWO\nLINES", "TAB\tBED", "\x01", "DEL\x7F", "C1 \xC2\x85", "CUT \xC3",
                    "LATIN-1 Z\xEB", "\xEF\xBF\xBE", "OVERLONG \xC0\xAF",
                    "SURROGATE \xED\xA0\x80"});
    ExpectVerdicts(AcceptDate, {"29-02-1999", "31-04-2000", "01-01-0001", "10-02-9999"},
                   {"32-01-2000", "00-05-2000", "10-13-2000", "10-00-2000", "10/02/1993",
                    "1-2-1993", "10-02-0000", "10-02-199a", ""});
    ExpectVerdicts(AcceptTime, {"23:59:59", "00:00:00"},
                   {"24:00:00", "12:60:00", "12:00:60", "12-00-00", "1:00:00", ""});
    ExpectVerdicts(AcceptLatitude, {"89S60", "51n32", "07S59", "00N00"},
                   {"90N00", "51E32", "51N61", "5N32", "51N320", "5AN32"});
    ExpectVerdicts(AcceptLongitude, {"179w60", "002W13", "100E42"},
                   {"180E00", "002N13", "002W61", "02W13", "0O2W13"});
}

TEST(RecordRules, EraTakesAnUpperCaseFirstLetter) {
    for (auto [answer, text, code] :
         {std::tuple{"A", "A.D.", 0}, {"ANNO", "A.D.", 0}, {"B", "B.C.", 1}, {"BC", "B.C.", 1}}) {
        const auto era = AcceptEra(answer);
        ASSERT_TRUE(era) << answer;
        EXPECT_EQ(era->EraText, text);
        EXPECT_EQ(era->ChartEra, code);
    }
    for (const char* answer : {"a.d.", "b", "C", " A", ""})
        EXPECT_FALSE(AcceptEra(answer)) << answer;
}

} // namespace
} // namespace astrodesk
