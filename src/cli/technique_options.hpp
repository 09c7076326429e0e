#pragma once

// The charts derived from a birth record, as command-line options registered next to the record
// options: a predictive technique with its target moment, and the second person of a
// relationship chart. The headless chart applies them after the natal chart.

#include "record_options.hpp"

#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace astrodesk::cli {

struct TechniqueArguments {
    std::optional<std::string> technique; // natal, progressions, transits, directions, returns,
                                          // lunar-returns
    bool converse = false;
    std::optional<std::string> returnMoment; // exact, mean
    std::optional<std::string> angles;       // progressed, solar-arc
    RecordArguments target;                  // date, time and era of the target moment
};

// The second person's birth data; a field left out takes the first person's value, as the
// desktop's entry form shows the first person's record when it asks for the second.
struct PartnerArguments {
    RecordArguments birth; // name, date, time, latitude, longitude and era
    bool Given() const;
};

// --technique, --converse, --return, --angles, --target-date, --target-time, --target-era.
void AddTechniqueOptions(CLI::App& command, TechniqueArguments& arguments);

// --partner-name, --partner-date, --partner-time, --partner-lat, --partner-lon, --partner-era.
// Returns the --partner-date option, which a command may require.
CLI::Option* AddPartnerOptions(CLI::App& command, PartnerArguments& arguments);

// Sets Technique, TimesArrow, ReturnMoment and ProgressedAngles as the arguments ask, or returns
// the message that refuses them (an unknown technique or choice; a target moment or --converse
// for a natal chart; --return without solar returns, --angles without progressions).
std::optional<std::string> ApplyTechniqueChoice(const TechniqueArguments& arguments,
                                                Options& options);

// The target options given into the record (which holds the present moment until then).
std::optional<std::string> ApplyTarget(const TechniqueArguments& arguments, ChartRecord& record);

// The second person's options given into the record (which holds the first person's texts).
std::optional<std::string> ApplyPartner(const PartnerArguments& arguments, ChartRecord& record);

} // namespace astrodesk::cli
