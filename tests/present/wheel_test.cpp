#include "present/glyphs.hpp"
#include "present/svg_export.hpp"
#include "present/wheel.hpp"
#include "support/display_items.hpp"

#include <algorithm>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <regex>
#include <sstream>

namespace astrodesk {
namespace {

using testing::ItemsOf;

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// A geocentric chart (centre slot 5 holds the Ascendant) with the longitudes of slots 1..12.
ProgramState ChartWith(std::array<double, 12> longitudes) {
    ProgramState state;
    state.working.ChartReady = 1;
    state.working.ChartCentre = 3;
    for (int slot = 1; slot <= 12; ++slot)
        state.factors.FactorLon[slot] = longitudes[static_cast<std::size_t>(slot - 1)];
    for (int slot = 1; slot <= 15; ++slot)
        state.positions.PositionText[slot] = "   POS" + std::to_string(slot);
    state.bodies.BodyName[1] = "THE SUN  ";
    state.bodies.BodyName[5] = "THE EARTH";
    state.record = {"A VERY LONG CHART NAME", "01-02-2003", "04:05:06", "53N28", "002W13", "", 0};
    return state;
}

// The page drawn at one pixel per user unit.
PictureBox Page(const ProgramState& state) {
    PictureBox box(640.0, 423.0);
    DrawWheelPage(state, box);
    return box;
}

std::optional<GlyphItem> Icon(const PictureBox& box, const Glyph& glyph) {
    for (const GlyphItem& item : ItemsOf<GlyphItem>(box))
        if (item.rows == glyph) return item;
    return std::nullopt;
}

// Distance of a body icon's point (5 left of its corner, 8 above) from the centre.
double IconRadius(const PictureBox& box, int slot) {
    const GlyphItem icon = Icon(box, planicon(slot)).value();
    return std::hypot(icon.x + 5.0 - 410.0, icon.y + 8.0 - 210.0);
}

bool StartsLineAt(const PictureBox& box, double x, double y) {
    return std::ranges::any_of(ItemsOf<LineItem>(box), [x, y](const LineItem& line) {
        return std::abs(line.x1 - x) < 1e-6 && std::abs(line.y1 - y) < 1e-6;
    });
}

// Colour of the aspect line between the dots of two slots (dot 0 is the centre point).
std::optional<int> LineColour(const PictureBox& box, int slotA, int slotB) {
    const std::vector<DotItem> dots = ItemsOf<DotItem>(box);
    for (const LineItem& line : ItemsOf<LineItem>(box))
        if (line.x1 == dots[slotA].x && line.y1 == dots[slotA].y && line.x2 == dots[slotB].x &&
            line.y2 == dots[slotB].y)
            return line.colour;
    return std::nullopt;
}

TEST(ChartWheel, PutsTheAscendantOnTheLeftAndLongitudeCounterClockwise) {
    const PictureBox box = Page(ChartWith({90, 30, 60, 120, 0, 150, 180, 210, 240, 270, 300, 330}));
    EXPECT_TRUE(StartsLineAt(box, 232.0, 210.0)) << "Pisces/Aries boundary on the left horizontal";
    const GlyphItem aries = Icon(box, signicon(1)).value();
    EXPECT_LT(aries.x, 230.0);
    EXPECT_GT(aries.y, 210.0);
    EXPECT_LT(aries.y, 280.0);
    const DotItem sun = ItemsOf<DotItem>(box)[1]; // 90 degrees: a quarter turn on, at the bottom
    EXPECT_NEAR(sun.x, 410.0, 1e-9);
    EXPECT_NEAR(sun.y, 340.0, 1e-9);

    // An Ascendant of 10 degrees puts 0 Aries 10 degrees above the left horizontal.
    const double tenDegrees = std::acos(-1.0) / 18.0;
    EXPECT_TRUE(
        StartsLineAt(Page(ChartWith({90, 30, 60, 120, 10, 150, 180, 210, 240, 270, 300, 330})),
                     410.0 - 178.0 * std::cos(tenDegrees), 210.0 - 178.0 * std::sin(tenDegrees)));
}

TEST(ChartWheel, StacksCrowdedIconsOutwards) {
    const PictureBox box =
        Page(ChartWith({100, 103, 106, 109, 0, 200, 208, 200, 60, 150, 250, 300}));
    // The crowding rule leaves 100 and 103 on the inner ring and steps 106 and 109 out; 103 would
    // cover half of the picture at 100, so it steps out, and those after it with it.
    const double radii[] = {147, 162, 177, 192, 0, 0, 147}; // slots 5 and 6 not checked
    for (int slot : {1, 2, 3, 4, 7})
        EXPECT_NEAR(IconRadius(box, slot), radii[slot - 1], 1e-9) << slot;
    // Exactly 8 degrees apart bodies do not crowd; two at one longitude share one place, so the
    // later steps out.
    EXPECT_NEAR(IconRadius(box, 6) + IconRadius(box, 8), 147 + 162, 1e-9);

    // The crowding distance is 8 degrees. The second of three bodies steps out to keep its
    // picture clear of the first; the third, 4.3 degrees on and clear of both pictures, steps
    // out too when it lies within 8 degrees of the first (7.5), and stays when beyond (8.5).
    const auto thirdRadius = [](double third) {
        return IconRadius(
            Page(ChartWith({100, 103.2, third, 200, 0, 250, 280, 300, 320, 340, 20, 50})), 3);
    };
    EXPECT_NEAR(thirdRadius(107.5), 162, 1e-9);
    EXPECT_NEAR(thirdRadius(108.5), 147, 1e-9);
}

// Stacking starts after the first gap wider than 8 degrees (from 0 degrees, then between the
// lowest longitudes); the bodies before it come last, stepping out from the body at 320 as a
// crowd across 0 degrees does. A gap of exactly 8 is no such gap, neither the one from 0 to the
// body at 8 nor the one from there to the pair at 16: stacking starts at 40, so the body at 8
// steps out after 320, and the second of the pair, within 8 degrees of the body two places
// before it, steps out with the body at 21 beyond it.
TEST(ChartWheel, AGapOfExactlyTheCrowdingDistanceDoesNotStartTheStacking) {
    const PictureBox box = Page(ChartWith({8, 16, 16, 21, 200, 40, 80, 120, 160, 240, 280, 320}));
    const double radii[] = {162, 147, 162, 177};
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_NEAR(IconRadius(box, slot), radii[slot - 1], 1e-9) << slot;
}

// The fraction of a picture that two 16-pixel pictures share.
double Shared(const GlyphItem& a, const GlyphItem& b) {
    return std::max(0.0, 16 - std::abs(a.x - b.x)) * std::max(0.0, 16 - std::abs(a.y - b.y)) / 256;
}

bool Meets(const GlyphItem& icon, const TextItem& text, double cellWidth) {
    const double right = text.x + cellWidth * static_cast<double>(CharacterCount(text.text));
    return icon.x < right && text.x < icon.x + 16 && icon.y < text.y + PictureBox::kLineHeight &&
           text.y < icon.y + 16;
}

// Distance from the wheel's centre to the nearest pixel of a picture.
double NearestToCentre(const GlyphItem& icon) {
    return std::hypot(std::clamp(410.0, icon.x, icon.x + 16) - 410.0,
                      std::clamp(210.0, icon.y, icon.y + 16) - 210.0);
}

// Random charts whose bodies crowd into one to four clusters, the Ascendant anywhere: every
// body's picture is drawn once, wholly on the page, clear of the listing and of the aspect
// lines (which join dots 130 from the centre), and shares at most a third of itself with another
// body's or a sign's picture.
TEST(ChartWheel, EveryBodyPictureStaysVisibleInCrowdedCharts) {
    std::mt19937 engine(17);
    std::uniform_real_distribution<double> anywhere(0.0, 360.0), spread(0.0, 12.0);
    std::uniform_int_distribution<std::size_t> clusters(1, 4);
    for (int chart = 0; chart < 2000; ++chart) {
        std::vector<double> centres(clusters(engine));
        for (double& centre : centres)
            centre = anywhere(engine);
        const double width = spread(engine);
        std::array<double, 12> longitudes;
        for (std::size_t k = 0; k < 12; ++k)
            longitudes[k] = std::fmod(centres[k % centres.size()] +
                                          std::uniform_real_distribution<double>(0, width)(engine),
                                      360.0);
        const PictureBox box = Page(ChartWith(longitudes));
        std::vector<GlyphItem> icons, signs;
        for (int slot = 1; slot <= 12; ++slot) {
            const auto icon = Icon(box, planicon(slot));
            ASSERT_TRUE(icon) << chart << " slot " << slot;
            icons.push_back(*icon);
            signs.push_back(Icon(box, signicon(slot)).value());
        }
        for (std::size_t i = 0; i < 12; ++i) {
            const GlyphItem& icon = icons[i];
            ASSERT_TRUE(icon.x >= 0 && icon.x + 16 <= 640 && icon.y >= 0 && icon.y + 16 <= 423)
                << chart << " slot " << i + 1;
            ASSERT_GT(NearestToCentre(icon), 130.0) << chart << " slot " << i + 1;
            for (std::size_t j = 0; j < 12; ++j) {
                ASSERT_LE(Shared(icon, signs[j]), 1.0 / 3 + 1e-9)
                    << chart << " slot " << i + 1 << " sign " << j + 1;
                if (j > i) {
                    ASSERT_LE(Shared(icon, icons[j]), 1.0 / 3 + 1e-9)
                        << chart << " slots " << i + 1 << " " << j + 1;
                }
            }
            for (const TextItem& text : ItemsOf<TextItem>(box))
                ASSERT_FALSE(Meets(icon, text, box.CellWidth())) << chart << " " << text.text;
        }
    }
}

TEST(ChartWheel, ColoursAspectLinesWithinTheOrb) {
    ProgramState state = ChartWith({10, 130, 134, 135, 0, 12, 190, 45, 75, 105, 165, 225});
    const PictureBox box = Page(state);
    EXPECT_EQ(LineColour(box, 1, 2), kLightGreen); // exact trine
    EXPECT_EQ(LineColour(box, 1, 3), kLightGreen); // 124: the trine's limit with orb 6
    EXPECT_EQ(LineColour(box, 1, 4), std::nullopt);
    EXPECT_EQ(LineColour(box, 1, 6), std::nullopt); // conjunction
    EXPECT_EQ(LineColour(box, 1, 7), kLightMagenta);
    EXPECT_EQ(LineColour(box, 5, 8), kBrown); // the Ascendant takes part too

    state.options.PrintScreenKey = 1;
    const PictureBox printable = Page(state);
    EXPECT_EQ(LineColour(printable, 1, 2), kWhite);
    EXPECT_EQ(LineColour(printable, 1, 7), kWhite);
}

// Nothing drawn and no wait without a computed chart; with one, a single page whose listing
// leaves out the centre slot (though its icon is drawn) and ends with the chart data.
TEST(ChartWheel, DrawsAComputedChartListingEveryPositionButTheCentreSlot) {
    ProgramState state = ChartWith({10, 40, 70, 100, 0, 160, 190, 220, 250, 280, 310, 340});
    state.working.ChartReady = 0;
    RecordingOutputScreen output;
    DrawChartWheel(state, output);
    EXPECT_TRUE(output.Pages().empty());
    EXPECT_TRUE(output.Screen.Items().empty());

    state.working.ChartReady = 1;
    DrawChartWheel(state, output);
    ASSERT_EQ(output.Pages().size(), 1U);
    EXPECT_TRUE(output.Screen.Items().empty()); // CONTINUE cleared the page
    const std::vector<std::string> lines = output.Pages()[0].screenText;
    ASSERT_EQ(lines.size(), 21U);
    EXPECT_EQ(lines[0], " SUN   POS1");
    EXPECT_EQ(lines[12], " M.C   POS14");
    EXPECT_THAT(lines, Not(Contains(HasSubstr("POS5"))));
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[15], "CHART FROM THE EARTH");
    EXPECT_EQ(lines[16], "NAME = A VERY LONG CHA");
    EXPECT_EQ(lines[20], "LONG = 002W13");
    EXPECT_TRUE(Icon(Page(state), planicon(5)).has_value());

