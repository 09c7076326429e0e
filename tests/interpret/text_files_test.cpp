// The interpretation texts shipped in data/ (or in the folder ASTRODESK_TEXT_DIR names): all 109
// files, each in its line layout and within the screen's 80 columns, every block with something
// to say, and few lines that repeat across the set once the names of planets, signs, houses,
// aspects and elements are blanked out (a block that only swaps names would show up there).

#include "support/text_layout.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace astrodesk::testing {
namespace {

constexpr std::size_t kMaxLines = 65;
constexpr std::size_t kMaxColumns = 80;
constexpr int kMinBlockLines = 2;
constexpr double kMaxRepeatedShare = 0.03;

std::filesystem::path ShippedTextFolder() {
    const char* folder = std::getenv("ASTRODESK_TEXT_DIR");
    return folder ? folder : ASTRODESK_SOURCE_DATA_DIR;
}

// The file's lines; a last line end does not start another.
std::vector<std::string> FileLines(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

bool Blank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

// Words that a block may share with its neighbours in the set: bodies, signs and their
// adjectives, house ordinals, aspects, elements (each also with a plural "s").
bool IsSharedName(const std::string& word) {
    static const std::set<std::string> names = [] {
        std::istringstream words(
            "sun moon mercury venus earth mars jupiter saturn uranus neptune pluto zed ascendant "
            "midheaven aries taurus gemini cancer leo virgo libra scorpio sagittarius capricorn "
            "aquarius pisces solar lunar mercurial venusian martian jovian saturnine uranian "
            "neptunian plutonian arian taurean geminian leonine virgoan libran scorpionic "
            "sagittarian capricornian aquarian piscean first second third fourth fifth sixth "
            "seventh eighth ninth tenth eleventh twelfth 1st 2nd 3rd 4th 5th 6th 7th 8th 9th 10th "
            "11th 12th conjunction opposition trine square sextile semisextile inconjunct "
            "semisquare sesquisquare quincunx fire air water");
        return std::set<std::string>(std::istream_iterator<std::string>(words), {});
    }();
    const bool plural = word.size() > 1 && word.back() == 's';
    return names.contains(word) || (plural && names.contains(word.substr(0, word.size() - 1)));
}

// The line in lower case with every shared name (and "rising sign") as "#", and every run of
// characters other than letters and "#" as one blank.
std::string Normalised(const std::string& line) {
    static const std::regex risingSign(R"(\brising signs?\b)"), wordOrGap(R"(\w+|\W+)"),
        others("[^a-z#]+"), edges("^ | $");
    std::string lower(line);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    lower = std::regex_replace(lower, risingSign, "#");
    std::string marked;
    for (std::sregex_iterator it(lower.begin(), lower.end(), wordOrGap), end; it != end; ++it)
        marked += IsSharedName(it->str()) ? "#" : it->str();
    return std::regex_replace(std::regex_replace(marked, others, " "), edges, "");
}

TEST(ShippedTextsTest, EveryFileKeepsItsLayout) {
    const std::filesystem::path folder = ShippedTextFolder();
    const std::vector<TextFileLayout> layouts = InterpretationTextFiles();
    ASSERT_EQ(layouts.size(), 109u);
    for (const TextFileLayout& layout : layouts) {
        const std::filesystem::path path = folder / layout.name;
        if (!std::filesystem::is_regular_file(path)) {
            ADD_FAILURE() << layout.name << " is missing from " << folder;
            continue;
        }
        const std::vector<std::string> lines = FileLines(path);
        EXPECT_LE(lines.size(), kMaxLines) << layout.name;
        EXPECT_GE(lines.size(), static_cast<std::size_t>(layout.blocks.back().last)) << layout.name;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string& line = lines[k];
            EXPECT_LE(line.size(), kMaxColumns) << layout.name << ":" << k + 1;
            EXPECT_TRUE(
                std::all_of(line.begin(), line.end(), [](char c) { return c >= ' ' && c <= '~'; }))
                << layout.name << ":" << k + 1 << " is not plain printable ASCII";
        }
        for (const TextBlock& block : layout.blocks) {
            const auto first =
                lines.begin() + std::min<std::ptrdiff_t>(block.first - 1, std::ssize(lines));
            const auto last =
                lines.begin() + std::min<std::ptrdiff_t>(block.last, std::ssize(lines));
            EXPECT_GE(std::count_if(first, last, [](const std::string& l) { return !Blank(l); }),
                      kMinBlockLines)
                << layout.name << " lines " << block.first << "-" << block.last;
        }
    }
}

TEST(ShippedTextsTest, FewLinesRepeatOnceNamesAreBlanked) {
    const std::filesystem::path folder = ShippedTextFolder();
    std::map<std::string, std::vector<std::string>> places; // normalised line: file:line
    std::size_t total = 0;
    for (const TextFileLayout& layout : InterpretationTextFiles()) {
        const std::vector<std::string> lines = FileLines(folder / layout.name);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (Blank(lines[k])) continue;
            ++total;
            places[Normalised(lines[k])].push_back(layout.name + ":" + std::to_string(k + 1));
        }
    }
    ASSERT_GT(total, 0u) << "no texts in " << folder;
    std::size_t repeated = 0;
    std::ostringstream examples;
    for (const auto& [line, where] : places) {
        if (where.size() < 2) continue;
        repeated += where.size();
        examples << "  x" << where.size() << " '" << line << "' at " << where[0] << ", " << where[1]
                 << '\n';
    }
    EXPECT_LT(static_cast<double>(repeated) / static_cast<double>(total), kMaxRepeatedShare)
        << repeated << " of " << total << " lines repeat:\n"
        << examples.str();
}

// The blanking itself, on lines whose repetition must or must not be seen.
TEST(ShippedTextsTest, BlankingHidesOnlyTheNames) {
    EXPECT_EQ(Normalised("The Sun's warmth in Leo, the 5th house."),
              Normalised("the moon's warmth in PISCES, the twelfth house"));
    EXPECT_EQ(Normalised("A rising sign of Aries -- first impressions."), "a # of # # impressions");
    EXPECT_NE(Normalised("Mars acts quickly."), Normalised("Mars waits patiently."));
    EXPECT_EQ(Normalised("Marsh land"), "marsh land");
}

} // namespace
} // namespace astrodesk::testing
