#pragma once

// The program's text is UTF-8: names are the user's own ("Zoë Müller", "Παπαδόπουλος") and the
// listings carry the degree sign. Columns, cuts and widths count characters (code points), never
// bytes, and never split one.

#include <cstddef>
#include <string>
#include <string_view>

namespace astrodesk {

// The degree sign, U+00B0.
inline constexpr char kDegreeSign[] = "\u00B0";

// The code point starting at text[at] and its byte length; length 0 when the bytes there are not
// well-formed UTF-8 (a stray continuation byte, an overlong form, a surrogate, a value above
// U+10FFFF, a sequence cut short).
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};
Decoded DecodeAt(std::string_view text, std::size_t at);

// Characters in a UTF-8 text (a byte that starts no character counts as one).
std::size_t CharacterCount(std::string_view text);

// The first `count` characters of a text, or all of it when it is shorter.
std::string_view FirstCharacters(std::string_view text, std::size_t count);

// The byte length of the first `count` characters.
std::size_t BytesOfCharacters(std::string_view text, std::size_t count);

// True when the text is well-formed UTF-8 of characters that may stand in a name: no control
// character (U+0000..U+001F, U+007F..U+009F) and no noncharacter U+FFFE or U+FFFF, so that every
// name can be written into a listing line, a terminal or an XML document.
bool IsPrintableUtf8(std::string_view text);
// The byte offset of the first character that makes a text not printable as above (or of the
// first byte that is not well-formed UTF-8); npos when there is none.
std::size_t FirstUnprintable(std::string_view text);

// Without blanks, tabs and line ends at either end.
std::string Trimmed(std::string_view text);

// The text with every control character, and every byte that is not part of well-formed UTF-8,
// written as an escape (\n, \t, \x01), for echoing a value the user gave in a message.
std::string EscapedForMessage(std::string_view text);

} // namespace astrodesk
