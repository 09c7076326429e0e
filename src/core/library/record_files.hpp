#pragma once

// Charts in files: AAF (the astrological data exchange format), CSV with a header row, and JSON
// (an array of record objects, or one object a line). Each reader turns a file's text into one
// reading per record, in the file's order: the chart, or the line and field at fault and why.
// The readers write nothing; the writers give text that reads back to the same charts.

#include "atlas/atlas.hpp"
#include "library/kept_chart.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

struct RecordReading {
    int line = 0;      // where the record begins in its file, counting from 1
    std::string input; // the record's first line as read (a JSON record: the object)
    std::optional<KeptChart> chart;
    std::string field; // when refused: the field at fault ("date", "#B93 latitude")
    std::string error; // when refused: why
};

// The file formats by name: "aaf", "csv", "json".
enum class RecordFormat { Aaf, Csv, Json };
// The format named by a file's extension or a --format value; nothing for another.
std::optional<RecordFormat> RecordFormatNamed(std::string_view extensionOrName);

// A file's bytes as UTF-8: UTF-8 as it is (without a byte-order mark), anything else read as
// Windows-1252 (Latin-1 with the printer's quotes and dashes in 0x80..0x9F).
std::string TextAsUtf8(std::string_view bytes);

// AAF: #A93 (civil data), #B93 (Julian Day, place, zone, daylight saving), #ZNAM, #COM, #SRC;
// other chunks are passed over. The Julian Day decides the moment; without it the local time
// with the record's zone, or with the atlas's zone of the place (local mean time before the
// zone kept standard time). `text` may be Latin-1 or UTF-8.
std::vector<RecordReading> ReadAafRecords(std::string_view text, const Atlas& atlas);
std::vector<RecordReading> ReadCsvRecords(std::string_view text);
std::vector<RecordReading> ReadJsonRecords(std::string_view text);
std::vector<RecordReading> ReadRecords(RecordFormat format, std::string_view text,
                                       const Atlas& atlas);

std::string AafText(const std::vector<KeptChart>& charts);
std::string CsvText(const std::vector<KeptChart>& charts);
// JSON: with JsonIds::First, each record object begins with its chart's "id" (the listing's form).
enum class JsonIds { None, First };
std::string JsonText(const std::vector<KeptChart>& charts, JsonIds ids = JsonIds::None);
std::string RecordsText(RecordFormat format, const std::vector<KeptChart>& charts);

// The CSV columns, in the order the writer puts them; the reader takes them in any order and
// needs the first six.
extern const std::vector<std::string> kCsvColumns;

} // namespace astrodesk
