#pragma once

// The figures of a computed chart as JSON, as `chart --format json` prints them and `batch`
// writes them one chart a line: the record, the options, the frame, the bodies, the cusps, the
// elements, the sectors, the aspects and the strengths.

#include "json_writer.hpp"
#include "record_options.hpp"
#include "shell/program_state.hpp"

#include <optional>

namespace astrodesk::cli {

// The chart the state's tables hold, as one object on `out`; `place` adds what --place,
// --local-time and --zone used.
void WriteChartJson(const ProgramState& state, const std::optional<PlaceReport>& place,
                    JsonWriter& out);

} // namespace astrodesk::cli
