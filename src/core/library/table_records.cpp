// CSV and JSON chart files: both carry the library's fields by name, so one table of fields
// turns either into a chart and back.

#include "atlas/local_birth.hpp"
#include "library/record_files.hpp"
#include "library/record_text.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>

namespace astrodesk {

const std::vector<std::string> kCsvColumns = {
    "name",       "date",  "time",   "era",     "latitude", "longitude",  "local_date",
    "local_time", "place", "region", "country", "zone",     "utc_offset", "abbreviation",
    "kind",       "note",  "source", "added",   "changed"};

namespace {

using Fields = std::map<std::string, std::string>;
using json = nlohmann::ordered_json;

// The JSON keys of the fields within a record object, and within its "place" object.
constexpr std::array<std::pair<const char*, const char*>, 11> kRecordKeys = {
    {{"name", "name"},
     {"date", "date"},
     {"time", "time"},
     {"era", "era"},
     {"latitude", "latitude"},
     {"longitude", "longitude"},
     {"local_date", "localDate"},
     {"local_time", "localTime"},
     {"kind", "kind"},
     {"note", "note"},
     {"source", "source"}}};
constexpr std::array<std::pair<const char*, const char*>, 6> kPlaceKeys = {
    {{"place", "name"},
     {"region", "region"},
     {"country", "country"},
     {"zone", "zone"},
     {"utc_offset", "utcOffset"},
     {"abbreviation", "abbreviation"}}};

// "+01:00", "-05:00" or "+00:21:48": seconds east of Greenwich.
std::optional<int> OffsetSeconds(const std::string& text) {
    if (text.size() < 6 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const std::vector<std::string> parts = SplitAt(text.substr(1), ':');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    int seconds = 0, scale = 3600;
    for (const std::string& part : parts) {
        const auto value = WholeNumber(part);
        if (!value || part.size() != 2 || *value > 59 + (scale == 3600 ? 40 : 0))
            return std::nullopt;
        seconds += *value * scale;
        scale /= 60;
    }
    return text[0] == '-' ? -seconds : seconds;
}

// The chart of named fields, or the field at fault and why.
std::pair<std::optional<KeptChart>, FieldRefusal> ChartOfFields(Fields fields) {
    KeptChart chart;
    ChartRecord& r = chart.record;
    r.ChartName = fields["name"];
    r.ChartDate = fields["date"];
    r.ChartTime = fields["time"];
    r.ChartLatitude = fields["latitude"];
    r.ChartLongitude = fields["longitude"];
    const std::string& era = fields["era"];
    const std::optional<EraChoice> choice =
        era.empty() ? EraChoice{EraTextOf(0), 0} : AcceptEra(era);
    if (!choice) return {std::nullopt, {"era", "A.D. or B.C., not " + era}};
    r.EraText = choice->EraText;
    r.ChartEra = choice->ChartEra;
    if (const auto refusal = RecordRefusal(r)) return {std::nullopt, *refusal};
    chart.localDate = fields["local_date"];
    chart.localTime = fields["local_time"];
    if (!chart.localDate.empty() && !AcceptDate(chart.localDate))
        return {std::nullopt, {"local_date", "DD-MM-YYYY, not " + chart.localDate}};
    if (!chart.localTime.empty() && !AcceptTime(chart.localTime))
        return {std::nullopt, {"local_time", "HH:MM:SS, not " + chart.localTime}};
    if (const std::string& offset = fields["utc_offset"]; !offset.empty()) {
        chart.offset = OffsetSeconds(offset);
        if (!chart.offset) return {std::nullopt, {"utc_offset", "+HH:MM or -HH:MM, not " + offset}};
    }
    chart.placeName = fields["place"];
    chart.region = fields["region"];
    chart.country = fields["country"];
    chart.zone = fields["zone"];
    chart.abbreviation = fields["abbreviation"];
    chart.kind = fields["kind"];
    chart.note = fields["note"];
    chart.source = fields["source"];
    chart.added = fields["added"];
    chart.changed = fields["changed"];
    for (const auto& [field, value] : fields) // a note may hold line breaks
        if (field != "note" && !value.empty() && !IsPrintableUtf8(value))
            return {std::nullopt, {field, "UTF-8 text without control characters"}};
    return {chart, {}};
}

Fields FieldsOf(const KeptChart& chart) {
    const ChartRecord& r = chart.record;
    return {{"name", r.ChartName},
            {"date", r.ChartDate},
            {"time", r.ChartTime},
            {"era", EraTextOf(r.ChartEra)},
            {"latitude", r.ChartLatitude},
            {"longitude", r.ChartLongitude},
            {"local_date", chart.localDate},
            {"local_time", chart.localTime},
            {"place", chart.placeName},
            {"region", chart.region},
            {"country", chart.country},
            {"zone", chart.zone},
            {"utc_offset", chart.offset ? OffsetText(*chart.offset) : ""},
            {"abbreviation", chart.abbreviation},
            {"kind", chart.kind},
            {"note", chart.note},
            {"source", chart.source},
            {"added", chart.added},
            {"changed", chart.changed}};
}

RecordReading ReadingOf(int line, std::string input, std::optional<Fields> fields,
                        FieldRefusal refusal) {
    RecordReading reading{line, std::move(input), std::nullopt, refusal.field, refusal.message};
    if (!fields) return reading;
    auto [chart, refused] = ChartOfFields(std::move(*fields));
    reading.chart = std::move(chart);
    reading.field = refused.field;
    reading.error = refused.message;
    return reading;
}

// ---- CSV (RFC 4180: quoted fields may hold commas, quotes doubled, and line breaks) ----

struct CsvRow {
    int line = 0;
    std::string text;
    std::vector<std::string> cells;
};

std::vector<CsvRow> CsvRowsOf(const std::string& text) {
    std::vector<CsvRow> rows;
    CsvRow row{1, "", {""}};
    int line = 1;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                row.cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                row.cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.cells.emplace_back();
        } else if (c == '\n') {
            rows.push_back(std::move(row));
            row = CsvRow{++line, "", {""}};
            continue;
        } else if (c != '\r') {
            row.cells.back() += c;
        }
        row.text += c;
    }
    if (row.cells.size() > 1 || !row.cells.front().empty()) rows.push_back(std::move(row));
    return rows;
}

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string cell = "\"";
    for (const char c : text)
        cell += c == '"' ? std::string("\"\"") : std::string(1, c);
    return cell + "\"";
}

