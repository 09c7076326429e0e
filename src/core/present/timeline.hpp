#pragma once

// The timeline of a span: the calendar along the axis, one bar for each stretch of time an
// aspect stays within its orb with its exact moments marked, and single moments (sign
// ingresses, stations, returns) as marks, all grouped by the moving body. It takes plain data,
// so that any search can draw on it; moments are Julian Days as the program counts them
// (Greenwich time taken as it stands, the Julian calendar up to 4 October 1582).

#include "shell/output_screen.hpp"

#include <string>
#include <vector>

namespace astrodesk {

// An aspect within its orb from `start` to `end` (Julian Days); a bar that began before the
// span or ends after it is cut at the span's edge.
struct TimelineBar {
    std::string label;         // "SQR SUN": the aspect and the point it is made to
    double start = 0.0;        // Julian Day
    double end = 0.0;          // Julian Day
    std::vector<double> exact; // the exact moments within the bar, Julian Days
    int colour = kWhite;       // palette colour, by the kind of aspect
};

// A single moment: "LE" for an ingress into Leo, "SR"/"SD" for a station, "RET" for a return.
struct TimelineMark {
    std::string label;
    double moment = 0.0; // Julian Day
    int colour = kWhite;
};

// The bars and marks of one moving body, under its name ("SATURN", "PROG SUN").
struct TimelineGroup {
    std::string name;
    std::vector<TimelineBar> bars;
    std::vector<TimelineMark> marks;
};

// A colour key shown under the title: each entry's text in its colour, or the brief forms of
// all entries where the texts do not fit on the row.
struct TimelineKey {
    std::string text;  // "SQR SQUARE"
    std::string brief; // "SQR"
    int colour = kWhite;
};

struct Timeline {
    std::string title;
    double first = 0.0; // the span, Julian Days
    double last = 0.0;
    std::vector<TimelineGroup> groups; // top to bottom
    std::vector<TimelineKey> key;
};

// One lane of the picture: a group's first lane carries its name and its marks; bars share a
// lane when neither they nor their labels touch.
struct TimelineLane {
    const TimelineGroup* group = nullptr;
    bool heading = false; // the lane of the group's name and marks
    std::vector<const TimelineBar*> bars;
    std::vector<const TimelineMark*> marks;
};

// Where the moments fall across the box.
struct TimelineAxis {
    double first = 0.0, last = 0.0; // Julian Days at the plot's left and right edges
    double left = 0.0, right = 0.0; // the plot's edges, pixels
    double cellWidth = 8.0;         // pixels a character
    double X(double julianDay) const;
};

// The lanes across a box of `width` pixels and `columns` character cells, the plot beginning
// after the longest group name. The lanes follow the groups' order; within a group a bar goes
// to the lane of the last bar with the same label if it fits there, else to the first lane
// where it fits. The lanes point into the timeline, which must outlive them.
struct TimelineLayout {
    TimelineAxis axis;
    std::vector<TimelineLane> lanes;
};
TimelineLayout LayOutTimeline(const Timeline& timeline, double width, int columns);

// Height in pixels of a picture of `laneCount` lanes: title, key, the calendar above and below.
double TimelineHeight(std::size_t laneCount);

// Draws the title, the key, the calendar above and below, and the lanes from `firstLane` on,
// as many as fit above `bottom` (pixels from the top of the box), on the box, whose scale it
// sets to pixels; returns the index of the first lane not drawn (all drawn: lanes.size()).
std::size_t DrawTimeline(const Timeline& timeline, const TimelineLayout& layout,
                         std::size_t firstLane, double bottom, PictureBox& box);

// The whole timeline in one picture box `width` pixels wide, as tall as its lanes need up to
// kMostPictureLanes lanes (some 14 000 pixels); a note under the calendar counts the lanes
// left out beyond.
inline constexpr std::size_t kMostPictureLanes = 580;
PictureBox TimelinePicture(const Timeline& timeline, double width, int columns);

} // namespace astrodesk
