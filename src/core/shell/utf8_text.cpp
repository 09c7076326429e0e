#include "shell/utf8_text.hpp"

#include <cstdint>
#include <cstdio>

namespace astrodesk {

namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

} // namespace

Decoded DecodeAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t code = 0, smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size()) return {};
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuationByte(byte)) return {};
        code = (code << 6) | (byte & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < smallest || code > 0x10FFFF || surrogate) return {};
    return {code, length};
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        if (!IsContinuationByte(static_cast<unsigned char>(c))) ++count;
    return count;
}

std::size_t BytesOfCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t taken = 0; taken < count && at < text.size(); ++taken) {
        ++at;
        while (at < text.size() && IsContinuationByte(static_cast<unsigned char>(text[at])))
            ++at;
    }
    return at;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    return text.substr(0, BytesOfCharacters(text, count));
}

std::size_t FirstUnprintable(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = DecodeAt(text, at);
        if (decoded.length == 0 || IsControl(decoded.code) || decoded.code == 0xFFFE ||
            decoded.code == 0xFFFF)
            return at;
        at += decoded.length;
    }
    return std::string_view::npos;
}

bool IsPrintableUtf8(std::string_view text) {
    return FirstUnprintable(text) == std::string_view::npos;
}

std::string Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

std::string EscapedForMessage(std::string_view text) {
    std::string escaped;
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = DecodeAt(text, at);
        if (decoded.length != 0 && !IsControl(decoded.code)) {
            escaped.append(text.substr(at, decoded.length));
            at += decoded.length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\t') {
            escaped += "\\t";
        } else if (byte == '\r') {
            escaped += "\\r";
        } else { // one byte at a time: a C1 control (two bytes) shows as two escapes
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            escaped += hex;
        }
        ++at;
    }
    return escaped;
}

} // namespace astrodesk
