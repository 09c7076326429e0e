#include "app/events_page.hpp"

#include "astro/day_count.hpp"
#include "chart/chart_driver.hpp"
#include "events/event_search.hpp"
#include "events/event_text.hpp"
#include "events/event_timeline.hpp"
#include "interpret/factors.hpp"
#include "present/listing.hpp"
#include "shell/defaults.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace astrodesk {

namespace {

constexpr const char* kTitle = "EVENTS";
constexpr const char* kNoSuchDay = "PLEASE ENTER A DAY AS DD-MM-YYYY, FOR EXAMPLE 01-06-2027";
constexpr const char* kBadSpan = "THE LAST DAY MUST NOT COME BEFORE THE FIRST, NOR A CENTURY AFTER";
// A printer position (millimetres) below which no new line may start.
constexpr double kPageBreakMillimetres = 270.0;

// The moment of 0h of a day "DD-MM-YYYY" A.D., Julian centuries from J2000; nothing for a
// text that is no such day (the day count would carry 31-02 into March).
std::optional<double> DayStart(const std::string& answer) {
    const std::optional<std::string> date = AcceptDate(answer);
    if (!date) return std::nullopt;
    const double fromDayCountEpoch = JulianCenturiesOfTexts(*date, "00:00:00", 0);
    if (MomentTextsOf(CalendarMomentOf(fromDayCountEpoch)).date != *date) return std::nullopt;
    return fromDayCountEpoch - kCenturyBetweenEpochs;
}

// The same day a year later (28 February for the 29th).
std::string DayAYearLater(const Clock& clock) {
    ClockReading day = clock.Now();
    ++day.year;
    if (day.month == 2 && day.day == 29) day.day = 28;
    return TodayText(FixedClock(day));
}

// The natal chart of the snapshot, computed afresh on a copy of the state as the natal chart
// was (the chart on the screen may be a technique's).
ProgramState NatalChart(const ProgramState& state) {
    ProgramState natal = state;
    const SavedRecord& saved = state.snapshots.NatalRecord;
    natal.record = {saved.ChartName,     saved.ChartDate,      saved.ChartTime,
                    saved.ChartLatitude, saved.ChartLongitude, EraTextOf(saved.ChartEra),
                    saved.ChartEra};
    natal.options.Technique = 0;
    natal.options.RelationshipChart = 0;
    ComputeChartTables(natal);
    return natal;
}

// "  PAGE 2 OF 7" after a heading.
std::string PageText(std::size_t page, std::size_t pages) {
    return "  PAGE " + std::to_string(page + 1) + " OF " + std::to_string(pages);
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper;
}

// The lines of each page of the list under its heading and the column heads.
std::vector<std::vector<std::string>> ListPages(const std::vector<std::string>& lines) {
    constexpr std::size_t kLinesAPage = kEventPageRows - 2;
    std::vector<std::vector<std::string>> pages;
    for (std::size_t first = 0; first < lines.size(); first += kLinesAPage)
        pages.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(first),
                           lines.begin() + static_cast<std::ptrdiff_t>(
                                               std::min(lines.size(), first + kLinesAPage)));
    if (pages.empty()) pages.push_back({"NO EVENTS IN THIS SPAN"});
    return pages;
}

} // namespace

std::string EventPageLine(const Event& event) {
    const MomentText moment = MomentTextOf(event.julianCenturies);
    const bool aspect = event.kind == EventKind::Transit || event.kind == EventKind::Progression;
    const std::string body =
        (event.kind == EventKind::Progression ? "P. " : "") + UpperCase(PointKey(event.body));
    const std::string what =
        aspect ? std::string(AspectName(event.aspect)) : UpperCase(EventKindName(event.kind));
    char line[128];
    std::snprintf(line, sizeof line, "%s %s  %-10s %-12s %-10s %-5s ", moment.date.c_str(),
                  moment.time.c_str(), body.c_str(), what.c_str(),
                  UpperCase(EventTargetName(event)).c_str(),
                  UpperCase(EventPhaseName(event.phase)).c_str());
    return line + FormatLongitude(event.longitude);
}

SpanReading ReadEventSpan(const std::string& firstDay, const std::string& lastDay) {
    const std::optional<double> from = DayStart(firstDay);
    const std::optional<double> last = DayStart(lastDay);
    if (!from || !last) return {std::nullopt, kNoSuchDay};
    constexpr double kDay = 1.0 / kDaysPerJulianCentury; // centuries
    const double to = *last + kDay;                      // to the end of the last day
    // Whole days apart: half a day stands clear of the rounding of the day counts.
    if (*last < *from - kDay / 2 || to - *from > kLongestSpanCenturies + kDay / 2)
        return {std::nullopt, kBadSpan};
    return {EventSpan{*AcceptDate(firstDay), *AcceptDate(lastDay), *from, to}, {}};
}

