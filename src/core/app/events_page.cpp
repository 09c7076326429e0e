#include "app/events_page.hpp"

#include "astro/day_count.hpp"
#include "chart/chart_driver.hpp"
#include "events/event_search.hpp"
#include "events/event_text.hpp"
#include "events/event_timeline.hpp"
#include "shell/defaults.hpp"
#include "shell/record_rules.hpp"

#include <algorithm>
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
    return fromDayCountEpoch - 1.0; // JD 2415020.0 lies a century before J2000
}

// The same day a year later (28 February for the 29th).
std::string DayAYearLater(const Clock& clock) {
    ClockReading day = clock.Now();
    ++day.year;
    if (day.month == 2 && day.day == 29) day.day = 28;
    return TodayText(FixedClock(day));
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The natal chart of the snapshot, computed afresh on a copy of the state as the natal chart
// was (the chart on the screen may be a technique's).
ProgramState NatalChart(const ProgramState& state) {
    ProgramState natal = state;
    const SavedRecord& saved = state.snapshots.NatalRecord;
    natal.record = {saved.ChartName,      saved.ChartDate,
                    saved.ChartTime,      saved.ChartLatitude,
                    saved.ChartLongitude, saved.ChartEra == 1 ? "B.C." : "A.D.",
                    saved.ChartEra};
    natal.options.Technique = 0;
    natal.options.RelationshipChart = 0;
    ComputeChartTables(natal);
    return natal;
}

// Rows of the output screen a line takes (a long line wraps).
int RowsOf(const std::string& line) {
    const int characters = static_cast<int>(CharacterCount(line));
    return std::max(1, (characters + PictureBox::kColumns - 1) / PictureBox::kColumns);
}

// The lines of each page of the list: a heading, then as many events as the rows hold.
std::vector<std::vector<std::string>> ListPages(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> pages;
    int rows = kEventPageRows;
    for (const std::string& line : lines) {
        if (rows + RowsOf(line) > kEventPageRows - 2) {
            pages.emplace_back();
            rows = 0;
        }
        pages.back().push_back(line);
        rows += RowsOf(line);
    }
    if (pages.empty()) pages.push_back({"NO EVENTS IN THIS SPAN"});
    return pages;
}

} // namespace

SpanReading ReadEventSpan(const std::string& firstDay, const std::string& lastDay) {
    const std::optional<double> from = DayStart(firstDay);
    const std::optional<double> last = DayStart(lastDay);
    if (!from || !last) return {std::nullopt, kNoSuchDay};
    const double to = *last + 1.0 / 36525.0; // to the end of the last day
    if (to <= *from || to - *from > kLongestSpanCenturies) return {std::nullopt, kBadSpan};
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

    const std::string name = Trimmed(state_.snapshots.NatalRecord.ChartName);
    const std::string spanText = span->firstDay + " TO " + span->lastDay + " (GREENWICH TIME)";
    std::vector<std::string> lines;
    for (const Event& event : events)
        lines.push_back(EventLine(event));
    if (state_.options.HardCopy == 1 && printer_) {
        printer_->PrintLine("EVENTS OF " + name + "  " + spanText);
        printer_->PrintLine("");
        for (const std::string& line : lines) {
            if (printer_->CurrentY() > kPageBreakMillimetres) printer_->NewPage();
            printer_->PrintLine(line);
        }
        printer_->EndDoc();
    }

    const auto pages = ListPages(lines);
    const auto showPage = [this](const std::function<void()>& draw) {
        output_.SetContinueVisible(false);
        output_.Show();
        output_.Screen.Scale(0.0, 0.0, output_.Screen.Width, output_.Screen.Height);
        output_.Screen.Cls();
        output_.Refresh();
        draw();
        output_.SetContinueVisible(true);
        output_.Refresh();
        output_.WaitForContinue();
        return !output_.LeaveRequested();
    };
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const bool more = showPage([&] {
            PictureBox& screen = output_.Screen;
            screen.Print("EVENTS OF " + name + "  " + spanText + "  PAGE " +
                         std::to_string(page + 1) + " OF " + std::to_string(pages.size()));
            screen.PrintEmptyLine();
            for (const std::string& line : pages[page])
                screen.Print(line);
        });
        if (!more) return;
    }

    const Timeline timeline = EventTimeline(
        events, search, "TIMELINE OF " + name + "  " + span->firstDay + " TO " + span->lastDay);
    const TimelineLayout layout =
        LayOutTimeline(timeline, output_.Screen.Width, PictureBox::kColumns);
    std::size_t next = 0;
    std::size_t shown = 0;
    do {
        shown = next;
        if (!showPage([&] {
                next = DrawTimeline(timeline, layout, next, kTimelinePageBottom, output_.Screen);
            }))
            return;
    } while (next < layout.lanes.size() && next > shown);
}

} // namespace astrodesk
