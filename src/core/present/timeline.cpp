#include "present/timeline.hpp"

#include "astro/day_count.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace astrodesk {

namespace {

// Julian Day of the day count's origin (1899 December 31, 12h) and days a Julian century.
constexpr double kDayCountEpoch = 2415020.0;

// Vertical layout, pixels: title and key rows, the calendar (years or months, then months or
// days), the lanes, the calendar again below them.
constexpr double kRow = PictureBox::kLineHeight;
constexpr double kTitleTop = 2.0;
constexpr double kCalendarTop = kTitleTop + 2 * kRow + 4.0;
constexpr double kLanesTop = kCalendarTop + 2 * kRow + 4.0;
constexpr double kCalendarBelow = kRow + 6.0;
// A lane: its label row, then the bar (kBarHeight pixels thick) and a gap.
constexpr double kLaneHeight = kRow + 10.0;
constexpr int kBarHeight = 5;
constexpr double kTickOverhang = 2.0; // an exact moment's tick reaches this far past the bar

constexpr std::array<std::string_view, 12> kMonthNames{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                       "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

double JulianDayOf(const CalendarMoment& moment) {
    const MomentTexts texts = MomentTextsOf(moment);
    return kDayCountEpoch +
           kDaysPerJulianCentury * JulianCenturiesOfTexts(texts.date, texts.time, texts.era);
}

CalendarMoment MomentOf(double julianDay) {
    return CalendarMomentOf((julianDay - kDayCountEpoch) / kDaysPerJulianCentury);
}

// "2027", or "44 BC" for the astronomical year -43.
std::string YearText(int year) {
    return year > 0 ? std::to_string(year) : std::to_string(1 - year) + " BC";
}

int CharacterWidth(std::string_view text) {
    return static_cast<int>(CharacterCount(text));
}

// A calendar division on the axis, with the label of the upper row (years, or the month in a
// span of days) where one begins and of the lower row.
struct CalendarTick {
    double julianDay;
    std::string upper;
    std::string lower;
};

// Every `months` months from the division that holds `first` to `last`, the year above each
// January and above the first division.
std::vector<CalendarTick> MonthTicks(double first, double last, int months) {
    std::vector<CalendarTick> ticks;
    const CalendarMoment start = MomentOf(first);
    int year = start.year;
    int month = start.month - (start.month - 1) % months;
    for (;;) {
        const double julianDay = JulianDayOf({year, month, 1, 0, 0, 0});
        if (julianDay > last) break;
        if (julianDay >= first) {
            const bool yearBegins = month == 1 || ticks.empty();
            ticks.push_back(
                {julianDay, yearBegins ? YearText(year) : "", std::string(kMonthNames[month - 1])});
        }
        month += months;
        year += (month - 1) / 12;
        month = (month - 1) % 12 + 1;
    }
    return ticks;
}

// Years that are multiples of `years`, counted in their era (10 BC, AD 10), so that the steps
// about the change of era are one year short.
std::vector<CalendarTick> YearTicks(double first, double last, int years) {
    std::vector<CalendarTick> ticks;
    for (int year = MomentOf(first).year;; ++year) {
        if ((year > 0 ? year : 1 - year) % years != 0) continue;
        const double julianDay = JulianDayOf({year, 1, 1, 0, 0, 0});
        if (julianDay > last) break;
        if (julianDay >= first) ticks.push_back({julianDay, YearText(year), ""});
    }
    return ticks;
}

std::vector<CalendarTick> DayTicks(double first, double last, int days) {
    std::vector<CalendarTick> ticks;
    int lastMonth = 0;
    for (double midnight = std::floor(first - 0.5) + 0.5; midnight <= last; midnight += 1.0) {
        const CalendarMoment day = MomentOf(midnight);
        if (midnight < first || (day.day - 1) % days != 0 || day.day > 31 - days / 2) continue;
        const bool monthBegins = day.month != lastMonth;
        lastMonth = day.month;
        ticks.push_back(
            {midnight,
             monthBegins ? std::string(kMonthNames[day.month - 1]) + " " + YearText(day.year) : "",
             std::to_string(day.day)});
    }
    return ticks;
}

// The finest calendar whose lower labels stay readable: days, months, then years, each in
// the smallest step that leaves room for its label.
std::vector<CalendarTick> CalendarTicks(const TimelineAxis& axis) {
    const double pixelsPerDay = (axis.right - axis.left) / (axis.last - axis.first);
    const auto roomFor = [&](double days, int characters) {
        return days * pixelsPerDay >= (characters + 1) * axis.cellWidth;
    };
    for (int days : {1, 2, 5, 10})
        if (roomFor(days, 2) && (axis.last - axis.first) < 70.0)
            return DayTicks(axis.first, axis.last, days);
    for (int months : {1, 2, 3, 6})
        if (roomFor(30.4 * months, 3)) return MonthTicks(axis.first, axis.last, months);
    for (int years : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000})
        if (roomFor(365.25 * years, 7)) return YearTicks(axis.first, axis.last, years);
    return YearTicks(axis.first, axis.last, 2000);
}

void PrintAt(PictureBox& box, double x, double y, std::string_view text, int colour) {
    box.CurrentX = x;
    box.CurrentY = y;
    box.ForeColour = colour;
    box.Print(text, After::Join);
}

// A label that starts at x, moved left where it would run past the plot's right edge.
double LabelLeft(const TimelineAxis& axis, double x, std::string_view text) {
    const double width = CharacterWidth(text) * axis.cellWidth;
    return std::max(axis.left, std::min(x, axis.right - width));
}

// The pixels a bar or mark occupies in its lane, its label included.
struct Extent {
    double from, to;
};
Extent LabelledExtent(const TimelineAxis& axis, double from, double to, std::string_view label) {
    const double labelLeft = LabelLeft(axis, from, label);
    const double labelRight = labelLeft + CharacterWidth(label) * axis.cellWidth;
    return {std::min(from, labelLeft), std::max(to, labelRight) + axis.cellWidth};
}
Extent BarExtent(const TimelineAxis& axis, const TimelineBar& bar) {
    return LabelledExtent(axis, axis.X(bar.start), axis.X(bar.end), bar.label);
}
// A mark's triangle reaches kMarkHalfWidth either side of its moment.
constexpr double kMarkHalfWidth = 3.0;
Extent MarkExtent(const TimelineAxis& axis, const TimelineMark& mark) {
    const double x = axis.X(mark.moment);
    return LabelledExtent(axis, x - kMarkHalfWidth, x + kMarkHalfWidth, mark.label);
}

// Lanes of one kind of item: each item goes to the lane `preferred` names when it is free
// there, else to the first free lane; a lane is free right of the extent it last took.
class LanePacker {
  public:
    std::size_t Place(const Extent& extent, std::size_t preferred) {
        if (preferred < ends_.size() && ends_[preferred] <= extent.from)
            return Take(preferred, extent);
        for (std::size_t lane = 0; lane < ends_.size(); ++lane)
            if (ends_[lane] <= extent.from) return Take(lane, extent);
        ends_.push_back(extent.to);
        return ends_.size() - 1;
    }
    std::size_t Count() const { return ends_.size(); }

