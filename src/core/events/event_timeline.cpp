#include "events/event_timeline.hpp"

#include "astro/day_count.hpp"
#include "events/event_text.hpp"
#include "interpret/factors.hpp"
#include "shell/utf8_text.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>

namespace astrodesk {

namespace {

constexpr double kJ2000 = 2451545.0;
double JulianDayOf(double julianCenturies) {
    return kJ2000 + kDaysPerJulianCentury * julianCenturies;
}

// Aspect types 1..9 in the wheel's colours of their aspect lines (the conjunction, which has
// no line there, in cyan), by family: hard aspects red and magenta, soft green and blue.
struct AspectStyle {
    const char* brief;
    int colour;
};
constexpr std::array<AspectStyle, kAspectTypes> kAspectStyles{{
    {"CON", kLightCyan},
    {"OPP", kLightMagenta},
    {"TRI", kLightGreen},
    {"SQR", kLightRed},
    {"SXT", kLightBlue},
    {"SSX", kYellow},
    {"INC", kYellow},
    {"SSQ", kBrown},
    {"SES", kBrown},
}};

const AspectStyle& StyleOf(int aspect) {
    return kAspectStyles[static_cast<std::size_t>(std::clamp(aspect, 1, kAspectTypes) - 1)];
}

constexpr int kIngressColour = kWhite;
constexpr int kStationColour = kLightMagenta;
constexpr int kReturnColour = kYellow;

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper;
}

// "SUN" .. "ZED", "ASC", "MC".
std::string PointName(int slot) {
    if (slot == kAscendantPoint) return "ASC";
    if (slot == kMidheavenPoint) return "MC";
    return UpperCase(PointKey(slot));
}

bool IsAspect(const Event& event) {
    return event.kind == EventKind::Transit || event.kind == EventKind::Progression;
}

TimelineMark MarkOf(const Event& event) {
    switch (event.kind) {
    case EventKind::Ingress:
        return {EventTargetName(event), event.julianDay, kIngressColour};
    case EventKind::Station:
        return {event.target == kTurnsRetrograde ? "SR" : "SD", event.julianDay, kStationColour};
    default:
        return {"RET", event.julianDay, kReturnColour};
    }
}

// The bars of each aspect to each point, opened by its entering and closed by its leaving.
class BarBuilder {
  public:
    explicit BarBuilder(const EventSearchOptions& search)
        : first_(JulianDayOf(search.fromT)), last_(JulianDayOf(search.toT)),
          orbs_(search.orbDegrees > 0) {}

    void Add(const Event& event, TimelineGroup& group) {
        const std::tuple key{event.kind, event.body, event.target, event.aspect};
        std::optional<Open>& open = open_[key];
        if (!open || event.phase == EventPhase::Enter) {
            const bool fromSpanStart = orbs_ && event.phase != EventPhase::Enter;
            group.bars.push_back({EventBarLabel(event),
                                  fromSpanStart ? first_ : event.julianDay,
                                  last_,
                                  {},
                                  StyleOf(event.aspect).colour});
            open = Open{&group, group.bars.size() - 1};
        }
        TimelineBar& bar = open->group->bars[open->bar];
        if (event.phase == EventPhase::Exact) bar.exact.push_back(event.julianDay);
        if (event.phase == EventPhase::Leave || !orbs_) {
            bar.end = event.julianDay;
            open.reset();
        }
    }

  private:
    struct Open {
        TimelineGroup* group;
        std::size_t bar;
    };
    double first_, last_;
    bool orbs_;
    std::map<std::tuple<EventKind, int, int, int>, std::optional<Open>> open_;
};

} // namespace

std::string EventBarLabel(const Event& event) {
    return std::string(StyleOf(event.aspect).brief) + " " + PointName(event.target);
}

Timeline EventTimeline(const std::vector<Event>& events, const EventSearchOptions& search,
                       std::string title) {
    Timeline timeline{std::move(title), JulianDayOf(search.fromT), JulianDayOf(search.toT), {}, {}};
    // Transiting bodies first, in slot order, then the progressed ones; the groups are made
    // before any bar points into them.
    std::map<std::pair<bool, int>, std::size_t> groupOf;
    for (const Event& event : events)
        groupOf.emplace(std::pair{event.kind == EventKind::Progression, event.body}, 0);
    for (auto& [key, index] : groupOf) {
        index = timeline.groups.size();
        const std::string name = PointName(key.second);
        timeline.groups.push_back({key.first ? "PROG " + name : name, {}, {}});
    }
    BarBuilder bars(search);
    std::array<bool, kAspectTypes + 1> aspectsSeen{};
    std::array<bool, 3> marksSeen{};
    for (const Event& event : events) {
        TimelineGroup& group =
            timeline.groups[groupOf.at({event.kind == EventKind::Progression, event.body})];
        if (IsAspect(event)) {
            bars.Add(event, group);
            aspectsSeen[static_cast<std::size_t>(std::clamp(event.aspect, 1, kAspectTypes))] = true;
        } else {
            group.marks.push_back(MarkOf(event));
            marksSeen[event.kind == EventKind::Ingress   ? 0
                      : event.kind == EventKind::Station ? 1
                                                         : 2] = true;
        }
    }
    for (int aspect = 1; aspect <= kAspectTypes; ++aspect)
        if (aspectsSeen[static_cast<std::size_t>(aspect)])
            timeline.key.push_back(
                {std::string(StyleOf(aspect).brief) + " " + std::string(AspectName(aspect)),
                 StyleOf(aspect).brief, StyleOf(aspect).colour});
    const TimelineKey markKeys[] = {{"AR..PI INGRESS", "INGRESS", kIngressColour},
                                    {"SR SD STATION", "STATION", kStationColour},
                                    {"RET RETURN", "RETURN", kReturnColour}};
    for (std::size_t kind = 0; kind < marksSeen.size(); ++kind)
        if (marksSeen[kind]) timeline.key.push_back(markKeys[kind]);
    return timeline;
}

std::string TimelineTitle(std::string_view chartName, std::string_view firstDay,
                          std::string_view lastDay) {
    return "TIMELINE OF " + std::string(FirstCharacters(Trimmed(chartName), 23)) + "  " +
           std::string(firstDay) + " TO " + std::string(lastDay);
}

} // namespace astrodesk