    state.working.ChartCentre = 0; // heliocentric: the Sun's slot holds the Ascendant
    const std::vector<std::string> helio = Page(state).TextLines();
    EXPECT_EQ(helio[0], " MON   POS2");
    EXPECT_EQ(helio[15], "CHART FROM THE SUN");
}

// Two published pictures that no mirroring or turning maps onto itself: sixteen rows of four
// hex digits, the leftmost pixel the top bit.
constexpr const char* kCancerRows =
    "0000 0000 FFF0 CFFE 860E 8400 CC00 FC00 003F 0033 0021 7061 7FF3 0FFF 0000 0000";
constexpr const char* kSaturnRows =
    "3000 7800 7800 3000 3000 3000 33C0 37E0 3E60 3C60 3860 3060 30E0 00C0 01C0 0180";

using Bitmap = std::array<std::string, 16>; // '#' set, '.' clear

Bitmap FromHexRows(const char* rows) {
    Bitmap bitmap;
    std::istringstream in(rows);
    for (std::string& line : bitmap) {
        unsigned bits = 0;
        in >> std::hex >> bits;
        for (int mask = 0x8000; mask != 0; mask >>= 1)
            line += (bits & static_cast<unsigned>(mask)) ? '#' : '.';
    }
    return bitmap;
}

// The white pixels of a picture painted at the origin, read back from its SVG rectangles.
Bitmap Rendered(const Glyph& glyph) {
    PictureBox box(16.0, 16.0);
    box.PaintPicture(glyph, 0.0, 0.0);
    const std::string svg = PictureBoxSvg(box, 1.0);
    Bitmap bitmap;
    bitmap.fill(std::string(16, '.'));
    const std::regex white(
        R"re(<rect x="(\d+)" y="(\d+)" width="(\d+)" height="1" fill="#FFFFFF"/>)re");
    for (std::sregex_iterator it(svg.begin(), svg.end(), white), end; it != end; ++it)
        bitmap[std::stoul((*it)[2])].replace(std::stoul((*it)[1]), std::stoul((*it)[3]),
                                             std::stoul((*it)[3]), '#');
    return bitmap;
}

TEST(WheelGlyphs, APictureRendersItsRowsTopToBottomLeftmostPixelFirst) {
    EXPECT_EQ(Rendered(signicon(4)), FromHexRows(kCancerRows));
    EXPECT_EQ(Rendered(planicon(8)), FromHexRows(kSaturnRows));
}

TEST(SvgExport, DrawsTheDisplayListOnBlackAtTheRequestedScale) {
    PictureBox box(638.0, 428.0);
    box.Print(std::string("12") + kDegreeSign + " & <");
    box.Line(0.0, 0.0, 10.0, 20.0, kLightGreen);
    box.Circle(100.0, 50.0, 30.0, kWhite);
    const std::string svg = PictureBoxSvg(box, 2.5);
    EXPECT_THAT(svg, HasSubstr(R"(width="1595" height="1070")"));
    EXPECT_THAT(svg, HasSubstr(R"(<rect x="0" y="0" width="1595" height="1070" fill="#000000"/>)"));
    EXPECT_THAT(svg, HasSubstr("fill=\"#FFFFFF\">12\u00B0 &amp; &lt;</text>"));
    EXPECT_THAT(svg,
                HasSubstr(R"(<line x1="0" y1="0" x2="25" y2="50" fill="none" stroke="#00FF00")"));
    EXPECT_THAT(svg, HasSubstr(R"(<circle cx="250" cy="125" r="75" fill="none" stroke="#FFFFFF")"));
}

} // namespace
} // namespace astrodesk
