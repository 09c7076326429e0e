#include "technique_options.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <string_view>

namespace astrodesk::cli {

namespace {

// Option names of the techniques, in the order of their codes.
constexpr std::array<std::string_view, 5> kTechniqueNames = {"natal", "progressions", "transits",
                                                             "directions", "returns"};

// The texts of a birth, given with options named after `optionPrefix`, into the record.
std::optional<std::string> ApplyBirthTexts(const RecordArguments& birth, ChartRecord& record,
                                           std::string_view optionPrefix) {
    Options unusedCodes;
    std::optional<PlaceReport> unusedPlace; // these options name no place from the atlas
    return ApplyRecordArguments(birth, record, unusedCodes, unusedPlace, optionPrefix);
}

bool BirthGiven(const RecordArguments& birth) {
    return birth.name || birth.date || birth.time || birth.latitude || birth.longitude || birth.era;
}

} // namespace

bool PartnerArguments::Given() const {
    return BirthGiven(birth);
}

void AddTechniqueOptions(CLI::App& command, TechniqueArguments& arguments) {
    command.add_option("--technique", arguments.technique,
                       "Chart method: natal (default), progressions (a day for a year), transits, "
                       "directions (primary directions), returns (solar returns)");
    command.add_flag("--converse", arguments.converse,
                     "Run the technique backwards from the base chart (default: direct)");
    command.add_option("--target-date", arguments.target.date,
                       "Target date DD-MM-YYYY of the technique (default: today)");
    command.add_option("--target-time", arguments.target.time,
                       "Target Greenwich time HH:MM:SS (default: now)");
    command.add_option("--target-era", arguments.target.era,
                       "Era of the target, AD (default) or BC");
}

CLI::Option* AddPartnerOptions(CLI::App& command, PartnerArguments& arguments) {
    RecordArguments& birth = arguments.birth;
    const std::string same = " (default: the first person's)";
    command.add_option("--partner-name", birth.name, "Second person's name" + same);
    command.add_option("--partner-time", birth.time,
                       "Second person's Greenwich time HH:MM:SS" + same);
    command.add_option("--partner-lat", birth.latitude, "Second person's latitude DDSMM" + same);
    command.add_option("--partner-lon", birth.longitude, "Second person's longitude DDDSMM" + same);
    command.add_option("--partner-era", birth.era, "Second person's era AD or BC" + same);
    return command.add_option("--partner-date", birth.date,
                              "Second person's date DD-MM-YYYY" + same);
}

std::optional<std::string> ApplyTechniqueChoice(const TechniqueArguments& arguments,
                                                Options& options) {
    std::int16_t code = 0;
    if (arguments.technique) {
        const auto* found =
            std::find(kTechniqueNames.begin(), kTechniqueNames.end(), *arguments.technique);
        if (found == kTechniqueNames.end())
            return "refused --technique \"" + *arguments.technique +
                   "\": expected natal, progressions, transits, directions or returns";
        code = static_cast<std::int16_t>(found - kTechniqueNames.begin());
    }
    if (code == 0) {
        const RecordArguments& target = arguments.target;
        const char* given = arguments.converse ? "--converse"
                            : target.date      ? "--target-date"
                            : target.time      ? "--target-time"
                            : target.era       ? "--target-era"
                                               : nullptr;
        if (given)
            return "refused " + std::string(given) +
                   " for a natal chart: expected --technique progressions, transits, "
                   "directions or returns with it";
    }
    options.Technique = code;
    options.TimesArrow = arguments.converse ? 1 : 0;
    return std::nullopt;
}

std::optional<std::string> ApplyTarget(const TechniqueArguments& arguments, ChartRecord& record) {
    return ApplyBirthTexts(arguments.target, record, "--target-");
}

std::optional<std::string> ApplyPartner(const PartnerArguments& arguments, ChartRecord& record) {
    return ApplyBirthTexts(arguments.birth, record, "--partner-");
}

} // namespace astrodesk::cli
