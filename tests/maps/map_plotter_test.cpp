// Maps of bodies placed by hand: the legend's columns and colours, the marks at the wrap of the
// world map and beyond a gnomic map's horizon, the outline's missing points, the lines that are
// not drawn, the clipping of gnomic lines and the map files read.

#include "astro/angles.hpp"
#include "maps/map_areas.hpp"
#include "maps/map_file.hpp"
#include "maps/map_plotter.hpp"
#include "support/display_items.hpp"
#include "support/shipped_data.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <tuple>

namespace astrodesk {
namespace {

enum Projection { kGnomic = 0, kCylindrical = 1 };
enum MapType { kLocalSpace = 0, kCartography = 1, kPairs = 2 };
constexpr int kEurope = 0, kUk = 1, kWorld = 2;

// The shipped map files, counting how often each is looked for.
class CountingMapFiles : public DataFiles {
  public:
    mutable std::map<std::string, int> reads;
    std::optional<std::filesystem::path> Find(const std::string& name) const override {
        ++reads[name];
        return testing::ShippedDataFiles().Find(name);
    }
};

class MapPlotterTest : public ::testing::Test {
  protected:
    // Places the overhead point of a slot at a west longitude and latitude (degrees): with the
    // Midheaven at right ascension 0 over Greenwich, west longitude is minus right ascension.
    void Put(int slot, double westDeg, double latitudeDeg) {
        bodies_.MapRA[slot] = DegToRad(-westDeg);
        bodies_.MapDec[slot] = DegToRad(latitudeDeg);
    }
    // Every body at the place itself: no line is defined.
    void PutAllAtPlace() {
        for (int slot = 1; slot <= 12; ++slot)
            Put(slot, 0.0, 51.5);
    }
    MapPicture Plot(int area, int projection, int type) {
        options_.MapArea = static_cast<std::int16_t>(area);
        options_.MapProjection = static_cast<std::int16_t>(projection);
        options_.MapType = static_cast<std::int16_t>(type);
        screen_.Cls();
        text_.Cls();
        return PlotMap(bodies_, options_, tables_, screen_, text_, files_);
    }
    static std::vector<std::string> Labels(const MapPicture& map) {
        std::vector<std::string> labels;
        for (const LegendEntry& entry : map.legend)
            labels.push_back(entry.label);
        return labels;
    }
    static const MapLine& LineOf(const MapPicture& map, const std::string& label) {
        return *std::ranges::find(map.lines, label, &MapLine::label);
    }

    void SetUp() override {
        // Spread over the globe, the place at Greenwich, latitude 51.5 north.
        for (int slot = 1; slot <= 12; ++slot)
            Put(slot, 30.0 * slot - 190.0, 12.0 * (slot % 5) - 22.0);
        bodies_.MapRA[5] = 0.0;
        bodies_.MapDec[5] = bodies_.Latitude = DegToRad(51.5);
    }

