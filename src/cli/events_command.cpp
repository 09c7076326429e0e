// astrodesk-cli events: the transits, ingresses, stations, returns and progressions of a natal
// chart over a span of days, as text, JSON, CSV, an iCalendar file or a timeline picture.

#include "astro/day_count.hpp"
#include "atlas/local_birth.hpp"
#include "atlas/system_atlas.hpp"
#include "chart/chart_driver.hpp"
#include "commands.hpp"
#include "event_files.hpp"
#include "events/event_text.hpp"
#include "events/event_timeline.hpp"
#include "headless_chart.hpp"
#include "output_file.hpp"
#include "shell/record_rules.hpp"
#include "timeline_picture.hpp"

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <memory>
#include <sstream>

namespace astrodesk::cli {

namespace {

constexpr int kLongestSpanDays = 36525; // a century

struct EventsArguments {
    RecordArguments record;
    std::string from;
    std::optional<std::string> to, fromEra, toEra;
    std::optional<int> days;
    std::string kinds = "transits,ingresses,stations,returns";
    std::optional<std::string> bodies, targets;
    std::string format = "text";
    std::optional<std::string> output;
    bool orbSpans = false;
};

std::vector<std::string> Items(const std::string& list) {
    std::vector<std::string> items;
    std::stringstream stream(list);
    for (std::string item; std::getline(stream, item, ',');)
        items.push_back(item);
    return items;
}

// The Greenwich midnight that begins a day given as "DD-MM-YYYY" and an era (centuries from
// J2000).
double DayStart(const std::string& option, const std::string& date,
                const std::optional<std::string>& era) {
    ChartRecord record;
    const auto acceptedDate = AcceptDate(date);
    if (!acceptedDate)
        RefuseArgument("refused " + option + " \"" + date +
                       "\": expected DD-MM-YYYY with day 01-31, month 01-12 and year 0001-9999");
    const auto acceptedEra = AcceptEra(era.value_or("AD"));
    if (!acceptedEra)
        RefuseArgument("refused " + option + "-era \"" + *era + "\": expected era AD or BC");
    record.ChartDate = *acceptedDate;
    record.ChartTime = "00:00:00";
    record.EraText = acceptedEra->EraText;
    record.ChartEra = acceptedEra->ChartEra;
    return RecordJulianCenturies(record) - kCenturyBetweenEpochs;
}

// The span's end, refused past the last moment the record can hold.
double WithinEntryRange(double to) {
    const double last = DayStart("--to", "31-12-9999", "AD") + 1.0 / kDaysPerJulianCentury;
    if (to > last + 1e-9)
        RefuseArgument("the span runs past 31-12-9999 A.D., the last day a date can name");
    return to;
}

std::pair<double, double> Span(const EventsArguments& arguments) {
    if (arguments.to && arguments.days) RefuseArgument("give --to or --days, not both");
    const double from = DayStart("--from", arguments.from, arguments.fromEra);
    if (!arguments.to) {
        const int days = arguments.days.value_or(365);
        if (days < 1 || days > kLongestSpanDays)
            RefuseArgument("refused --days " + std::to_string(days) +
                           ": expected 1 to 36525 days (a century)");
        return {from, WithinEntryRange(from + days / kDaysPerJulianCentury)};
    }
    // --to names the span's last day: the span ends at the midnight after it.
    const double to =
        DayStart("--to", *arguments.to, arguments.toEra) + 1.0 / kDaysPerJulianCentury;
    if ((to - from) * kDaysPerJulianCentury < 0.5) RefuseArgument("--to comes before --from");
    if ((to - from) * kDaysPerJulianCentury > kLongestSpanDays + 0.5)
        RefuseArgument("the span from --from to --to is longer than a century");
    return {from, WithinEntryRange(to)};
}

EventKinds KindsOf(const std::string& list) {
    EventKinds kinds{false, false, false, false, false};
    for (const std::string& item : Items(list)) {
        bool* chosen = item == "transits"       ? &kinds.transits
                       : item == "ingresses"    ? &kinds.ingresses
                       : item == "stations"     ? &kinds.stations
                       : item == "returns"      ? &kinds.returns
                       : item == "progressions" ? &kinds.progressions
                                                : nullptr;
        if (!chosen)
            RefuseArgument("refused --kinds \"" + item +
                           "\": expected transits, ingresses, stations, returns or progressions");
        *chosen = true;
    }
    return kinds;
}

// The slots named in a list; bodies are sun .. zed without the earth, targets also ascendant
// and midheaven.
std::vector<int> PointsOf(const std::string& option, const std::string& list, int lastSlot) {
    std::vector<int> slots;
    for (const std::string& item : Items(list)) {
        const std::optional<int> slot = PointOfKey(item);
        if (!slot || *slot == kEarthSlot || *slot > lastSlot)
            RefuseArgument("refused " + option + " \"" + item +
                           "\": expected sun, moon, mercury, venus, mars, jupiter, saturn, "
                           "uranus, neptune, pluto, zed" +
                           (lastSlot > 12 ? ", ascendant or midheaven" : ""));
        slots.push_back(*slot);
    }
    return slots;
}

// Local clock times of the events in a zone of the atlas; before the zone's standard time, the
// local mean time at the chart's longitude.
std::vector<ListedEvent> WithLocalClock(const std::vector<Event>& events,
                                        const std::optional<PlaceReport>& place,
                                        const ChartRecord& natal) {
    std::vector<ListedEvent> listed;
    const SystemAtlas atlas;
    for (const Event& e : events) {
        ListedEvent item{e, std::nullopt};
        const MomentText greenwich = MomentTextOf(e.julianCenturies);
        if (place && !place->zone.empty() && !greenwich.date.empty()) {
            ChartRecord record = natal;
            record.ChartDate = greenwich.date, record.ChartTime = greenwich.time;
            record.ChartEra = greenwich.era == EraTextOf(1) ? 1 : 0;
            const ZoneOffset offset = ZoneOffsetAtRecord(atlas, place->zone, record);
            item.local = LocalMoment{
                MomentTextOf(e.julianCenturies + offset.seconds / 86400.0 / kDaysPerJulianCentury),
                OffsetText(offset.seconds), offset.abbreviation};
        }
        listed.push_back(item);
    }
    return listed;
}

std::string StampNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[20];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

void Write(const EventsArguments& arguments, const std::vector<ListedEvent>& events,
           std::pair<double, double> span, bool local, std::ostream& out) {
    if (arguments.format == "json") {
        WriteEventJson(events, out);
    } else if (arguments.format == "csv") {
        WriteEventCsv(events, local, out);
    } else if (arguments.format == "ics") {
        if (2451545.0 + kDaysPerJulianCentury * span.first < kFirstCalendarJulianDay)
            RefuseArgument("an iCalendar file holds dates from 1 January 1 A.D. (Gregorian) on: "
                           "--from is earlier");
        WriteEventCalendar(events, {span.first, span.second, arguments.orbSpans, StampNow()}, out);
    } else {
        WriteEventText(events, out);
    }
}

// A day of the span as the timeline's heading gives it: DD-MM-YYYY, and B.C. before the era.
std::string DayText(double julianCenturies) {
    const MomentText moment = MomentTextOf(julianCenturies);
    return moment.era == EraTextOf(1) ? moment.date + " " + moment.era : moment.date;
}

void WriteTimeline(const std::vector<Event>& events, const EventSearchOptions& search,
                   const ChartRecord& natal, const std::string& fileName) {
    const std::string lastDay = DayText(search.toT - 1.0 / kDaysPerJulianCentury);
    WriteEventTimeline(events, search,
                       TimelineTitle(natal.ChartName, DayText(search.fromT), lastDay), fileName);
}

void RunEvents(const EventsArguments& arguments) {
    const auto span = Span(arguments);
    EventSearchOptions options;
    options.fromT = span.first, options.toT = span.second;
    options.kinds = KindsOf(arguments.kinds);
    if (arguments.bodies) options.bodies = PointsOf("--bodies", *arguments.bodies, 12);
    if (arguments.targets) options.targets = PointsOf("--targets", *arguments.targets, 14);
    std::optional<PlaceReport> place;
    const ProgramState natal = ComputeHeadlessChart({arguments.record, {}, {}}, &place);
    options.orbDegrees = natal.options.OrbDegrees;
    const std::vector<Event> found = FindEvents(natal, NatalPointsOf(natal), options);
    if (arguments.output && arguments.format == "text" && IsPictureFileName(*arguments.output)) {
        WriteTimeline(found, options, natal.record, *arguments.output);
        return;
    }
    const std::vector<ListedEvent> events = WithLocalClock(found, place, natal.record);
    const bool local = place && !place->zone.empty();
    if (!arguments.output) {
        Write(arguments, events, span, local, std::cout);
        return;
    }
    ReplacingFile file(*arguments.output);
    Write(arguments, events, span, local, file.Stream());
    file.Commit();
}

} // namespace

void AddEventsCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "events", "The moments when the bodies make aspects to a natal chart (transits), enter "
                  "signs (ingresses), turn retrograde or direct (stations), come back to their "
                  "natal places (returns), and when the progressed bodies make aspects to it "
                  "(progressions), over a span of days");
    auto arguments = std::make_shared<EventsArguments>();
    AddRecordOptions(*command, arguments->record);
    command->add_option("--from", arguments->from, "First day of the span, DD-MM-YYYY")->required();
    command->add_option("--from-era", arguments->fromEra, "Era of --from: AD (default) or BC");
    command->add_option("--to", arguments->to, "Last day of the span, DD-MM-YYYY");
    command->add_option("--to-era", arguments->toEra, "Era of --to: AD (default) or BC");
    command->add_option("--days", arguments->days,
                        "Length of the span in days, 1 to 36525 (default 365)");
    command->add_option("--kinds", arguments->kinds,
                        "Comma-separated: transits, ingresses, stations, returns, progressions "
                        "(default all but progressions)");
    command->add_option("--bodies", arguments->bodies,
                        "Moving bodies, comma-separated: sun, moon, mercury .. pluto, zed "
                        "(default the Sun to Pluto; returns of the Sun and the Moon)");
    command->add_option("--targets", arguments->targets,
                        "Natal points of transits and progressions: the bodies' names, "
                        "ascendant, midheaven (default all)");
    command->add_option("--format", arguments->format, "text (default), json, csv or ics")
        ->check(CLI::IsMember({"text", "json", "csv", "ics"}));
    command->add_option("-o,--output", arguments->output,
                        "File to write (default the terminal); a name ending in .png or .svg gets "
                        "the events' timeline picture");
    command->add_flag("--orb-spans", arguments->orbSpans,
                      "iCalendar: a transit or progression lasts from entering its orb to leaving "
                      "it");
    command->callback([arguments] { RunEvents(*arguments); });
}

} // namespace astrodesk::cli