  private:
    std::size_t Take(std::size_t lane, const Extent& extent) {
        ends_[lane] = extent.to;
        return lane;
    }
    std::vector<double> ends_;
};

void AddGroupLanes(const TimelineGroup& group, const TimelineAxis& axis,
                   std::vector<TimelineLane>& lanes) {
    std::vector<const TimelineMark*> marks;
    for (const TimelineMark& mark : group.marks)
        marks.push_back(&mark);
    std::ranges::sort(marks, {}, &TimelineMark::moment);
    std::vector<const TimelineBar*> bars;
    for (const TimelineBar& bar : group.bars)
        bars.push_back(&bar);
    std::ranges::stable_sort(bars, {}, &TimelineBar::start);

    // The marks share the heading lane and as many more as they need; the bars follow.
    const std::size_t firstLane = lanes.size();
    LanePacker markLanes;
    for (const TimelineMark* mark : marks) {
        const std::size_t lane = firstLane + markLanes.Place(MarkExtent(axis, *mark), 0);
        if (lane >= lanes.size()) lanes.push_back({&group, false, {}, {}});
        lanes[lane].marks.push_back(mark);
    }
    if (lanes.size() == firstLane) lanes.push_back({&group, false, {}, {}});
    lanes[firstLane].heading = true;

    const std::size_t barLanes = lanes.size();
    LanePacker packer;
    std::vector<std::pair<std::string_view, std::size_t>> laneOfLabel;
    for (const TimelineBar* bar : bars) {
        const auto known = std::ranges::find(laneOfLabel, std::string_view(bar->label),
                                             &std::pair<std::string_view, std::size_t>::first);
        const std::size_t preferred = known == laneOfLabel.end() ? 0 : known->second;
        const std::size_t lane = packer.Place(BarExtent(axis, *bar), preferred);
        if (known == laneOfLabel.end())
            laneOfLabel.emplace_back(bar->label, lane);
        else
            known->second = lane;
        if (barLanes + lane >= lanes.size()) lanes.push_back({&group, false, {}, {}});
        lanes[barLanes + lane].bars.push_back(bar);
    }
}

struct Painter {
    PictureBox& box;
    const TimelineAxis& axis;