    MapBodies bodies_;
    Options options_;
    MapTables tables_;
    PictureBox screen_{421, 428}, text_{216, 428, 27};
    CountingMapFiles files_;
};

TEST_F(MapPlotterTest, LegendColoursAndColumns) {
    const MapPicture map = Plot(kWorld, kCylindrical, kCartography);
    ASSERT_EQ(map.legend.size(), 36u);
    for (std::size_t i = 0; i < map.legend.size(); ++i)
        EXPECT_EQ(map.legend[i].colour, static_cast<int>(i / 3 + 1)) << map.legend[i].label;
    // The 21st label heads the second column, 64 pixels on, indented 8.
    EXPECT_EQ(map.legend[20].label, "JUP-VTX");
    EXPECT_EQ(map.legend[20].column, 2);
    EXPECT_EQ(map.legend[20].row, 1);
    const TextItem label = testing::ItemsOf<TextItem>(text_)[20];
    EXPECT_EQ(std::tuple(label.text, label.x, label.y, label.colour),
              std::tuple("JUP-VTX", 72.0, 16.0, 7));
    // After 36 labels the panel goes on in the second column's next row.
    EXPECT_DOUBLE_EQ(text_.CurrentX, 144.0);
    EXPECT_DOUBLE_EQ(text_.CurrentY, 16.0 * 17);

    // Elsewhere every line takes the next colour, from blue to white and round again; its label,
    // in that colour, stands out by 3:1 or more from what is behind it: the black panel, or the
    // backing behind a dark colour.
    const MapPicture pairs = Plot(kWorld, kCylindrical, kPairs);
    const std::vector<TextItem> labels = testing::ItemsOf<TextItem>(text_);
    ASSERT_EQ(pairs.legend.size(), 55u);
    ASSERT_EQ(labels.size(), 55u);
    for (std::size_t i = 0; i < pairs.legend.size(); ++i) {
        EXPECT_EQ(pairs.legend[i].colour, static_cast<int>(i % 15 + 1));
        EXPECT_EQ(labels[i].colour, pairs.legend[i].colour);
        const int behind = labels[i].background == kNoBackground ? kBlack : labels[i].background;
        EXPECT_GE(ContrastRatio(labels[i].colour, behind), 3.0) << labels[i].colour;
    }
    EXPECT_EQ(pairs.legend[54].column, 3);
    // A gnomic line that misses the window takes no colour and no label.
    const MapPicture uk = Plot(kUk, kGnomic, kPairs);
    ASSERT_FALSE(uk.legend.empty());
    ASSERT_LT(uk.legend.size(), 55u);
    for (std::size_t i = 0; i < uk.legend.size(); ++i)
        EXPECT_EQ(uk.legend[i].colour, static_cast<int>(i % 15 + 1));
    EXPECT_EQ(uk.lines.size(), uk.legend.size());
}

TEST_F(MapPlotterTest, CylindricalMarksWrapAt170DegreesWest) {
    Put(1, 171.0, 0.0);
    Put(2, -191.0, 0.0);
    const MapPicture map = Plot(kWorld, kCylindrical, kLocalSpace);
    const auto markX = [&map](int slot, bool anti) {
        return std::ranges::find_if(
                   map.marks, [&](const MapMark& m) { return m.slot == slot && m.anti == anti; })
            ->x;
    };
    EXPECT_NEAR(markX(1, false), 189.0, 1e-9);
    EXPECT_NEAR(markX(1, true), 9.0, 1e-9);
    EXPECT_NEAR(markX(2, false), -169.0, 1e-9);
    for (const MapLine& line : map.lines)
        for (const PlanePoint& sample : line.points)
            ASSERT_TRUE(sample.x >= -170.0 && sample.x <= 190.0) << line.label << " " << sample.x;
}

// Whether a drawn sample of a line, or a point of the segment joining two neighbours, lies in
// the window.
bool EntersWindow(const MapLine& line, const MapWindow& w) {
    const auto inside = [&w](double x, double y) {
        return x >= w.x0 && x <= w.x0 + w.width && y >= w.y0 && y <= w.y0 + w.height;
    };
    for (std::size_t k = 0; k < line.points.size(); ++k) {
        const PlanePoint b = line.points[k];
        if (inside(b.x, b.y)) return true;
        if (k == 0 || std::abs(b.x - line.points[k - 1].x) >= 90.0) continue; // not joined
        const PlanePoint a = line.points[k - 1];
        for (double t = 0.0; t <= 1.0; t += 1.0 / 32)
            if (inside(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y))) return true;
    }
    return false;
}

// On every cylindrical window the legend names exactly the lines of the world map that enter
// it, for bodies placed at random.
TEST_F(MapPlotterTest, ACylindricalLineIsLabelledOnlyWhereItEntersTheWindow) {
    std::mt19937 engine(6);
    std::uniform_real_distribution<double> west(-180.0, 180.0), latitude(-60.0, 60.0);
    for (int trial = 0; trial < 6; ++trial) {
        for (int slot = 1; slot <= 12; ++slot)
            if (slot != kPlaceSlot) Put(slot, west(engine), latitude(engine));
        for (const MapType type : {kLocalSpace, kCartography, kPairs}) {
            const MapPicture world = Plot(kWorld, kCylindrical, type);
            for (int area = 0; area < static_cast<int>(kMapAreas.size()); ++area) {
                std::vector<std::string> entering;
                const MapWindow window =
                    kMapAreas[static_cast<std::size_t>(area)].cylindricalWindow;
                for (const MapLine& line : world.lines)
                    if (EntersWindow(line, window)) entering.push_back(line.label);
                EXPECT_EQ(Labels(Plot(area, kCylindrical, type)), entering)
                    << "area " << area << " type " << type << " trial " << trial;
            }
        }
    }
}

// The place's white dot wraps at 170 degrees west as the marks do: Samoa, 13S50 171W45.
TEST_F(MapPlotterTest, ThePlaceDotWrapsAt170DegreesWest) {
    bodies_.LongitudeWest = 171.75;
    bodies_.MapDec[5] = bodies_.Latitude = DegToRad(-13.0 - 50.0 / 60);
    Plot(kWorld, kCylindrical, kLocalSpace);
    // East longitude 188.25 on the window from 170 west, 360 degrees over 421 pixels.
    const double x = (188.25 + 170.0) / 360.0 * 421, y = (90.0 + 13.0 + 50.0 / 60) / 180 * 428;
    EXPECT_EQ(std::ranges::count_if(testing::ItemsOf<DotItem>(screen_),
                                    [x, y](const DotItem& dot) {
                                        return dot.colour == kWhite && std::abs(dot.x - x) < 0.01 &&
                                               std::abs(dot.y - y) < 0.01;
                                    }),
              1);
}

TEST_F(MapPlotterTest, GnomicMarksOnlyWhereThePointHasAnImage) {
    Put(1, 173.0, -47.0); // opposite the centre of Europe, 47 north 7 east
    Put(2, 3.0, 55.0);    // exactly at the centre of the U.K. map
    const auto marksOf = [](const MapPicture& map, int slot) {
        std::vector<MapMark> marks;
        std::ranges::copy_if(map.marks, std::back_inserter(marks),
                             [slot](const MapMark& m) { return m.slot == slot; });
        return marks;
    };
    const std::vector<MapMark> opposite = marksOf(Plot(kEurope, kGnomic, kCartography), 1);
    ASSERT_EQ(opposite.size(), 1u);
    EXPECT_TRUE(opposite[0].anti);
    EXPECT_LT(std::hypot(opposite[0].x, opposite[0].y), 1e-5);

    // At the centre the solver works against a centre moved 0.0001 degree: a finite mark there,
    // and no horizon line (the body's horizon is the map's own rim).
    const MapPicture uk = Plot(kUk, kGnomic, kCartography);
    const std::vector<MapMark> centre = marksOf(uk, 2);
    ASSERT_EQ(centre.size(), 1u);
    EXPECT_LT(std::hypot(centre[0].x, centre[0].y), 1e-5);
    const std::vector<std::string> labels = Labels(uk);
    EXPECT_EQ(std::ranges::count(labels, "MON-HOR"), 0);
    EXPECT_EQ(std::ranges::count(labels, "MON-MDN"), 1);
}

// The gnomic image of a point (degrees, west positive) by vectors: its components along the
// centre's east and north over its component towards the centre.
std::optional<PlanePoint> VectorImage(double centreLat, double centreWest, double lat,
                                      double west) {
    const double b0 = DegToRad(centreLat), l0 = DegToRad(-centreWest);
    const double b = DegToRad(lat), l = DegToRad(-west);
    const double p[] = {std::cos(b) * std::cos(l), std::cos(b) * std::sin(l), std::sin(b)};
    const double c[] = {std::cos(b0) * std::cos(l0), std::cos(b0) * std::sin(l0), std::sin(b0)};
    const double e[] = {-std::sin(l0), std::cos(l0), 0.0};
    const double n[] = {-std::sin(b0) * std::cos(l0), -std::sin(b0) * std::sin(l0), std::cos(b0)};
    const auto dot = [&p](const double* v) { return p[0] * v[0] + p[1] * v[1] + p[2] * v[2]; };
    if (dot(c) <= 0.0) return std::nullopt;
    return PlanePoint{dot(e) / dot(c), dot(n) / dot(c)};
}

// A place on the centre's meridian or on the opposite one, of every gnomic area: its own mark
// and the one opposite lie where the vectors put them, a place in the window sends all eleven
// local space lines through it, and its meridian line runs up the middle.
TEST_F(MapPlotterTest, PlacesOnTheGnomicCentresMeridianAndAntimeridian) {
    for (int area = 0; area < static_cast<int>(kMapAreas.size()); ++area) {
        const MapArea& a = kMapAreas[static_cast<std::size_t>(area)];
        if (a.gnomicFile == nullptr) continue;
        for (const double turn : {0.0, 180.0}) {
            for (const double lat : {a.centreLatitude, a.centreLatitude - 3.0}) {
                bodies_.LongitudeWest = a.centreLongitudeWest + turn;
                bodies_.MapDec[5] = bodies_.Latitude = DegToRad(lat);
                const MapPicture map = Plot(area, kGnomic, kLocalSpace);
                for (const bool anti : {false, true}) {
                    const auto expected =
                        VectorImage(a.centreLatitude, a.centreLongitudeWest, anti ? -lat : lat,
                                    bodies_.LongitudeWest + (anti ? 180.0 : 0.0));
                    const auto mark = std::ranges::find_if(map.marks, [anti](const MapMark& m) {
                        return m.slot == kPlaceSlot && m.anti == anti;
                    });
                    ASSERT_EQ(mark != map.marks.end(),
                              expected && std::hypot(expected->x, expected->y) < 10)
                        << a.name << " " << turn << " " << lat << " " << anti;
                    if (!expected || mark == map.marks.end()) continue;
                    // The centre moved 0.0001 degree off the point's meridian or parallel.
                    const double nudge =
                        1e-5 * (1 + expected->x * expected->x + expected->y * expected->y);
                    EXPECT_NEAR(mark->x, expected->x, nudge) << a.name << " " << turn << " " << lat;
                    EXPECT_NEAR(mark->y, expected->y, nudge) << a.name << " " << turn << " " << lat;
                }
                if (turn != 0.0) continue;
                EXPECT_EQ(map.lines.size(), 11u) << a.name << " " << lat;
                const MapPicture cartography = Plot(area, kGnomic, kCartography);
                for (const PlanePoint& end : LineOf(cartography, "EAR-MDN").points)
                    EXPECT_NEAR(end.x, 0.0, 1e-5) << a.name << " " << lat;
            }
        }
    }
}

TEST_F(MapPlotterTest, GnomicOutlineSkipsSegmentsToAndFromMissingPoints) {
    // Polyline 1: a segment, a missing point, a segment, a missing point; nothing else drawable.
    std::string text = "0,0\n640,0\n-32768,0\n0,640\n640,640\n0,-32768\n";
    for (int record = 7; record <= kMapRecords; ++record)
        text += "-32768,-32768\n";
    ParseMapFile(text, "UKG.MAP", tables_);
    PutAllAtPlace();
    Plot(kUk, kGnomic, kLocalSpace);
    EXPECT_EQ(testing::ItemsOf<LineItem>(screen_).size(), 6u)
        << "the frame and two outline segments";
    EXPECT_EQ(files_.reads["UKG.MAP"], 0);
}

TEST_F(MapPlotterTest, CircleBelowANorthernWindowIsSkipped) {
    // Every pair circle has an inclination of 20 degrees, below Europe's southern edge at 25
    // north, and its pole far enough from the window's centre to pass the window test.
    Put(1, -323.0, 20.0);
    for (int slot = 2; slot <= 12; ++slot)
        Put(slot, -233.0, 0.0);
    EXPECT_TRUE(Plot(kEurope, kCylindrical, kPairs).legend.empty());
    EXPECT_FALSE(Plot(kWorld, kCylindrical, kPairs).legend.empty());
}

TEST_F(MapPlotterTest, VertexLineOfABodyOnTheEquatorIsItsMeridianLine) {
    Put(1, 40.0, 0.0);
    const MapPicture map = Plot(kWorld, kCylindrical, kCartography);
    const MapLine& vertex = LineOf(map, "SUN-VTX");
    const MapLine& meridian = LineOf(map, "SUN-MDN");
    ASSERT_EQ(vertex.points.size(), meridian.points.size());
    for (std::size_t i = 0; i < vertex.points.size(); ++i) {
        EXPECT_EQ(vertex.points[i].x, meridian.points[i].x);
        EXPECT_EQ(vertex.points[i].y, meridian.points[i].y);
    }
}

// A local space line for each body but the place itself, at most 11; with every body at the place
// no local space or pair line is defined, and the legend panel ends in its first column.
TEST_F(MapPlotterTest, LocalSpaceLinesForEachBodyButThePlaceAndNoneThroughOnePoint) {
    for (const auto& [area, projection] :
         {std::pair{kWorld, kCylindrical}, std::pair{kEurope, kGnomic}}) {
        const std::vector<std::string> labels = Labels(Plot(area, projection, kLocalSpace));
        EXPECT_LE(labels.size(), 11u);
        EXPECT_EQ(std::ranges::count(labels, "EAR-LSP"), 0);
        EXPECT_EQ(std::ranges::count(labels, "SUN-LSP"), 1);
    }
    PutAllAtPlace();
    for (const Projection projection : {kGnomic, kCylindrical}) {
        EXPECT_TRUE(Plot(kEurope, projection, kLocalSpace).lines.empty());
        EXPECT_TRUE(Plot(kEurope, projection, kPairs).legend.empty());
        EXPECT_DOUBLE_EQ(text_.CurrentX, 16.0);
        EXPECT_DOUBLE_EQ(text_.CurrentY, 16.0);
    }
    EXPECT_EQ(testing::ItemsOf<LineItem>(text_).size(), 1u) << "the border between legend and map";
}

TEST(ClipGnomicLine, CutsTheLineAtTheEdgesItCrosses) {
    const auto clip = [](PlanePoint a, PlanePoint b) { return ClipGnomicLine(a, b, 0.5, 0.5); };
    // Vertical, as a meridian line straight north of the centre: top to bottom edge.
    const auto vertical = clip({0.1, 0.0}, {0.1, 3.0});
    ASSERT_TRUE(vertical);
    EXPECT_DOUBLE_EQ((*vertical)[0].x, 0.1);
    EXPECT_DOUBLE_EQ(std::abs((*vertical)[0].y - (*vertical)[1].y), 1.0);
    EXPECT_FALSE(clip({0.7, 0.0}, {0.7, 3.0})) << "vertical, beside the window";
    EXPECT_FALSE(clip({0.2, 0.2}, {0.2, 0.2})) << "one point is no line";
    EXPECT_FALSE(clip({0.0, 2.0}, {2.0, 0.0})) << "misses the corner";
    const auto horizontal = clip({-3.0, 0.25}, {3.0, 0.25});
    ASSERT_TRUE(horizontal);
    EXPECT_NEAR((*horizontal)[0].x, -0.5, 1e-12);
    EXPECT_NEAR((*horizontal)[1].x, 0.5, 1e-12);
    const auto slanted = clip({0.0, 0.0}, {1.0, 0.25});
    ASSERT_TRUE(slanted);
    EXPECT_NEAR((*slanted)[1].y, 0.125, 1e-12);
}

TEST_F(MapPlotterTest, MapFilesAreReadOnlyWhenTheTablesHoldAnother) {
    Plot(kUk, kGnomic, kLocalSpace);
    Plot(kUk, kGnomic, kPairs);
    EXPECT_EQ(files_.reads["UKG.MAP"], 1);
    Plot(kUk, kCylindrical, kLocalSpace);
    Plot(kEurope, kCylindrical, kCartography);
    EXPECT_EQ(files_.reads["ALLWORLD.MAP"], 1);
    Plot(kUk, kGnomic, kLocalSpace);
    EXPECT_EQ(files_.reads["UKG.MAP"], 2);
    EXPECT_EQ(tables_.LoadedMapFile, "UKG.MAP");
}

// A map file text of `records` records, record k holding k % 100 and -k % 90.
std::string RecordsText(int records) {
    std::string text;
    for (int k = 1; k <= records; ++k)
        text += std::to_string(k % 100) + "," + std::to_string(-k % 90) + "\n";
    return text;
}

// A damaged map file is refused with the file and the record named and the tables left alone;
// the nine shipped files are read whole.
TEST(MapFile, DamagedTextsAreRefusedNamingTheRecordAndChangeNothing) {
    MapTables tables;
    ParseMapFile(RecordsText(kMapRecords) + "trailing words are ignored", "UKG.MAP", tables);
    EXPECT_EQ(tables.MapCoord1[kMapRecords], kMapRecords % 100);
    EXPECT_EQ(tables.MapCoord2[17], -17);

    std::string outOfRange = RecordsText(kMapRecords);
    outOfRange.replace(outOfRange.find("\n16,-16\n") + 1, 6, "40000,1");
    std::string notWhole = RecordsText(kMapRecords);
    notWhole.replace(notWhole.find("\n16,-16\n") + 1, 6, "16,1.5");
    const struct {
        std::string text, expected;
    } refused[] = {
        {RecordsText(1200), "EUROPEG.MAP ends in record 1201"},
        {outOfRange, "EUROPEG.MAP, record 16 (line 16), first value: 40000 is outside"},
        {notWhole, "EUROPEG.MAP, record 16 (line 16), second value: \"1.5\" is not a whole"},
        {"12 x4", "EUROPEG.MAP, record 1 (line 1), second value: \"x4\""},
        {"12 \x1b[2J", "second value: \"\\x1B[2J\" is not"}, // damaged bytes echoed escaped
    };
    for (const auto& [text, expected] : refused) {
        try {
            ParseMapFile(text, "EUROPEG.MAP", tables);
            ADD_FAILURE() << "accepted: " << expected;
        } catch (const DataFileError& error) {
            EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
        }
        EXPECT_EQ(tables.LoadedMapFile, "UKG.MAP");
        EXPECT_EQ(tables.MapCoord2[17], -17);
    }
    EXPECT_THROW(LoadMapFile(testing::ShippedDataFiles(), "NOSUCH.MAP", tables), DataFileError);
    EXPECT_NO_THROW(LoadMapFile(testing::ShippedDataFiles(), kWorldMapFile, tables));
    for (const MapArea& area : kMapAreas) {
        if (area.gnomicFile != nullptr) {
            EXPECT_NO_THROW(LoadMapFile(testing::ShippedDataFiles(), area.gnomicFile, tables));
        }
    }
}

} // namespace
} // namespace astrodesk
