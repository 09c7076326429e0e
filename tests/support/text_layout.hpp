#pragma once

// The 109 interpretation text files and the blocks of lines the report takes from each, written
// out from the files' layout on their own (not from the report's code), for the tests that make
// text files and for the check of the shipped ones.

#include <array>
#include <string>
#include <vector>

namespace astrodesk::testing {

struct TextBlock {
    int first, last; // 1-based, inclusive
};

struct TextFileLayout {
    std::string name;
    std::vector<TextBlock> blocks;
};

// Factor codes in the interpretation order.
inline constexpr std::array<const char*, 12> kFactorCodes = {
    "SUN", "MON", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU", "ZED", "ASC"};

inline std::vector<TextBlock> EvenBlocks(int count, int size) {
    std::vector<TextBlock> blocks;
    for (int b = 0; b < count; ++b)
        blocks.push_back({size * b + 1, size * b + size});
    return blocks;
}

inline std::vector<TextFileLayout> InterpretationTextFiles() {
    std::vector<TextFileLayout> files{{"PREAMBLE.TXT", {{1, 11}, {12, 26}}}};
    for (const char* element : {"FIRE", "EARTH", "AIR", "WATER"})
        files.push_back({std::string(element) + ".TXT", EvenBlocks(5, 12)});
    files.push_back({"PLANET.TXT", EvenBlocks(12, 5)});
    files.push_back({"HOUSES.TXT", EvenBlocks(12, 5)});
    for (const char* number : {"1", "2", "3"}) {
        files.push_back({std::string("ASCEND") + number + ".TXT", EvenBlocks(4, 15)});
        for (std::size_t f = 0; f + 1 < kFactorCodes.size(); ++f)
            files.push_back(
                {std::string(kFactorCodes[f]) + "SIGN" + number + ".TXT", EvenBlocks(4, 15)});
    }
    std::vector<TextBlock> aspectBlocks = EvenBlocks(5, 10);
    aspectBlocks.push_back({51, 55});
    aspectBlocks.push_back({56, 60});
    for (std::size_t i = 0; i < kFactorCodes.size(); ++i)
        for (std::size_t j = i + 1; j < kFactorCodes.size(); ++j)
            files.push_back(
                {std::string(kFactorCodes[i]) + kFactorCodes[j] + "AS.TXT", aspectBlocks});
    return files;
}

} // namespace astrodesk::testing
