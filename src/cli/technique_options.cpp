#include "technique_options.hpp"

#include "chart/techniques.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <string_view>

namespace astrodesk::cli {

namespace {

// Option names of the techniques, in the order of their codes.
constexpr std::array<std::string_view, 6> kTechniqueNames = {
    "natal", "progressions", "transits", "directions", "returns", "lunar-returns"};
// Names of the return moments and of the progressed angles, in the order of their codes.
constexpr std::array<std::string_view, 2> kReturnNames = {"exact", "mean"};
constexpr std::array<std::string_view, 2> kAngleNames = {"progressed", "solar-arc"};

// The code of a choice given by name: its index among the names, or the refusal.
template <std::size_t N>
std::optional<std::string> ChoiceCode(const std::optional<std::string>& given,
                                      const std::array<std::string_view, N>& names,
                                      std::string_view option, std::int16_t& code) {
    if (!given) return std::nullopt;
    const auto* found = std::find(names.begin(), names.end(), *given);
    if (found != names.end()) {
        code = static_cast<std::int16_t>(found - names.begin());
        return std::nullopt;
    }
    std::string expected;
    for (std::size_t i = 0; i < N; ++i)
        expected += std::string(i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(names[i]);
    return "refused " + std::string(option) + " \"" + *given + "\": expected " + expected;
}

// --return and --angles, each with the technique it belongs to.
std::optional<std::string> ApplyTechniqueVariants(const TechniqueArguments& arguments,
                                                  Options& options) {
    if (arguments.returnMoment && options.Technique != kSolarReturns)
        return "refused --return: expected --technique returns with it";
    if (arguments.angles && options.Technique != kProgressions)
        return "refused --angles: expected --technique progressions with it";
    if (auto refusal =
            ChoiceCode(arguments.returnMoment, kReturnNames, "--return", options.ReturnMoment))
        return refusal;
    return ChoiceCode(arguments.angles, kAngleNames, "--angles", options.ProgressedAngles);
}

// The texts of a birth, given with options named after `optionPrefix`, into the record.
std::optional<std::string> ApplyBirthTexts(const RecordArguments& birth, ChartRecord& record,
                                           std::string_view optionPrefix) {
    Options unusedCodes;
    std::optional<PlaceReport> unusedPlace; // these options name no place from the atlas
    return ApplyRecordArguments(birth, record, unusedCodes, unusedPlace, optionPrefix);
}

bool BirthGiven(const RecordArguments& birth) {
    return birth.name || birth.date || birth.time || birth.latitude || birth.longitude ||
           birth.era || birth.chart;
}

} // namespace

bool PartnerArguments::Given() const {
    return BirthGiven(birth);
}

void AddTechniqueOptions(CLI::App& command, TechniqueArguments& arguments) {
    command.add_option("--technique", arguments.technique,
                       "Chart method: natal (default), progressions (a day for a year), transits, "
                       "directions (primary directions), returns (solar returns), lunar-returns "
                       "(the lunar return nearest the target)");
    command.add_flag("--converse", arguments.converse,
                     "Run the technique backwards from the base chart (default: direct)");
    command.add_option("--return", arguments.returnMoment,
                       "Solar return moment: exact (default; where the Sun is back at its base "
                       "longitude) or mean (whole mean tropical years from the base)");
    command.add_option("--angles", arguments.angles,
                       "Progressed angles: progressed (default; those of the progressed moment) or "
                       "solar-arc (the base Midheaven advanced by the progressed Sun's arc)");
    command.add_option("--target-date", arguments.target.date,
                       "Target date DD-MM-YYYY of the technique (default: today)");
    command.add_option("--target-time", arguments.target.time,
                       "Target Greenwich time HH:MM:SS (default: now)");
    command.add_option("--target-era", arguments.target.era,
                       "Era of the target, AD (default) or BC");
    command.add_option("--target-chart", arguments.target.chart,
                       "A chart of the library whose moment is the target, in place of "
                       "--target-date, --target-time and --target-era");
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
    command.add_option("--partner-chart", birth.chart,
                       "The second person's chart from the library, in place of the --partner- "
                       "options");
    return command.add_option("--partner-date", birth.date,
                              "Second person's date DD-MM-YYYY" + same);
}

std::optional<std::string> ApplyTechniqueChoice(const TechniqueArguments& arguments,
                                                Options& options) {
    std::int16_t code = 0;
    if (auto refusal = ChoiceCode(arguments.technique, kTechniqueNames, "--technique", code))
        return refusal;
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
                   "directions, returns or lunar-returns with it";
    }
    options.Technique = code;
    options.TimesArrow = arguments.converse ? 1 : 0;
    return ApplyTechniqueVariants(arguments, options);
}

std::optional<std::string> ApplyTarget(const TechniqueArguments& arguments, ChartRecord& record) {
    return ApplyBirthTexts(arguments.target, record, "--target-");
}

std::optional<std::string> ApplyPartner(const PartnerArguments& arguments, ChartRecord& record) {
    return ApplyBirthTexts(arguments.birth, record, "--partner-");
}

} // namespace astrodesk::cli
