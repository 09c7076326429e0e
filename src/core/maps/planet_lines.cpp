#include "astro/angles.hpp"
#include "maps/map_plotter.hpp"
#include "shell/defaults.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace astrodesk {

namespace {

// Three-letter codes of slots 1..15 in the legend; slot 5, the zenith of the place, is "EAR".
// The map's codes of the points after the bodies, slots 13..16.
constexpr std::string_view kMapPointCodes = "LSPASDMDCVTX";

// Step of the circle's parameter between plotted samples, radians.
constexpr double kCircleStep = 0.02;
// Samples of a cylindrical line farther apart in longitude (degrees) are not joined.
constexpr double kLongestJoin = 90.0;
// Legend panel: 20 labels a column, columns 64 pixels apart, rows 16 pixels apart.
constexpr int kLegendRows = 20;
constexpr double kLegendColumnWidth = 64.0;
constexpr double kLegendRowHeight = 16.0;
// The whole-world cartography legend stands this much further right (pixels).
constexpr double kWorldLegendIndent = 8.0;
// The panel's position after the legend: 128 pixels a column, from x = 16.
constexpr double kNextCellColumnStep = 128.0;
constexpr double kNextCellFirstX = 16.0;
// Line colours run through the palette from blue to white, then start again at blue.
constexpr int kLastLineColour = kWhite;
// Every label stands out from what is behind it by at least this contrast ratio (the level the
// accessibility guidelines ask of large text and of graphics).
constexpr double kLeastLabelContrast = 3.0;
// A label too dark for the black panel keeps its line's colour on a light grey backing.
constexpr int kLabelBacking = kLightGrey;
// The second point of a vertex line when neither equator point has an image.
constexpr PlanePoint kNoVertexPoint{-999.0, -999.0};

int LabelBackground(int colour) {
    return ContrastRatio(colour, kBlack) >= kLeastLabelContrast ? kNoBackground : kLabelBacking;
}

std::string_view MapCode(int slot) {
    return slot <= 12 ? BodyCode(slot)
                      : kMapPointCodes.substr(static_cast<std::size_t>(3 * (slot - 13)), 3);
}

// Where the line through p1 and p2 crosses the edges of a window centred on 0, strictly inside
// each edge.
std::vector<PlanePoint> WindowCrossings(PlanePoint p1, PlanePoint p2, double halfWidth,
                                        double halfHeight) {
    std::vector<PlanePoint> crossings;
    if (p1.x == p2.x) {
        // Vertical: a meridian line through a body straight north or south of the centre.
        if (p1.y != p2.y && std::abs(p1.x) < halfWidth)
            crossings = {{p1.x, -halfHeight}, {p1.x, halfHeight}};
        return crossings;
    }
    double slope = (p2.y - p1.y) / (p2.x - p1.x);
    if (slope == 0.0) slope = 1e-8;
    const double intercept = p1.y - slope * p1.x;
    for (const double x : {-halfWidth, halfWidth}) {
        const double y = intercept + slope * x;
        if (std::abs(y) < halfHeight) crossings.push_back({x, y});
    }
    for (const double y : {halfHeight, -halfHeight}) {
        const double x = (y - intercept) / slope;
        if (std::abs(x) < halfWidth) crossings.push_back({x, y});
    }
    return crossings;
}

// The two crossings farthest apart: a line grazing a corner may cross three edges.
std::array<PlanePoint, 2> FarthestApart(const std::vector<PlanePoint>& points) {
    std::array<PlanePoint, 2> ends{points[0], points[1]};
    double longest = -1.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (std::size_t j = i + 1; j < points.size(); ++j) {
            const double length = std::hypot(points[j].x - points[i].x, points[j].y - points[i].y);
            if (length > longest) {
                longest = length;
                ends = {points[i], points[j]};
            }
        }
    }
    return ends;
}

// Neighbouring samples of a cylindrical line are joined, so that the line stays whole on a
// small window; not across the map's edge, nor across a pole, where a meridian turns back half a
// turn on.
bool JoinedSamples(PlanePoint a, PlanePoint b) {
    return std::abs(b.x - a.x) < kLongestJoin;
}