    void Grid(const std::vector<CalendarTick>& ticks, double top, double bottom) const {
        for (const CalendarTick& tick : ticks)
            box.Line(axis.X(tick.julianDay), top, axis.X(tick.julianDay), bottom, kDarkGrey);
    }

    // The labels of the divisions: both rows, or the lower one alone. A label that would
    // reach the next one of its row, or past the plot, is left out.
    void Calendar(const std::vector<CalendarTick>& ticks, double top, bool upperRow) const {
        if (upperRow) CalendarRow(ticks, &CalendarTick::upper, top, kWhite);
        CalendarRow(ticks, &CalendarTick::lower, top + (upperRow ? kRow : 0.0), kLightGrey);
    }

    void CalendarRow(const std::vector<CalendarTick>& ticks, std::string CalendarTick::*label,
                     double top, int colour) const {
        for (auto tick = ticks.begin(); tick != ticks.end(); ++tick) {
            const std::string& text = (*tick).*label;
            if (text.empty()) continue;
            const auto next = std::find_if(tick + 1, ticks.end(), [&](const CalendarTick& later) {
                return !(later.*label).empty();
            });
            const double room = next == ticks.end() ? axis.right : axis.X(next->julianDay);
            const double x = axis.X(tick->julianDay) + 2.0;
            if (x + CharacterWidth(text) * axis.cellWidth <= room)
                PrintAt(box, x, top, text, colour);
        }
    }

    void Bar(const TimelineBar& bar, double top) const {
        const double x1 = axis.X(bar.start);
        const double x2 = std::max(axis.X(bar.end), x1 + 1.0);
        PrintAt(box, LabelLeft(axis, x1, bar.label), top, bar.label, bar.colour);
        const double barTop = top + kRow + 1.0;
        for (int row = 0; row < kBarHeight; ++row)
            box.Line(x1, barTop + row, x2, barTop + row, bar.colour);
        for (double exact : bar.exact) {
            const double x = axis.X(exact);
            box.Line(x, barTop - kTickOverhang, x, barTop + kBarHeight + kTickOverhang, kWhite);
        }
    }

    // A small triangle pointing down at the moment, its label beside it.
    void Mark(const TimelineMark& mark, double top) const {
        const double x = axis.X(mark.moment);
        const double tip = top + kRow + kBarHeight + 2.0;
        const double base = top + kRow;
        box.Line(x - kMarkHalfWidth, base, x + kMarkHalfWidth, base, mark.colour);
        box.Line(x - kMarkHalfWidth, base, x, tip, mark.colour);
        box.Line(x + kMarkHalfWidth, base, x, tip, mark.colour);
        PrintAt(box, LabelLeft(axis, x - kMarkHalfWidth, mark.label), top, mark.label, mark.colour);
    }

    void Lane(const TimelineLane& lane, double top) const {
        if (lane.heading) {
            box.Line(0.0, top, axis.right, top, kDarkGrey);
            PrintAt(box, 0.0, top + kRow / 2, lane.group->name, kWhite);
        }
        for (const TimelineMark* mark : lane.marks)
            Mark(*mark, top);
        for (const TimelineBar* bar : lane.bars)
            Bar(*bar, top);
    }