// ---- JSON: the objects at the top of the text or of its one array, with their lines ----

struct JsonObjectText {
    int line;
    std::string text;
};

// Between the objects only blanks, commas and the brackets of the one array may stand. Anything
// else (once a line), an object left open at the end and an array not closed are given as texts
// of their own, which do not parse as records: a damaged or cut file is refused, not read short.
std::vector<JsonObjectText> JsonObjectsOf(const std::string& text) {
    std::vector<JsonObjectText> objects;
    int depth = 0, line = 1, start = 0, strayLine = 0;
    const int base = text.find_first_not_of(" \t\r\n") != std::string::npos &&
                             text[text.find_first_not_of(" \t\r\n")] == '['
                         ? 1
                         : 0;
    std::size_t begin = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') ++line;
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        const bool arrayMark = base == 1 && ((c == '[' && depth == 0) || (c == ']' && depth == 1));
        if (depth <= base && c != '{' && !arrayMark &&
            std::string_view(" \t\r\n,").find(c) == std::string_view::npos) {
            if (line != strayLine)
                objects.push_back({line, text.substr(i, text.find('\n', i) - i)});
            strayLine = line;
            continue;
        }
        if (c == '"') inString = true;
        if (c == '{' || c == '[') {
            if (c == '{' && depth == base) begin = i, start = line;
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
            if (c == '}' && depth == base)
                objects.push_back({start, text.substr(begin, i - begin + 1)});
        }
    }
    if (depth > base)
        objects.push_back({start, text.substr(begin)});
    else if (depth > 0)
        objects.push_back({line, "the array is not closed"});
    return objects;
}

std::optional<Fields> JsonFields(const json& object, FieldRefusal& refusal) {
    Fields fields;
    const auto take = [&](const json& from, const char* field, const char* key) {
        if (!from.contains(key) || from[key].is_null()) return true;
        if (!from[key].is_string()) {
            refusal = {key, "a text"};
            return false;
        }
        fields[field] = from[key].get<std::string>();
        return true;
    };
    for (const auto& [field, key] : kRecordKeys)
        if (!take(object, field, key)) return std::nullopt;
    if (object.contains("place") && object["place"].is_object())
        for (const auto& [field, key] : kPlaceKeys)
            if (!take(object["place"], field, key)) return std::nullopt;
    for (const char* key : {"added", "changed"})
        if (!take(object, key, key)) return std::nullopt;
    return fields;
}

// A JSON string as the JSON library writes one (UTF-8 kept, a faulty byte replaced): names,
// dates and places seldom need an escape, and are written as they are.
std::string JsonString(const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
    });
    return plain ? '"' + text + '"'
                 : json(text).dump(-1, ' ', false, json::error_handler_t::replace);
}

// `"key": value` members at `indent`, each after the separator the one before needs.
struct JsonMembers {
    std::string& out;
    const char* indent;
    bool first = true;
    void Add(const char* key, const std::string& value) {
        out.append(first ? "\n" : ",\n").append(indent).append("\"").append(key).append("\": ");
        out.append(value);
        first = false;
    }
};

} // namespace

