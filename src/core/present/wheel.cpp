#include "present/wheel.hpp"

#include "astro/angles.hpp"
#include "present/glyphs.hpp"
#include "shell/defaults.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

namespace {

// The wheel's user coordinates on the Screen: 0..640 across, 0..423 down.
constexpr double kUserWidth = 640.0;
constexpr double kUserHeight = 423.0;

// Geometry in user units about the centre point.
constexpr double kCentreX = 410.0;
constexpr double kCentreY = 210.0;
constexpr std::array kOuterRimRadii{208.0, 209.0, 210.0};
constexpr std::array kInnerRimRadii{178.0, 179.0, 180.0};
constexpr double kZodiacInner = 178.0; // spokes end and sign boundaries start here
constexpr double kZodiacOuter = 210.0;
constexpr double kSignIconRadius = 195.0;
constexpr double kDotRadius = 130.0;
constexpr double kBodyIconRadius = 147.0;
constexpr double kStackStep = 15.0; // radius added per stacking level
// Offsets from an icon's point to its top-left corner: sign icons are centred on theirs, body
// icons sit a little right of theirs.
constexpr double kSignIconShiftX = 8.0;
constexpr double kBodyIconShiftX = 5.0;
constexpr double kIconShiftY = 8.0;
// Pictures are 16 units square.
constexpr double kIconSize = 16.0;
// Two body pictures may share at most this fraction of a picture; beyond it the later one (going
// round the wheel from the starting entry) steps out a level, as the crowding rule steps the third
// of a crowd.
constexpr double kMostSharedFraction = 1.0 / 3.0;
// The outermost level: beyond it a picture on the left would reach the listing.
constexpr int kOutermostLevel = 5;
// Where no level of its own spoke holds a picture wholly on the page and clear of the others, it
// is set on the nearest free spoke this many degrees to either side.
constexpr double kSideStepDegrees = 1.0;

constexpr double kSectorDegrees = 30.0;
// Bodies closer than this in longitude crowd each other and their icons step outwards.
constexpr double kCrowdDegrees = 8.0;

// Listing codes of slots 1..15, three characters each: the Midheaven is listed as "M.C".
// The listing beside the wheel codes the angles of slots 13..15 so; the bodies by their codes.
constexpr std::string_view kListingAngleCodes = "ASCM.CVTX";
constexpr std::size_t kNameCharacters = 15;

struct ScreenPoint {
    double x, y;
};

// The point at `radius` from the centre in screen direction `angle` (degrees, counter-clockwise
// from the right).
ScreenPoint PointAt(double angle, double radius) {
    const double a = DegToRad(angle);
    return {kCentreX + radius * std::cos(a), kCentreY - radius * std::sin(a)};
}

// Screen direction of an ecliptic longitude (degrees): the Ascendant points left and longitude
// grows counter-clockwise.
double ScreenAngle(double longitude, double ascLon) {
    return Reduce360(longitude - ascLon - 180.0);
}

void DrawRims(PictureBox& box) {
    for (const auto& radii : {kOuterRimRadii, kInnerRimRadii})
        for (const double radius : radii)
            box.Circle(kCentreX, kCentreY, radius, box.ForeColour);
    box.Dot(kCentreX, kCentreY, box.ForeColour);
}

// Spokes of the twelve equal sectors from the Ascendant, and the sign boundaries in the ring.
void DrawSectors(PictureBox& box, double ascLon) {
    for (int sector = 0; sector < 12; ++sector) {
        const ScreenPoint spokeEnd = PointAt(sector * kSectorDegrees, kZodiacInner);
        box.Line(kCentreX, kCentreY, spokeEnd.x, spokeEnd.y);
        const double boundary = ScreenAngle(sector * kSectorDegrees, ascLon);
        const ScreenPoint inner = PointAt(boundary, kZodiacInner);
        const ScreenPoint outer = PointAt(boundary, kZodiacOuter);
        box.Line(inner.x, inner.y, outer.x, outer.y);
    }
}

// Top-left corner of the picture of sign 1..12, in the middle of its sector of the ring.
ScreenPoint SignIconCorner(int sign, double ascLon) {
    const double middle = sign * kSectorDegrees - kSectorDegrees / 2;
    const ScreenPoint at = PointAt(ScreenAngle(middle, ascLon), kSignIconRadius);
    return {at.x - kSignIconShiftX, at.y - kIconShiftY};
}

void DrawSignIcons(PictureBox& box, double ascLon) {
    for (int sign = 1; sign <= 12; ++sign) {
        const ScreenPoint corner = SignIconCorner(sign, ascLon);
        box.PaintPicture(signicon(sign), corner.x, corner.y);
    }
}

struct WheelEntry {
    int slot = 0;
    double longitude = 0.0; // degrees
    int level = 0;
};
// Entries 1..12; entry 0 stays at longitude 0 and serves as "the body before the first".
using WheelTable = IndexedArray<WheelEntry, 0, 12>;

void SortByLongitude(WheelTable& table) {
    for (int i = 1; i <= 11; ++i)
        for (int j = i + 1; j <= 12; ++j)
            if (table[j].longitude < table[i].longitude) std::swap(table[i], table[j]);
}

// Entry at which stacking starts: the first after a gap wider than the crowding distance among
// the lowest eight longitudes, so that a crowd near 0 degrees is not split; 1 if none.
int StartingEntry(const WheelTable& table) {
    if (table[1].longitude > kCrowdDegrees) return 1;
    for (int i = 1; i <= 7; ++i)
        if (table[i + 1].longitude - table[i].longitude > kCrowdDegrees) return i + 1;
    return 1;
}

// Each body crowding the one before it steps one level out, unless the body two places before
// is already clear of it; bodies exactly the crowding distance apart do not crowd.
void AssignLevels(WheelTable& table) {
    table[1].level = 0;
    for (int i = 1; i <= 11; ++i) {
        const double gap = table[i + 1].longitude - table[i].longitude;
        const bool clearOfSecondBefore =
            table[i + 1].longitude - table[i - 1].longitude > kCrowdDegrees;
        table[i + 1].level = gap < kCrowdDegrees && !clearOfSecondBefore ? table[i].level + 1 : 0;
    }
}

// Top-left corner of a body picture at a level on the spoke of a screen direction.
ScreenPoint BodyIconCorner(double angle, int level) {
    const ScreenPoint at = PointAt(angle, kBodyIconRadius + kStackStep * level);
    return {at.x - kBodyIconShiftX, at.y - kIconShiftY};
}

// The fraction of a picture that two pictures with these corners share.
double SharedFraction(ScreenPoint a, ScreenPoint b) {
    const double across = std::max(0.0, kIconSize - std::abs(a.x - b.x));
    const double down = std::max(0.0, kIconSize - std::abs(a.y - b.y));
    return across * down / (kIconSize * kIconSize);
}

bool WhollyOnPage(ScreenPoint corner) {
    return corner.x >= 0.0 && corner.x + kIconSize <= kUserWidth && corner.y >= 0.0 &&
           corner.y + kIconSize <= kUserHeight;
}

using IconCorners = std::vector<ScreenPoint>;

// A picture at the corner stays visible: on the page and sharing little with those placed.
bool FreeCorner(ScreenPoint corner, const IconCorners& placed) {
    return WhollyOnPage(corner) && std::ranges::none_of(placed, [corner](ScreenPoint other) {
               return SharedFraction(corner, other) > kMostSharedFraction;
           });
}

// The first free corner from a level outwards on the spoke, if any.
std::optional<ScreenPoint> FreeCornerOnSpoke(double angle, int level, const IconCorners& placed) {
    for (; level <= kOutermostLevel; ++level)
        if (const ScreenPoint corner = BodyIconCorner(angle, level); FreeCorner(corner, placed))
            return corner;
    return std::nullopt;
}

// A body's picture from its crowding level outwards on its spoke; where none is free there, on
// the nearest spoke to either side that has a free level.
ScreenPoint PlaceIcon(double angle, int level, const IconCorners& placed) {
    if (const auto corner = FreeCornerOnSpoke(angle, level, placed)) return *corner;
    for (double side = kSideStepDegrees; side <= 180.0; side += kSideStepDegrees)
        for (const double spoke : {angle - side, angle + side})
            if (const auto corner = FreeCornerOnSpoke(spoke, 0, placed)) return *corner;
    return BodyIconCorner(angle, level); // never reached: the inner ring alone holds 50 pictures
}

// Picture corners of body slots 1..12: the crowding rule gives each body its level, then each
// picture, in the rule's order, is kept clear of the sign pictures and of those placed before it.
IndexedArray<ScreenPoint, 1, 12> IconCornersOf(const Factors& factors, double ascLon) {
    WheelTable table;
    for (int slot = 1; slot <= 12; ++slot)
        table[slot] = {slot, factors.FactorLon[slot], 0};
    SortByLongitude(table);
    const auto first = table.begin() + 1;
    std::rotate(first, first + (StartingEntry(table) - 1), table.end());
    AssignLevels(table);
    IndexedArray<ScreenPoint, 1, 12> corners;
    IconCorners placed;
    for (int sign = 1; sign <= 12; ++sign)
        placed.push_back(SignIconCorner(sign, ascLon));
    for (int i = 1; i <= 12; ++i) {
        const WheelEntry& entry = table[i];
        const double angle = ScreenAngle(entry.longitude, ascLon);
        corners[entry.slot] = placed.emplace_back(PlaceIcon(angle, entry.level, placed));
    }
    return corners;
}

using WheelPoints = IndexedArray<ScreenPoint, 1, 12>;

// Dots and pictures of slots 1..12; returns the dots for the aspect lines.
WheelPoints DrawBodies(PictureBox& box, const Factors& factors, double ascLon) {
    const IndexedArray<ScreenPoint, 1, 12> corners = IconCornersOf(factors, ascLon);
    WheelPoints dots;
    for (int slot = 1; slot <= 12; ++slot) {
        dots[slot] = PointAt(ScreenAngle(factors.FactorLon[slot], ascLon), kDotRadius);
        box.Dot(dots[slot].x, dots[slot].y, kWhite);
        box.PaintPicture(planicon(slot), corners[slot].x, corners[slot].y);
    }
    return dots;
}

// An aspect drawn as a line: separations within angle +- orb * orbNumerator / orbDenominator.
struct AspectBand {
    double angle; // degrees
    int orbNumerator;
    int orbDenominator;
    int colour;
};
// In the order of testing: a later band that also holds decides the colour.
constexpr std::array kAspectBands{
    AspectBand{180.0, 1, 1, kLightMagenta}, // opposition
    AspectBand{90.0, 1, 2, kLightRed},      // square
    AspectBand{120.0, 2, 3, kLightGreen},   // trine
    AspectBand{60.0, 1, 3, kLightBlue},     // sextile
    AspectBand{30.0, 1, 6, kYellow},        // semi-sextile
    AspectBand{150.0, 1, 6, kYellow},       // quincunx
    AspectBand{45.0, 1, 4, kBrown},         // semi-square
    AspectBand{135.0, 1, 4, kBrown},        // sesquiquadrate
};

// Palette colour of the line for a separation of 0..180 degrees, black (none) when no band
// holds; conjunctions have no band.
int AspectColour(double separation, int orbDegrees) {
    int colour = kBlack;
    for (const AspectBand& band : kAspectBands) {
        const double halfWidth =
            static_cast<double>(orbDegrees * band.orbNumerator) / band.orbDenominator;
        if (std::abs(separation - band.angle) <= halfWidth) colour = band.colour;
    }
    return colour;
}

void DrawAspectLines(PictureBox& box, const Factors& factors, const Options& options,
                     const WheelPoints& dots) {
    const auto& lon = factors.FactorLon;
    for (int i = 1; i <= 11; ++i) {
        for (int j = i + 1; j <= 12; ++j) {
            double separation = Reduce360(lon[j] - lon[i]);
            if (separation > 180.0) separation = 360.0 - separation;
            int colour = AspectColour(separation, options.OrbDegrees);
            if (colour == kBlack) continue;
            if (options.PrintScreenKey == 1) colour = kWhite;
            box.Line(dots[i].x, dots[i].y, dots[j].x, dots[j].y, colour);
        }
    }
}

// One text of the given pieces, printed as one item.
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces)
        text += piece;
    return text;
}

