#include "interpret/text_reader.hpp"

#include "shell/utf8_text.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace astrodesk {

namespace {

std::string UpperCase(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// Why a line cannot be shown as it stands, or empty when it can.
std::string Damage(std::string_view line) {
    const std::size_t at = FirstUnprintable(line);
    if (at == std::string_view::npos) return {};
    const Decoded decoded = DecodeAt(line, at);
    const char* what = decoded.length == 0      ? "BYTES THAT ARE NOT UTF-8"
                       : decoded.code >= 0xFFFE ? "A NONCHARACTER"
                                                : "A CONTROL CHARACTER";
    return std::string(what) + " (" +
           EscapedForMessage(line.substr(at, std::max<std::size_t>(decoded.length, 1))) +
           ") AT COLUMN " + std::to_string(CharacterCount(line.substr(0, at)) + 1);
}

[[noreturn]] void Fault(const std::string& name, const std::string& problem) {
    throw TextFileFault("THE TEXT FILE " + name + " " + problem);
}

} // namespace

const std::vector<std::string>& TextFiles::Lines(const std::string& name) {
    if (const auto known = read_.find(name); known != read_.end()) return known->second;
    return read_.emplace(name, Read(name)).first->second;
}

std::vector<std::string> TextFiles::Read(const std::string& name) const {
    const auto path = files_.Find(name);
    if (!path) {
        const NotAFile found = files_.WhyNotFound(name);
        if (found.kind != FileKind::Missing)
            Fault(name, UpperCase(std::string(FileKindPhrase(found.kind))) + " (" +
                            EscapedForMessage(found.path.string()) + ")");
        Fault(name, "IS MISSING: IT BELONGS IN THE CURRENT FOLDER, BESIDE THE PROGRAM OR IN THE "
                    "INSTALLED DATA FOLDER");
    }
    std::ifstream file(*path, std::ios::binary);
    if (!file.is_open()) Fault(name, "CANNOT BE READ");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (lines.size() == kTextFileMaxLines)
            Fault(name, "HAS MORE THAN " + std::to_string(kTextFileMaxLines) + " LINES");
        if (!line.empty() && line.back() == '\r') line.pop_back(); // written on DOS
        if (const std::string damage = Damage(line); !damage.empty())
            Fault(name,
                  "IS DAMAGED: LINE " + std::to_string(lines.size() + 1) + " HOLDS " + damage);
        lines.push_back(std::move(line));
    }
    if (file.bad()) Fault(name, "CANNOT BE READ");
    return lines;
}

} // namespace astrodesk
