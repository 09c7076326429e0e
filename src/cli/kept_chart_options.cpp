#include "kept_chart_options.hpp"

#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

namespace astrodesk::cli {

namespace {

// "12 Ann Smith 01-02-1990 10:15:00 A.D." for a list of candidates.
std::string ChartLine(const KeptChart& chart) {
    const ChartRecord& r = chart.record;
    return std::to_string(chart.id) + " " + r.ChartName + " " + r.ChartDate + " " + r.ChartTime +
           " " + EraTextOf(r.ChartEra);
}

bool RecordOptionGiven(const RecordArguments& a) {
    return a.name || a.date || a.time || a.latitude || a.longitude || a.era || a.place ||
           a.localTime;
}

} // namespace

void EndWithLibraryError(const LibraryError& error) {
    std::cerr << "astrodesk-cli: " << EscapedForMessage(error.what()) << '\n';
    throw CLI::RuntimeError(1);
}

std::unique_ptr<ChartLibrary> OpenedLibrary(const std::string& path, LibraryAccess access) {
    return ReportingLibraryErrors(
        [&] { return std::make_unique<ChartLibrary>(LibraryPath(path), access); });
}

std::optional<KeptChart> NamedChart(const ChartLibrary& library, const std::string& chart,
                                    std::string_view option, std::string& refusal) {
    const std::vector<KeptChart> found = library.Find(chart);
    if (found.size() == 1) return found.front();
    const std::string named = "refused " + std::string(option) + " \"" + chart + "\": ";
    if (found.empty()) {
        refusal = named + "no chart in " + library.Path() + " has that id or name";
        return std::nullopt;
    }
    refusal = named + std::to_string(found.size()) + " charts match, name one by its id:";
    for (const KeptChart& candidate : found)
        refusal += (&candidate == &found.front() ? " " : "; ") + ChartLine(candidate);
    return std::nullopt;
}

std::optional<std::string> ResolveKeptChart(RecordArguments& arguments,
                                            std::string_view optionPrefix) {
    if (!arguments.chart) return std::nullopt;
    const std::string option = std::string(optionPrefix) + "chart";
    if (RecordOptionGiven(arguments))
        return option + " takes the place of the record options: give one or the other";
    const auto library = OpenedLibrary(arguments.library.value_or(""), LibraryAccess::Read);
    std::string refusal;
    const std::optional<KeptChart> kept = ReportingLibraryErrors(
        [&] { return NamedChart(*library, *arguments.chart, option, refusal); });
    if (!kept) return refusal;
    const ChartRecord& r = kept->record;
    arguments.name = r.ChartName;
    arguments.date = r.ChartDate;
    arguments.time = r.ChartTime;
    arguments.era = EraTextOf(r.ChartEra);
    arguments.latitude = r.ChartLatitude;
    arguments.longitude = r.ChartLongitude;
    if (!kept->zone.empty() && !arguments.zone) arguments.zone = kept->zone;
    arguments.chart.reset();
    return std::nullopt;
}

KeptChart ChartToKeep(const ChartRecord& record, const std::optional<PlaceReport>& place,
                      const RecordArguments& given) {
    KeptChart chart;
    chart.record = NormalisedRecord(record);
    if (given.localTime && given.date) {
        chart.localDate = *given.date;
        chart.localTime = *given.localTime;
    }
    if (place) {
        chart.placeName = place->name;
        chart.region = place->region;
        chart.country = place->country;
        chart.zone = place->zone;
        if (!place->zone.empty()) {
            chart.offset = place->offset.seconds;
            chart.abbreviation = place->offset.abbreviation;
        }
    }
    return chart;
}

} // namespace astrodesk::cli