std::optional<RecordFormat> RecordFormatNamed(std::string_view name) {
    if (!name.empty() && name.front() == '.') name.remove_prefix(1);
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "aaf") return RecordFormat::Aaf;
    if (lower == "csv") return RecordFormat::Csv;
    if (lower == "json") return RecordFormat::Json;
    return std::nullopt;
}

std::string TextAsUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    bool valid = true;
    for (std::size_t at = 0; at < bytes.size() && valid;) {
        const std::size_t length = DecodeAt(bytes, at).length;
        valid = length > 0;
        at += length;
    }
    if (valid) return std::string(bytes);
    // Windows-1252's 0x80..0x9F (five unassigned bytes kept as the Latin-1 controls).
    static const char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string text;
    for (const unsigned char byte : bytes) {
        const char16_t code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (code >> 12));
            text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::vector<RecordReading> ReadCsvRecords(std::string_view text) {
    const std::vector<CsvRow> rows = CsvRowsOf(TextAsUtf8(text));
    std::vector<RecordReading> readings;
    if (rows.empty()) return readings;
    const std::vector<std::string>& header = rows.front().cells;
    for (const char* required : {"name", "date", "time", "latitude", "longitude"})
        if (std::find(header.begin(), header.end(), required) == header.end())
            return {ReadingOf(
                1, rows.front().text, std::nullopt,
                {required, "the header row has no column \"" + std::string(required) + "\""})};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        Fields fields;
        for (std::size_t column = 0; column < header.size(); ++column)
            fields[Trimmed(header[column])] =
                column < rows[i].cells.size() ? Trimmed(rows[i].cells[column]) : "";
        readings.push_back(ReadingOf(rows[i].line, rows[i].text, std::move(fields), {}));
    }
    return readings;
}

std::vector<RecordReading> ReadJsonRecords(std::string_view text) {
    std::vector<RecordReading> readings;
    for (const JsonObjectText& object : JsonObjectsOf(TextAsUtf8(text))) {
        const json parsed = json::parse(object.text, nullptr, false);
        FieldRefusal refusal{"record", "a JSON object"};
        const auto fields = parsed.is_object() ? JsonFields(parsed, refusal) : std::nullopt;
        readings.push_back(ReadingOf(object.line, object.text, fields, refusal));
    }
    return readings;
}

std::string CsvText(const std::vector<KeptChart>& charts) {
    std::string out;
    for (const std::string& column : kCsvColumns)
        out += (out.empty() ? "" : ",") + column;
    out += "\n";
    for (const KeptChart& chart : charts) {
        Fields fields = FieldsOf(chart);
        for (std::size_t i = 0; i < kCsvColumns.size(); ++i)
            out += (i ? "," : "") + CsvCell(fields[kCsvColumns[i]]);
        out += "\n";
    }
    return out;
}

// Written directly in the layout of an indented dump of the array of record objects: building
// that tree for 14,000 charts took ten times as long as writing the text.
std::string JsonText(const std::vector<KeptChart>& charts, JsonIds ids) {
    if (charts.empty()) return "[]\n";
    std::string out = "[";
    for (const KeptChart& chart : charts) {
        out += out.size() == 1 ? "\n  {" : ",\n  {";
        Fields fields = FieldsOf(chart);
        JsonMembers record{out, "    "};
        if (ids == JsonIds::First) record.Add("id", std::to_string(chart.id));
        for (const auto& [field, key] : kRecordKeys)
            record.Add(key, JsonString(fields[field]));
        record.Add("place", "{");
        JsonMembers place{out, "      "};
        for (const auto& [field, key] : kPlaceKeys)
            place.Add(key, JsonString(fields[field]));
        out += "\n    }";
        for (const char* key : {"added", "changed"})
            record.Add(key, JsonString(fields[key]));
        out += "\n  }";
    }
    return out + "\n]\n";
}

std::vector<RecordReading> ReadRecords(RecordFormat format, std::string_view text,
                                       const Atlas& atlas) {
    switch (format) {
    case RecordFormat::Aaf:
        return ReadAafRecords(text, atlas);
    case RecordFormat::Csv:
        return ReadCsvRecords(text);
    case RecordFormat::Json:
        break;
    }
    return ReadJsonRecords(text);
}

std::string RecordsText(RecordFormat format, const std::vector<KeptChart>& charts) {
    switch (format) {
    case RecordFormat::Aaf:
        return AafText(charts);
    case RecordFormat::Csv:
        return CsvText(charts);
    case RecordFormat::Json:
        break;
    }
    return JsonText(charts);
}

} // namespace astrodesk
