#pragma once

// JSON written straight into one text, without a document tree: the batch writes a chart of some
// 4 kB for every record, and building a tree of nodes for each costs more than the chart itself.
// Compact form (no spaces); numbers as the shortest text that reads back to the same double, a
// number that is not finite as null, strings escaped and invalid UTF-8 replaced by U+FFFD.

#include <concepts>
#include <string>
#include <string_view>

namespace astrodesk::cli {

class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The name of the next member of the open object.
    JsonWriter& Key(std::string_view name);

    JsonWriter& Value(double number);
    JsonWriter& Value(bool truth);
    JsonWriter& Value(std::string_view text);
    JsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
    JsonWriter& Value(std::integral auto number) {
        Separate();
        text_ += std::to_string(number);
        return Written();
    }
    JsonWriter& Null();

    // A member of the open object: its name, then its value.
    template <typename T> JsonWriter& Member(std::string_view name, const T& value) {
        return Key(name).Value(value);
    }

    const std::string& Text() const { return text_; }

  private:
    void Separate();
    JsonWriter& Written();
    void Quoted(std::string_view text);

    std::string text_;
    bool valueBefore_ = false; // the open object or array already holds a value: a comma next
};

} // namespace astrodesk::cli