    void Heading(const Timeline& timeline) const {
        PrintAt(box, 0.0, kTitleTop, timeline.title, kWhite);
        const auto rowWidth = [&](std::string TimelineKey::*text) {
            int characters = 0;
            for (const TimelineKey& key : timeline.key)
                characters += CharacterWidth(key.*text) + 2;
            return characters * axis.cellWidth;
        };
        const auto text =
            rowWidth(&TimelineKey::text) <= box.Width ? &TimelineKey::text : &TimelineKey::brief;
        double x = 0.0;
        for (const TimelineKey& key : timeline.key) {
            const double width = CharacterWidth(key.*text) * axis.cellWidth;
            if (x + width > box.Width) break;
            PrintAt(box, x, kTitleTop + kRow, key.*text, key.colour);
            x += width + 2 * axis.cellWidth;
        }
    }
};

} // namespace

double TimelineAxis::X(double julianDay) const {
    const double clamped = std::clamp(julianDay, first, last);
    return left + (right - left) * (clamped - first) / (last - first);
}

TimelineLayout LayOutTimeline(const Timeline& timeline, double width, int columns) {
    TimelineLayout layout;
    TimelineAxis& axis = layout.axis;
    axis.cellWidth = width / columns;
    int nameWidth = 0;
    for (const TimelineGroup& group : timeline.groups)
        nameWidth = std::max(nameWidth, CharacterWidth(group.name));
    axis.left = (nameWidth + 1) * axis.cellWidth;
    axis.right = width - axis.cellWidth;
    axis.first = timeline.first;
    // A span of no length still gets an axis of one day.
    axis.last = timeline.last > timeline.first ? timeline.last : timeline.first + 1.0;
    for (const TimelineGroup& group : timeline.groups)
        AddGroupLanes(group, axis, layout.lanes);
    return layout;
}

double TimelineHeight(std::size_t laneCount) {
    return kLanesTop + static_cast<double>(std::max<std::size_t>(laneCount, 1)) * kLaneHeight +
           kCalendarBelow;
}

std::size_t DrawTimeline(const Timeline& timeline, const TimelineLayout& layout,
                         std::size_t firstLane, double bottom, PictureBox& box) {
    box.Scale(0.0, 0.0, box.Width, box.Height);
    const TimelineAxis& axis = layout.axis;
    const Painter painter{box, axis};
    painter.Heading(timeline);

    std::size_t next = firstLane;
    double top = kLanesTop;
    while (next < layout.lanes.size() && top + kLaneHeight + kCalendarBelow <= bottom) {
        painter.Lane(layout.lanes[next++], top);
        top += kLaneHeight;
    }
    if (layout.lanes.empty()) {
        PrintAt(box, axis.left, top, "NO EVENTS IN THIS SPAN", kLightGrey);
        top += kLaneHeight;
    }
    const std::vector<CalendarTick> ticks = CalendarTicks(axis);
    painter.Grid(ticks, kCalendarTop, top);
    painter.Calendar(ticks, kCalendarTop, true);
    painter.Calendar(ticks, top + 4.0, false);
    box.Line(axis.left, kLanesTop - 2.0, axis.right, kLanesTop - 2.0, kLightGrey);
    return next;
}

PictureBox TimelinePicture(const Timeline& timeline, double width, int columns) {
    const TimelineLayout layout = LayOutTimeline(timeline, width, columns);
    const std::size_t lanes = std::min(layout.lanes.size(), kMostPictureLanes);
    const bool cut = lanes < layout.lanes.size();
    PictureBox box(width, TimelineHeight(lanes) + (cut ? kRow : 0.0), columns);
    DrawTimeline(timeline, layout, 0, TimelineHeight(lanes), box);
    if (cut)
        PrintAt(box, 0.0, TimelineHeight(lanes),
                std::to_string(layout.lanes.size() - lanes) +
                    " MORE LANES LEFT OUT: A SHORTER SPAN OR FEWER BODIES SHOWS THEM",
                kLightGrey);
    return box;
}

} // namespace astrodesk