// Whether the segment from a to b (a point when they coincide) meets the window, edges included:
// the parametric clipping of Liang and Barsky (ACM Transactions on Graphics 3, 1984).
bool SegmentMeetsWindow(PlanePoint a, PlanePoint b, const MapWindow& window) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    // For each edge: the segment's step towards the outside and the room inside at its start.
    const std::array<std::pair<double, double>, 4> edges{{
        {-dx, a.x - window.x0},
        {dx, window.x0 + window.width - a.x},
        {-dy, a.y - window.y0},
        {dy, window.y0 + window.height - a.y},
    }};
    double enter = 0.0, leave = 1.0;
    for (const auto& [step, room] : edges) {
        if (step == 0.0) {
            if (room < 0.0) return false;
            continue;
        }
        const double t = room / step;
        if (step < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave) return false;
    }
    return true;
}

// Whether a drawn sample or a joining segment of a cylindrical line lies in the window.
bool ReachesWindow(const std::vector<PlanePoint>& samples, const MapWindow& window) {
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const PlanePoint from =
            k > 0 && JoinedSamples(samples[k - 1], samples[k]) ? samples[k - 1] : samples[k];
        if (SegmentMeetsWindow(from, samples[k], window)) return true;
    }
    return false;
}

} // namespace

std::optional<std::array<PlanePoint, 2>> ClipGnomicLine(PlanePoint p1, PlanePoint p2,
                                                        double halfWidth, double halfHeight) {
    const std::vector<PlanePoint> crossings = WindowCrossings(p1, p2, halfWidth, halfHeight);
    if (crossings.size() < 2) return std::nullopt;
    return FarthestApart(crossings);
}

bool MapPlotter::WholeWorldCartography() const {
    return options_.MapType == 1 && options_.MapArea == kWorldArea;
}

void MapPlotter::LabelLine(int slot, std::string_view kind) {
    LineLabel = std::string(MapCode(slot)) + "-" + std::string(kind);
}

// ---- Cylindrical maps --------------------------------------------------------------------

void MapPlotter::DrawCylindricalLines() {
    switch (options_.MapType) {
    case 0:
        DrawCylindricalLocalSpace();
        break;
    case 1:
        DrawCylindricalCartography();
        break;
    default:
        DrawCylindricalPairs();
        break;
    }
}

// For each body the circles where it stands on the horizon (90 degrees from its overhead point),
// on the meridian (the meridian circle of its right ascension) and on its vertex circle.
void MapPlotter::DrawCylindricalCartography() {
    BodyLineCount = 0;
    for (int b = 1; b <= 12; ++b) {
        const double ra = bodies_.MapRA[b];
        const double dec = bodies_.MapDec[b];
        const CircleLine horizon = dec >= 0.0 ? CircleLine{ra + kPi / 2.0, kPi / 2.0 - dec}
                                              : CircleLine{ra - kPi / 2.0, kPi / 2.0 + dec};
        const CircleLine meridian{ra, kPi / 2.0};
        const CircleLine vertex = dec > 0.0   ? CircleLine{ra - kPi / 2.0, dec}
                                  : dec < 0.0 ? CircleLine{ra + kPi / 2.0, -dec}
                                              : meridian;
        for (const auto& [kind, line] :
             {std::pair{"HOR", horizon}, std::pair{"MDN", meridian}, std::pair{"VTX", vertex}}) {
            LabelLine(b, kind);
            if (TestLineVisible(line)) DrawCircleOnMap(line);
        }
    }
}

void MapPlotter::DrawCylindricalPairs() {
    for (int i = 1; i <= 11; ++i) {
        if (i == kPlaceSlot) continue;
        for (int j = i + 1; j <= 12; ++j) {
            if (j == kPlaceSlot) continue;
            LabelLine(i, MapCode(j));
            DrawCircleThrough(i, j);
        }
    }
}

void MapPlotter::DrawCircleThrough(int slot1, int slot2) {
    CircleLine line = SolveGreatCircleLine(bodies_.MapRA[slot1], bodies_.MapRA[slot2],
                                           bodies_.MapDec[slot1], bodies_.MapDec[slot2]);
    if (line.LineInclination < 0.0) {
        line.LineInclination = -line.LineInclination;
        line.LineNode = Reduce2Pi(line.LineNode + kPi);
    }
    // A circle tilted less than the window's southern edge never reaches a northern window.
    if (!(RadToDeg(line.LineInclination) >= window_.y0)) return;
    if (TestLineVisible(line)) DrawCircleOnMap(line);
}

