#pragma once

// The records a batch charts, read one at a time: JSON Lines of record objects (the object that
// `chart --format json` prints under "record").

#include "library/record_files.hpp"
#include "record_options.hpp"

#include <cstddef>
#include <istream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace astrodesk::cli {

// A record as read: what its output line echoes as "input" (the line read, or the chart's id),
// and the record's fields as record options, or why it could not be read.
struct BatchItem {
    nlohmann::json input;
    std::variant<RecordArguments, std::string> record;
};

// The fields of a record object: "date", "time", "latitude" and "longitude" (texts as the entry
// form takes them) are needed, "name" and "era" may be left out; other members, such as
// the "place" and "effectiveJulianCenturies" that the chart's JSON adds, are not read.
std::variant<RecordArguments, std::string> RecordFromJson(std::string_view text);

// The records of an AAF or CSV file, each echoed by its first line (a refused one with its line
// number, field and reason), and the charts of the library, each echoed by its id.
std::vector<BatchItem> ItemsOfReadings(const std::vector<RecordReading>& readings);
std::vector<BatchItem> ItemsOfCharts(const std::vector<KeptChart>& charts);

// JSON Lines from a stream, one record object a line; blank lines are skipped.
class JsonLinesReader {
  public:
    explicit JsonLinesReader(std::istream& input) : input_(input) {}
    std::optional<BatchItem> Next();

  private:
    std::istream& input_;
    std::string line_;
};

// The number of records in a JSON Lines file (its lines that are not blank), or nothing when the
// file cannot be read twice (a pipe).
std::optional<std::size_t> CountJsonLines(const std::string& path);

} // namespace astrodesk::cli