// Positions of every slot but the centre slot, then the chart's data.
void PrintListing(PictureBox& box, const ProgramState& state, int centreSlot) {
    box.CurrentX = 0.0;
    box.CurrentY = 0.0;
    for (int slot = 1; slot <= 15; ++slot) {
        if (slot == centreSlot) continue;
        const std::string_view code =
            slot <= 12 ? BodyCode(slot) : kListingAngleCodes.substr(3 * (slot - 13), 3);
        box.Print(Joined({" ", code, state.positions.PositionText[slot]}));
    }
    box.PrintEmptyLine();
    const ChartRecord& record = state.record;
    box.Print(Joined({"CHART FROM ", state.bodies.BodyName[centreSlot]}));
    box.Print(Joined({"NAME = ", FirstCharacters(record.ChartName, kNameCharacters)}));
    box.Print(Joined({"DATE = ", record.ChartDate}));
    box.Print(Joined({"GMT  = ", record.ChartTime}));
    box.Print(Joined({"LAT  = ", record.ChartLatitude}));
    box.Print(Joined({"LONG = ", record.ChartLongitude}));
}

} // namespace

void DrawWheelPage(const ProgramState& state, PictureBox& box) {
    box.Scale(0.0, 0.0, kUserWidth, kUserHeight);
    box.Cls();
    const int centreSlot = CentreSlot(state.working.ChartCentre);
    const double ascLon = state.factors.FactorLon[centreSlot];
    DrawRims(box);
    DrawSectors(box, ascLon);
    DrawSignIcons(box, ascLon);
    const WheelPoints dots = DrawBodies(box, state.factors, ascLon);
    DrawAspectLines(box, state.factors, state.options, dots);
    PrintListing(box, state, centreSlot);
}

void DrawChartWheel(const ProgramState& state, OutputScreen& output) {
    if (state.working.ChartReady != 1) return;
    output.Show();
    output.SetContinueVisible(false);
    output.Refresh();
    DrawWheelPage(state, output.Screen);
    output.SetContinueVisible(true);
    output.Refresh();
    output.WaitForContinue();
}

} // namespace astrodesk