// The circle comes within the window's half-diagonal of the window's centre, both taken as
// places of the sky at the chart's moment.
bool MapPlotter::TestLineVisible(const CircleLine& line) const {
    const auto [x0, y0, width, height] = window_;
    const double reach = DegToRad(std::hypot(width, height) / 2.0);
    const double centreRA = bodies_.MapRAMC + DegToRad(x0 + width / 2.0 + bodies_.LongitudeWest);
    const double centreDec = DegToRad(y0 + height / 2.0);
    const double poleRA = Reduce2Pi(line.LineNode - kPi / 2.0);
    const double poleDec = kPi / 2.0 - line.LineInclination;
    const double distance = SolveGreatCircle(centreRA, poleRA, centreDec, poleDec).GcDistance;
    return std::abs(kPi / 2.0 - distance) < reach;
}

// Samples of the circle every 0.02 radian of its own length, as east longitude and latitude.
std::vector<PlanePoint> MapPlotter::CircleSamples(CircleLine line) const {
    if (line.LineInclination < 0.0) {
        line.LineInclination = -line.LineInclination;
        line.LineNode += kPi;
    }
    const double i = line.LineInclination;
    const double offset =
        RadToDeg(line.LineNode) - RadToDeg(bodies_.MapRAMC) - bodies_.LongitudeWest;
    std::vector<PlanePoint> samples;
    for (int n = 0; n * kCircleStep <= kTwoPi; ++n) {
        const double t = n * kCircleStep;
        const double latitude = RadToDeg(std::asin(std::sin(i) * std::sin(t)));
        // Right ascension along the circle from its node, 0..pi, and the second half-turn.
        double u = std::atan(std::cos(i) * std::tan(t));
        if (u < 0.0) u += kPi;
        double x = RadToDeg(u) + offset;
        if (t > kPi) x += 180.0;
        while (x > 190.0)
            x -= 360.0;
        while (x < -170.0)
            x += 360.0;
        samples.push_back({x, latitude});
    }
    return samples;
}

// The circle's samples and the segments joining neighbours, in a colour and with a label of its
// own when one of them lies in the window; a line that stays outside takes neither.
void MapPlotter::DrawCircleOnMap(CircleLine line) {
    const std::vector<PlanePoint> samples = CircleSamples(line);
    if (!ReachesWindow(samples, window_)) return;
    FirstPointDone = false;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const PlanePoint sample = samples[k];
        if (k > 0 && JoinedSamples(samples[k - 1], sample))
            Screen.Line(samples[k - 1].x, samples[k - 1].y, sample.x, sample.y);
        PlotLinePoint(sample.x, sample.y);
        FirstPointDone = true;
    }
}

void MapPlotter::PlotLinePoint(double x, double y) {
    if (!FirstPointDone) {
        if (WholeWorldCartography()) {
            // The three lines of one body share its colour.
            BodyLineCount = (BodyLineCount + 1) % 3;
            if (BodyLineCount == 1) ++LineColour;
        } else {
            ++LineColour;
        }
        StartLine(WholeWorldCartography() ? kWorldLegendIndent : 0.0);
    }
    Screen.Dot(x, y, Screen.ForeColour);
    picture_.lines.back().points.push_back({x, y});
    if (LineColour == kLastLineColour) LineColour = 0;
}

void MapPlotter::StartLine(double indent) {
    Screen.ForeColour = LineColour;
    TEXT.ForeColour = LineColour;
    ++LegendCount;
    LegendColumn = LegendCount / kLegendRows + 1;
    LegendRow = LegendCount - kLegendRows * (LegendColumn - 1);
    if (LegendRow == 0) {
        --LegendColumn;
        LegendRow = kLegendRows;
    }
    TEXT.CurrentX = kLegendColumnWidth * (LegendColumn - 1) + indent;
    TEXT.CurrentY = kLegendRowHeight * LegendRow;
    TEXT.TextBackColour = LabelBackground(LineColour);
    TEXT.Print(LineLabel);
    TEXT.TextBackColour = kNoBackground;
    picture_.legend.push_back({LineLabel, LineColour, LegendColumn, LegendRow});
    picture_.lines.push_back({LineLabel, LineColour, {}});
}

