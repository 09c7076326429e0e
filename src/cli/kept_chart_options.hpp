#pragma once

// Charts of the library on the command line: `--chart CHART` in place of the record options (and
// `--partner-chart`, `--target-chart`), `--library PATH` to choose the library's file.

#include "library/chart_library.hpp"
#include "record_options.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace astrodesk::cli {

// Ends the command with the library's message and exit status 1.
[[noreturn]] void EndWithLibraryError(const LibraryError& error);

// Runs `work` on a library: a refusal or failure of the library (a read-only file, a damaged one,
// a writer that waited too long for another) ends the command by EndWithLibraryError.
template <typename Work> auto ReportingLibraryErrors(Work work) -> decltype(work()) {
    try {
        return work();
    } catch (const LibraryError& error) {
        EndWithLibraryError(error);
    }
}

// The library at `path` (LibraryPath's choice when empty). A library that cannot be opened ends
// the command by EndWithLibraryError.
std::unique_ptr<ChartLibrary> OpenedLibrary(const std::string& path, LibraryAccess access);

// The chart that `chart` names in the library: an id, an exact name or a unique start of a name.
// None, or several (listed by id, name and moment), is a refusal, named after `option`.
std::optional<KeptChart> NamedChart(const ChartLibrary& library, const std::string& chart,
                                    std::string_view option, std::string& refusal);

// Replaces --chart by the record options the kept chart stands for: its name, date, time, era,
// latitude and longitude, and its zone for local clock times. Returns the refusal of a chart not
// found, or of --chart given with the options it stands for.
std::optional<std::string> ResolveKeptChart(RecordArguments& arguments,
                                            std::string_view optionPrefix);

// The chart to keep for a record and the place behind it (from --place, --local-time, --zone).
KeptChart ChartToKeep(const ChartRecord& record, const std::optional<PlaceReport>& place,
                      const RecordArguments& given);

} // namespace astrodesk::cli
