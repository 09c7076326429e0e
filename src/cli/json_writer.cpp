#include "json_writer.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace astrodesk::cli {

void JsonWriter::Separate() {
    if (valueBefore_) text_ += ',';
    valueBefore_ = false;
}

JsonWriter& JsonWriter::Written() {
    valueBefore_ = true;
    return *this;
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    text_ += '{';
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    text_ += '}';
    return Written();
}

JsonWriter& JsonWriter::BeginArray() {
    Separate();
    text_ += '[';
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    text_ += ']';
    return Written();
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    Separate();
    Quoted(name);
    text_ += ':';
    return *this;
}

JsonWriter& JsonWriter::Value(double number) {
    if (!std::isfinite(number)) return Null();
    Separate();
    std::array<char, 32> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    const std::string_view written(digits.data(), static_cast<std::size_t>(end - digits.data()));
    text_ += written;
    // A whole number keeps its point, so that a reader still takes it for a double.
    if (written.find_first_of(".e") == std::string_view::npos) text_ += ".0";
    return Written();
}

JsonWriter& JsonWriter::Value(bool truth) {
    Separate();
    text_ += truth ? "true" : "false";
    return Written();
}

JsonWriter& JsonWriter::Value(std::string_view text) {
    Separate();
    Quoted(text);
    return Written();
}

JsonWriter& JsonWriter::Null() {
    Separate();
    text_ += "null";
    return Written();
}

void JsonWriter::Quoted(std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\'; // printable ASCII
    });
    if (plain) {
        text_ += '"';
        text_ += text;
        text_ += '"';
        return;
    }
    // Escapes and UTF-8 checks, rare in a chart's texts, as the JSON library does them.
    text_ += nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace astrodesk::cli
