#include "present/timeline.hpp"
#include "support/display_items.hpp"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace astrodesk {
namespace {

using testing::ItemsOf;

using ::testing::ElementsAre;

// Julian Days at 0h Greenwich.
constexpr double k2027January1 = 2461406.5;
constexpr double k2028January1 = 2461771.5;

TimelineBar Bar(std::string label, double start, double end, std::vector<double> exact = {}) {
    return {std::move(label), start, end, std::move(exact), kLightRed};
}

Timeline YearWith(std::vector<TimelineGroup> groups) {
    return {"TRANSITS OF A TEST CHART", k2027January1, k2028January1, std::move(groups), {}};
}

std::vector<std::string> TextsOf(const PictureBox& box) {
    std::vector<std::string> texts;
    for (const TextItem& item : ItemsOf<TextItem>(box))
        texts.push_back(item.text);
    return texts;
}

// x of the vertical calendar lines (dark grey), left to right.
std::vector<double> GridLines(const PictureBox& box) {
    std::vector<double> xs;
    for (const LineItem& line : ItemsOf<LineItem>(box))
        if (line.colour == kDarkGrey && line.x1 == line.x2) xs.push_back(line.x1);
    std::ranges::sort(xs);
    return xs;
}

TEST(TimelineLanes, PassesOfOneAspectShareALaneAndOverlapsDoNot) {
    const Timeline timeline = YearWith({{"SATURN",
                                         {Bar("SQR SUN", k2027January1 + 10, k2027January1 + 60),
                                          Bar("TRI MOON", k2027January1 + 30, k2027January1 + 90),
                                          Bar("SQR SUN", k2027January1 + 200, k2027January1 + 260)},
                                         {{"LE", k2027January1 + 100, kWhite}}},
                                        {"PLUTO", {}, {{"SD", k2027January1 + 5, kWhite}}}});
    const TimelineLayout layout = LayOutTimeline(timeline, 1280.0, 160);
    ASSERT_EQ(layout.lanes.size(), 4U); // Saturn: marks, two bar lanes; Pluto: its marks
    EXPECT_TRUE(layout.lanes[0].heading);
    EXPECT_EQ(layout.lanes[0].marks.size(), 1U);
    EXPECT_TRUE(layout.lanes[0].bars.empty());
    const auto labels = [](const TimelineLane& lane) {
        std::vector<std::string> found;
        for (const TimelineBar* bar : lane.bars)
            found.push_back(bar->label);
        return found;
    };
    EXPECT_THAT(labels(layout.lanes[1]), ElementsAre("SQR SUN", "SQR SUN"));
    EXPECT_THAT(labels(layout.lanes[2]), ElementsAre("TRI MOON"));
    EXPECT_FALSE(layout.lanes[2].heading);
    EXPECT_TRUE(layout.lanes[3].heading);
    EXPECT_EQ(layout.lanes[3].group->name, "PLUTO");
}

TEST(TimelineLanes, LabelsKeepTheirBarsApartAndMarksStackWhenCrowded) {
    // Bars of a day each, a day apart: their bars do not touch, their labels would.
    const Timeline timeline =
        YearWith({{"MOON",
                   {Bar("CON SUN", k2027January1 + 10, k2027January1 + 11),
                    Bar("CON ASC", k2027January1 + 12, k2027January1 + 13)},
                   {{"AR", k2027January1 + 10, kWhite}, {"TA", k2027January1 + 10.5, kWhite}}}});
    const TimelineLayout layout = LayOutTimeline(timeline, 1280.0, 160);
    ASSERT_EQ(layout.lanes.size(), 4U);
    EXPECT_EQ(layout.lanes[0].marks.size(), 1U);
    EXPECT_EQ(layout.lanes[1].marks.size(), 1U);
    EXPECT_EQ(layout.lanes[2].bars.size(), 1U);
    EXPECT_EQ(layout.lanes[3].bars.size(), 1U);
}

TEST(TimelinePicture, AYearHasTwelveMonthsAtTheirDays) {
    const Timeline timeline =
        YearWith({{"SATURN", {Bar("SQR SUN", k2027January1 + 31, k2027January1 + 59)}, {}}});
    const PictureBox box = TimelinePicture(timeline, 1280.0, 160);
    const TimelineAxis axis = LayOutTimeline(timeline, 1280.0, 160).axis;
    const std::vector<std::string> texts = TextsOf(box);
    // Above and below the lanes; the year above only; no label at the span's end.
    for (const char* month : {"JAN", "FEB", "JUN", "DEC", "2027", "2028"})
        EXPECT_EQ(std::ranges::count(texts, month), month[0] != '2' ? 2 : month[3] == '7') << month;
    std::vector<double> grid = GridLines(box);
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    ASSERT_EQ(grid.size(), 13U); // 1 January 2027 to 1 January 2028
    EXPECT_DOUBLE_EQ(grid[0], axis.left);
    EXPECT_DOUBLE_EQ(grid[12], axis.right);
    // 1 March: 31 + 28 days into a year of 365.
    EXPECT_NEAR(grid[2], axis.left + (axis.right - axis.left) * 59.0 / 365.0, 1e-9);
    // The bar runs from 1 February to 1 March, on those grid lines.
    double barLeft = 1e9, barRight = -1e9;
    for (const LineItem& line : ItemsOf<LineItem>(box))
        if (line.colour == kLightRed) {
            barLeft = std::min(barLeft, line.x1);
            barRight = std::max(barRight, line.x2);
        }
    EXPECT_DOUBLE_EQ(barLeft, grid[1]);
    EXPECT_DOUBLE_EQ(barRight, grid[2]);
}

TEST(TimelinePicture, TheCalendarReformOfOctober1582HasAShortMonth) {
    // 1 September to 1 December 1582: October of the Julian calendar ends on the 4th, the
    // Gregorian resumes on the 15th, so October holds 21 days.
    Timeline timeline = YearWith({});
    timeline.first = 2299126.5; // 1582 September 1 (Julian)
    timeline.last = timeline.first + 30 + 21 + 30;
    const PictureBox box = TimelinePicture(timeline, 1280.0, 160);
    const TimelineAxis axis = LayOutTimeline(timeline, 1280.0, 160).axis;
    const double pixelsPerDay = (axis.right - axis.left) / (timeline.last - timeline.first);
    std::vector<double> grid = GridLines(box);
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    ASSERT_EQ(grid.size(), 4U);
    EXPECT_NEAR((grid[1] - grid[0]) / pixelsPerDay, 30.0, 1e-6);
    EXPECT_NEAR((grid[2] - grid[1]) / pixelsPerDay, 21.0, 1e-6);
    EXPECT_NEAR((grid[3] - grid[2]) / pixelsPerDay, 30.0, 1e-6);
}

TEST(TimelinePicture, LongSpansCountYearsAndShortOnesDays) {
    Timeline century = YearWith({});
    century.first = 1721057.5 - 365.25 * 60; // about 60 B.C.
    century.last = 1721057.5 + 365.25 * 40;  // to about A.D. 40
    const std::vector<std::string> years = TextsOf(TimelinePicture(century, 1280.0, 160));
    EXPECT_EQ(std::ranges::count(years, "50 BC"), 1);
    EXPECT_EQ(std::ranges::count(years, "JAN"), 0);

    Timeline fortnight = YearWith({});
    fortnight.last = fortnight.first + 14.0;
    const std::vector<std::string> days = TextsOf(TimelinePicture(fortnight, 1280.0, 160));
    EXPECT_EQ(std::ranges::count(days, "JAN 2027"), 1);
    EXPECT_EQ(std::ranges::count(days, "14"), 2); // above and below the lanes
}

TEST(TimelinePicture, TextStaysInsideThePictureAndBarsInsideThePlot) {
    // Bars beyond both edges of the span, long labels at the right edge, a crowd of marks.
    TimelineGroup group{"PROG MERCURY",
                        {Bar("SESQUISQUARE MIDHEAVEN", k2027January1 - 40, k2027January1 + 3),
                         Bar("SESQUISQUARE MIDHEAVEN", k2028January1 - 1, k2028January1 + 9)},
                        {}};
    for (int day = 0; day < 365; day += 3)
        group.marks.push_back({"RET", k2027January1 + day, kYellow});
    const Timeline timeline = YearWith({group});
    const PictureBox box = TimelinePicture(timeline, 640.0, 80);
    const TimelineAxis axis = LayOutTimeline(timeline, 640.0, 80).axis;
    for (const TextItem& text : ItemsOf<TextItem>(box)) {
        EXPECT_GE(text.x, 0.0);
        EXPECT_LE(text.x + text.text.size() * box.CellWidth(), box.Width + 1e-9) << text.text;
        EXPECT_LE(text.y + PictureBox::kLineHeight, box.Height) << text.text;
    }
    for (const LineItem& line : ItemsOf<LineItem>(box))
        if (line.colour == kLightRed) {
            EXPECT_GE(line.x1, axis.left);
            EXPECT_LE(line.x2, axis.right);
        }
    // No row of the page holds two texts that overlap.
    const auto texts = ItemsOf<TextItem>(box);
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            if (texts[i].y == texts[j].y) {
                const auto& [a, b] =
                    std::minmax(texts[i], texts[j], [](auto& p, auto& q) { return p.x < q.x; });
                EXPECT_LE(a.x + a.text.size() * box.CellWidth(), b.x + 1e-9)
                    << a.text << " / " << b.text;
            }
}

TEST(TimelinePages, EveryLaneIsDrawnOnExactlyOnePage) {
    TimelineGroup group{"SUN", {}, {}};
    for (int day = 0; day < 360; day += 2)
        group.bars.push_back(Bar("CON SUN", k2027January1 + day, k2027January1 + day + 12));
    const Timeline timeline = YearWith({group});
    const TimelineLayout layout = LayOutTimeline(timeline, 638.0, 80);
    ASSERT_GT(layout.lanes.size(), 20U);
    std::size_t bars = 0;
    std::size_t next = 0;
    int pages = 0;
    while (next < layout.lanes.size()) {
        PictureBox page(638.0, 428.0);
        const std::size_t after = DrawTimeline(timeline, layout, next, 330.0, page);
        ASSERT_GT(after, next);
        for (const TextItem& text : ItemsOf<TextItem>(page)) {
            bars += text.text == "CON SUN";
            EXPECT_LE(text.y + PictureBox::kLineHeight, 330.0);
        }
        next = after;
        ++pages;
    }
    EXPECT_EQ(bars, group.bars.size());
    EXPECT_GT(pages, 1);
}

} // namespace
} // namespace astrodesk