// The white border between legend and map, and the panel's position after the legend.
void MapPlotter::FinishLegend() {
    const double border = TEXT.Width - 1.0;
    TEXT.Line(border, 0.0, border, TEXT.Height, kWhite);
    ++LegendRow;
    if ((LegendRow - 1) % kLegendRows == 0) {
        ++LegendColumn;
        LegendRow = 1;
    }
    TEXT.CurrentX = kNextCellColumnStep * (LegendColumn - 1) + kNextCellFirstX;
    TEXT.CurrentY = kLegendRowHeight * LegendRow;
}

// ---- Gnomic maps -------------------------------------------------------------------------

void MapPlotter::DrawGnomicLines() {
    switch (options_.MapType) {
    case 0:
        DrawGnomicLocalSpace();
        break;
    case 1:
        DrawGnomicCartography();
        break;
    default:
        DrawGnomicPairs();
        break;
    }
}

// Great circles are straight lines on the gnomic plane: each is drawn through two of its points.
void MapPlotter::DrawGnomicCartography() {
    for (int b = 1; b <= 12; ++b) {
        // The horizon circle lies 90 degrees from the image p: it is the line perpendicular to p
        // through -p / |p|^2. A body imaged at the centre has the map's own rim as its horizon,
        // which is no line of the plane.
        LabelLine(b, "HOR");
        const std::optional<PlanePoint> p = GnomicBody[b];
        const double r2 = p ? p->x * p->x + p->y * p->y : 0.0;
        if (!(r2 > 0.0 && std::isfinite(r2))) continue;
        const PlanePoint q{-p->x / r2, -p->y / r2};
        DrawGnomicLine(q, PlanePoint{q.x - q.y, q.y + q.x});
    }
    // The meridian circle runs through the image of the north pole.
    const PlanePoint northPole{0.0, std::tan(kPi / 2.0 - DegToRad(MapCentreLat))};
    for (int b = 1; b <= 12; ++b) {
        LabelLine(b, "MDN");
        DrawGnomicLine(GnomicBody[b], northPole);
    }
    // The vertex circle runs through the equator 90 degrees west of the overhead point's
    // meridian, or 90 degrees east where the west one has no image.
    for (int b = 1; b <= 12; ++b) {
        LabelLine(b, "VTX");
        const double west = bodies_.MapRAMC - bodies_.MapRA[b] + DegToRad(bodies_.LongitudeWest);
        const double onEquator = 1e-8;
        std::optional<PlanePoint> second =
            GnomicImage(MapCentreLat, MapCentreLon, Reduce2Pi(west + kPi / 2.0), onEquator);
        if (!second)
            second =
                GnomicImage(MapCentreLat, MapCentreLon, Reduce2Pi(west - kPi / 2.0), onEquator);
        DrawGnomicLine(GnomicBody[b], second.value_or(kNoVertexPoint));
    }
}

void MapPlotter::DrawGnomicPairs() {
    for (int i = 1; i <= 11; ++i) {
        if (i == kPlaceSlot) continue;
        for (int j = i + 1; j <= 12; ++j) {
            if (j == kPlaceSlot) continue;
            LabelLine(i, MapCode(j));
            DrawGnomicLine(GnomicBody[i], GnomicBody[j]);
        }
    }
}

// The straight line through two plane points, clipped to the window; a line that misses the
// window, or runs through a body without an image, gets no colour and no legend label.
void MapPlotter::DrawGnomicLine(std::optional<PlanePoint> p1, std::optional<PlanePoint> p2) {
    if (!p1 || !p2) return;
    const auto ends = ClipGnomicLine(*p1, *p2, window_.width / 2.0, window_.height / 2.0);
    if (!ends) return;
    ++LineColour;
    StartLine(0.0);
    const auto [from, to] = *ends;
    Screen.Line(from.x, from.y, to.x, to.y);
    picture_.lines.back().points = {from, to};
    if (LineColour == kLastLineColour) LineColour = 0;
}

} // namespace astrodesk
