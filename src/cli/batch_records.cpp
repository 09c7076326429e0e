#include "batch_records.hpp"

#include <array>
#include <fstream>
#include <utility>

namespace astrodesk::cli {

namespace {

bool Blank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

} // namespace

std::variant<RecordArguments, std::string> RecordFromJson(std::string_view text) {
    const nlohmann::json object = nlohmann::json::parse(text, nullptr, false);
    if (!object.is_object()) return std::string("not a JSON object");
    RecordArguments fields;
    const std::array<std::pair<const char*, std::optional<std::string>*>, 6> members = {{
        {"name", &fields.name},
        {"date", &fields.date},
        {"time", &fields.time},
        {"latitude", &fields.latitude},
        {"longitude", &fields.longitude},
        {"era", &fields.era},
    }};
    for (const auto& [key, field] : members) {
        const auto found = object.find(key);
        if (found == object.end()) continue;
        if (!found->is_string()) return "\"" + std::string(key) + "\" is not a text";
        *field = found->get<std::string>();
    }
    for (const auto& [key, field] : {std::pair{"date", &fields.date},
                                     {"time", &fields.time},
                                     {"latitude", &fields.latitude},
                                     {"longitude", &fields.longitude}})
        if (!*field) return "the record has no \"" + std::string(key) + "\"";
    return fields;
}

namespace {

RecordArguments ArgumentsOf(const ChartRecord& r) {
    RecordArguments fields;
    fields.name = r.ChartName;
    fields.date = r.ChartDate;
    fields.time = r.ChartTime;
    fields.latitude = r.ChartLatitude;
    fields.longitude = r.ChartLongitude;
    fields.era = r.ChartEra == 1 ? "BC" : "AD";
    return fields;
}

} // namespace

std::vector<BatchItem> ItemsOfReadings(const std::vector<RecordReading>& readings) {
    std::vector<BatchItem> items;
    for (const RecordReading& reading : readings) {
        if (reading.chart)
            items.push_back({reading.input, ArgumentsOf(reading.chart->record)});
        else
            items.push_back({reading.input, "line " + std::to_string(reading.line) + ": " +
                                                reading.field + ": " + reading.error});
    }
    return items;
}

std::vector<BatchItem> ItemsOfCharts(const std::vector<KeptChart>& charts) {
    std::vector<BatchItem> items;
    for (const KeptChart& chart : charts)
        items.push_back({chart.id, ArgumentsOf(chart.record)});
    return items;
}

std::optional<BatchItem> JsonLinesReader::Next() {
    while (std::getline(input_, line_))
        if (!Blank(line_)) return BatchItem{line_, RecordFromJson(line_)};
    return std::nullopt;
}

std::optional<std::size_t> CountJsonLines(const std::string& path) {
    std::ifstream file(path);
    if (!file) return std::nullopt;
    std::size_t count = 0;
    for (std::string line; std::getline(file, line);)
        count += Blank(line) ? 0 : 1;
    return count;
}

} // namespace astrodesk::cli
