#pragma once

// Place names folded for searching, so that a name is found however its accents and case are
// typed: "Zürich" and "Zurich", "Tromsø" and "Tromso", "MALMÖ" and "malmo" fold alike.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

// The folded text and the byte offsets in it where its words begin.
struct FoldedText {
    std::string text;
    std::vector<std::uint32_t> wordStarts;
};

// Lower case, marks and accents removed from the Latin letters (the base letter of the Unicode
// canonical decomposition, or its plain Latin spelling: ø o, ł l, đ d, ß ss, æ ae, þ th),
// apostrophes dropped (a word begins after one: "L'Aquila" is found as "Aquila" and "Laquila"),
// every other run of blanks, hyphens and punctuation one blank, none at either end. Other
// scripts are kept as written, bytes that are not UTF-8 as they are.
FoldedText FoldedForSearch(std::string_view utf8);

// True when the folded `prefix` begins at one of the word starts of `folded`.
bool BeginsAWord(const FoldedText& folded, std::string_view prefix);

} // namespace astrodesk