EventsPage::EventsPage(ProgramState& state, Dialogs& dialogs, const Clock& clock, Printer* printer,
                       OutputScreen& output)
    : state_(state), dialogs_(dialogs), clock_(clock), printer_(printer), output_(output) {}

std::optional<EventSpan> EventsPage::AskForSpan() {
    std::string first = TodayText(clock_);
    std::string last = DayAYearLater(clock_);
    for (;;) {
        first = dialogs_.InputBox("FIRST DAY OF THE SPAN (DD-MM-YYYY)", kTitle, first);
        if (first.empty()) return std::nullopt;
        last = dialogs_.InputBox("LAST DAY OF THE SPAN (DD-MM-YYYY)", kTitle, last);
        if (last.empty()) return std::nullopt;
        const SpanReading reading = ReadEventSpan(first, last);
        if (reading.span) return reading.span;
        dialogs_.MessageBox(reading.refusal, kTitle, MessageButtons::Ok);
    }
}

void EventsPage::Run() {
    const std::optional<EventSpan> span = AskForSpan();
    if (!span) return;
    const ProgramState natal = NatalChart(state_);
    EventSearchOptions search;
    search.fromT = span->fromT;
    search.toT = span->toT;
    search.orbDegrees = state_.options.OrbDegrees;
    const std::vector<Event> events = FindEvents(natal, NatalPointsOf(natal), search);

    // As much of the name as the listing shows, so that the heading keeps to one line.
    const std::string name =
        std::string(FirstCharacters(Trimmed(state_.snapshots.NatalRecord.ChartName), 23));
    const std::string spanText = span->firstDay + " TO " + span->lastDay;
    std::vector<std::string> lines;
    for (const Event& event : events)
        lines.push_back(EventPageLine(event));
    if (state_.options.HardCopy == 1 && printer_) {
        printer_->PrintLine("EVENTS OF " + name + "  " + spanText + " (GREENWICH TIME)");
        printer_->PrintLine(kEventPageColumns);
        for (const std::string& line : lines) {
            if (printer_->CurrentY() > kPageBreakMillimetres) printer_->NewPage();
            printer_->PrintLine(line);
        }
        printer_->EndDoc();
    }

    // The picture first, as astrologers look at it first; the list gives the detail.
    const std::string title =
        TimelineTitle(state_.snapshots.NatalRecord.ChartName, span->firstDay, span->lastDay);
    if (!ShowTimeline(EventTimeline(events, search, ""), title)) return;
    ShowList(lines, "EVENTS OF " + name + "  " + spanText);
}

bool EventsPage::ShowPage(const std::function<void(PictureBox&)>& draw) {
    output_.SetContinueVisible(false);
    output_.Show();
    output_.Screen.Scale(0.0, 0.0, output_.Screen.Width, output_.Screen.Height);
    output_.Screen.Cls();
    output_.Refresh();
    draw(output_.Screen);
    output_.SetContinueVisible(true);
    output_.Refresh();
    output_.WaitForContinue();
    return !output_.LeaveRequested();
}

bool EventsPage::ShowTimeline(Timeline timeline, const std::string& title) {
    const TimelineLayout layout =
        LayOutTimeline(timeline, output_.Screen.Width, PictureBox::kColumns);
    // The first lane of each page, found by drawing the pages aside.
    std::vector<std::size_t> pageStarts{0};
    for (PictureBox scratch = output_.Screen;;) {
        scratch.Cls();
        const std::size_t next =
            DrawTimeline(timeline, layout, pageStarts.back(), kTimelinePageBottom, scratch);
        if (next >= layout.lanes.size() || next == pageStarts.back()) break;
        pageStarts.push_back(next);
    }
    for (std::size_t page = 0; page < pageStarts.size(); ++page) {
        timeline.title = title + PageText(page, pageStarts.size());
        if (!ShowPage([&](PictureBox& screen) {
                DrawTimeline(timeline, layout, pageStarts[page], kTimelinePageBottom, screen);
            }))
            return false;
    }
    return true;
}

void EventsPage::ShowList(const std::vector<std::string>& lines, const std::string& heading) {
    const auto pages = ListPages(lines);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const bool more = ShowPage([&](PictureBox& screen) {
            screen.Print(heading + PageText(page, pages.size()));
            screen.Print(kEventPageColumns);
            for (const std::string& line : pages[page])
                screen.Print(line);
        });
        if (!more) return;
    }
}

} // namespace astrodesk
