#include "atlas/text_folding.hpp"

#include "shell/utf8_text.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace astrodesk {

namespace {

// The base letter of each code point of a block, '.' where there is none: from the canonical
// decompositions of the Unicode Character Database, completed by the plain Latin letter of the
// letters that have none (ø o, đ d, ł l, ı i, ə e, ħ h, ŧ t).
struct LetterBlock {
    char32_t first;
    std::string_view letters;
};

// Latin-1 Supplement letters, Latin Extended-A and Latin Extended-B, U+00C0 to U+024F.
constexpr std::string_view kLatinLetters =
    "aaaaaa.ceeeeiiiidnooooo.ouuuuy..aaaaaa.ceeeeiiiidnooooo.ouuuuy.y"
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii..jjkkklllllll"
    "lllnnnnnn.nnoooooo..rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs"
    "bbbbbb.cc.ddd.eeeffg...ikkl..nnooo..pp.....ttttuu.vyyzzzzz......"
    ".............aaiioouuuuuuuuuueaaaa..ggggkkoooozzj...gg..nnaa..oo"
    "aaaaeeeeiiiioooorrrruuuussttyyhh.d..zzaaeeooooooooyylntj..acclts"
    "z..bu.eejj..rryy";
// Latin Extended Additional, U+1E00 to U+1EFF (Vietnamese and transliterations).
constexpr std::string_view kLatinAdditionalLetters =
    "aabbbbbbccddddddddddeeeeeeeeeeffgghhhhhhhhhhiiiikkkkkkllllllllmm"
    "mmmmnnnnnnnnoooooooopppprrrrrrrrssssssssssttttttttuuuuuuuuuuvvvv"
    "wwwwwwwwwwxxxxyyzzzzzzhtwy......aaaaaaaaaaaaaaaaaaaaaaaaeeeeeeee"
    "eeeeeeeeiiiioooooooooooooooooooooooouuuuuuuuuuuuuuyyyyyyyy......";
constexpr std::array<LetterBlock, 2> kLetterBlocks = {LetterBlock{0x00C0, kLatinLetters},
                                                      LetterBlock{0x1E00, kLatinAdditionalLetters}};

// Letters spelled with two in plain Latin.
constexpr std::array<std::pair<char32_t, std::string_view>, 23> kTwoLetterSpellings = {{
    {0x00C6, "ae"}, {0x00DE, "th"}, {0x00DF, "ss"}, {0x00E6, "ae"}, {0x00FE, "th"}, {0x0132, "ij"},
    {0x0133, "ij"}, {0x0152, "oe"}, {0x0153, "oe"}, {0x01C4, "dz"}, {0x01C5, "dz"}, {0x01C6, "dz"},
    {0x01C7, "lj"}, {0x01C8, "lj"}, {0x01C9, "lj"}, {0x01CA, "nj"}, {0x01CB, "nj"}, {0x01CC, "nj"},
    {0x01E2, "ae"}, {0x01E3, "ae"}, {0x01FC, "ae"}, {0x01FD, "ae"}, {0x1E9E, "ss"},
}};

bool IsApostrophe(char32_t code) {
    return code == U'\'' || code == U'`' || code == 0x2018 || code == 0x2019 || code == 0x02BC;
}

// Combining diacritical marks, U+0300 to U+036F: dropped with the accents they write.
bool IsCombiningMark(char32_t code) {
    return code >= 0x0300 && code <= 0x036F;
}

// The plain Latin spelling of a letter, empty when it has none.
std::string_view PlainSpelling(char32_t code) {
    static constexpr std::string_view kAscii = "abcdefghijklmnopqrstuvwxyz0123456789";
    if (code >= U'a' && code <= U'z') return kAscii.substr(code - U'a', 1);
    if (code >= U'A' && code <= U'Z') return kAscii.substr(code - U'A', 1);
    if (code >= U'0' && code <= U'9') return kAscii.substr(26 + code - U'0', 1);
    const auto spelled = std::find_if(kTwoLetterSpellings.begin(), kTwoLetterSpellings.end(),
                                      [code](const auto& entry) { return entry.first == code; });
    if (spelled != kTwoLetterSpellings.end()) return spelled->second;
    for (const LetterBlock& block : kLetterBlocks)
        if (code >= block.first && code - block.first < block.letters.size() &&
            block.letters[code - block.first] != '.')
            return block.letters.substr(code - block.first, 1);
    return {};
}

// True for the characters that separate words: ASCII blanks and punctuation, the general
// punctuation block (dashes, quotation marks) and the Latin-1 signs.
bool IsSeparator(char32_t code) {
    return (code < 0x80 && PlainSpelling(code).empty()) || (code >= 0xA0 && code <= 0xBF) ||
           code == 0xD7 || code == 0xF7 || (code >= 0x2000 && code <= 0x206F);
}

// Appends folded text word by word: a blank is written only between two words.
class FoldedWriter {
  public:
    void Append(std::string_view letters) {
        if (newWord_) {
            if (blank_ && !folded_.text.empty()) folded_.text += ' ';
            folded_.wordStarts.push_back(static_cast<std::uint32_t>(folded_.text.size()));
        }
        newWord_ = blank_ = false;
        folded_.text += letters;
    }
    void EndWord() { newWord_ = blank_ = true; }
    void EndWordWithoutBlank() { newWord_ = true; }
    FoldedText Take() { return std::move(folded_); }

  private:
    FoldedText folded_;
    bool newWord_ = true;
    bool blank_ = false;
};

} // namespace

FoldedText FoldedForSearch(std::string_view utf8) {
    FoldedWriter writer;
    for (std::size_t at = 0; at < utf8.size();) {
        const Decoded decoded = DecodeAt(utf8, at);
        if (decoded.length == 0) { // not UTF-8: kept as it is
            writer.Append(utf8.substr(at, 1));
            ++at;
            continue;
        }
        const char32_t code = decoded.code;
        if (IsApostrophe(code))
            writer.EndWordWithoutBlank();
        else if (IsSeparator(code))
            writer.EndWord();
        else if (const std::string_view plain = PlainSpelling(code); !plain.empty())
            writer.Append(plain);
        else if (!IsCombiningMark(code))
            writer.Append(utf8.substr(at, decoded.length));
        at += decoded.length;
    }
    return writer.Take();
}

bool BeginsAWord(const FoldedText& folded, std::string_view prefix) {
    return std::any_of(folded.wordStarts.begin(), folded.wordStarts.end(), [&](std::uint32_t at) {
        return std::string_view(folded.text).substr(at).starts_with(prefix);
    });
}

} // namespace astrodesk
