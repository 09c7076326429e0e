#include "maps/map_file.hpp"

#include "maps/map_areas.hpp"
#include "shell/utf8_text.hpp"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <sstream>

namespace astrodesk {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

// A decimal whole number with an optional sign; nothing for any other item. Values beyond the
// range of long come out as that range's ends.
std::optional<long> WholeNumber(std::string_view item) {
    const bool negative = !item.empty() && item.front() == '-';
    if (!item.empty() && (item.front() == '-' || item.front() == '+')) item.remove_prefix(1);
    if (item.empty() || item.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    long value = 0;
    if (std::from_chars(item.data(), item.data() + item.size(), value).ec != std::errc{})
        value = std::numeric_limits<long>::max();
    return negative ? -value : value;
}

// Walks through the values of a map file, counting lines for messages.
class MapFileReader {
  public:
    MapFileReader(std::string_view text, const std::string& fileName)
        : text_(text), fileName_(fileName) {}

    // The next value, which is value `index` (0 or 1) of record `record`.
    std::int16_t Next(int record, int index) {
        while (position_ < text_.size() && IsSeparator(text_[position_]))
            if (text_[position_++] == '\n') ++line_;
        if (position_ == text_.size()) {
            std::ostringstream message;
            message << fileName_ << " ends in record " << record << ": a map file holds "
                    << kMapRecords << " records of two numbers";
            throw DataFileError(EscapedForMessage(message.str())); // damaged bytes as escapes
        }
        const std::size_t start = position_;
        while (position_ < text_.size() && !IsSeparator(text_[position_]))
            ++position_;
        const std::string_view item = text_.substr(start, position_ - start);
        const std::optional<long> value = WholeNumber(item);
        if (!value)
            Fail(record, index,
                 "\"" + std::string(item.substr(0, 24)) + "\" is not a whole number");
        if (*value < std::numeric_limits<std::int16_t>::min() ||
            *value > std::numeric_limits<std::int16_t>::max())
            Fail(record, index, std::string(item.substr(0, 24)) + " is outside -32768..32767");
        return static_cast<std::int16_t>(*value);
    }

  private:
    [[noreturn]] void Fail(int record, int index, const std::string& problem) const {
        std::ostringstream message;
        message << fileName_ << ", record " << record << " (line " << line_ << "), "
                << (index == 0 ? "first" : "second") << " value: " << problem;
        throw DataFileError(EscapedForMessage(message.str())); // damaged bytes as escapes
    }

    std::string_view text_;
    const std::string& fileName_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

// The records of a map file's text; `shownName` names the file in messages.
MapTables ReadRecords(std::string_view text, const std::string& shownName) {
    MapFileReader reader(text, shownName);
    MapTables read;
    for (int record = 1; record <= kMapRecords; ++record) {
        read.MapCoord1[record] = reader.Next(record, 0);
        read.MapCoord2[record] = reader.Next(record, 1);
    }
    return read;
}

void Keep(const MapTables& read, const std::string& fileName, MapTables& tables) {
    tables.MapCoord1 = read.MapCoord1;
    tables.MapCoord2 = read.MapCoord2;
    tables.LoadedMapFile = fileName;
}

} // namespace

void ParseMapFile(std::string_view text, const std::string& fileName, MapTables& tables) {
    Keep(ReadRecords(text, fileName), fileName, tables);
}

void LoadMapFile(const DataFiles& files, const std::string& fileName, MapTables& tables) {
    const DataFileText file = ReadDataFile(files, fileName);
    Keep(ReadRecords(file.text, file.shownName), fileName, tables);
}

} // namespace astrodesk
