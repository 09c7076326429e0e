// Map outline files: a damaged text is refused with the file and the record named and the tables
// left alone; the nine shipped files hold outlines of their areas in the fixed polylines.

#include "maps/map_areas.hpp"
#include "maps/map_file.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace astrodesk {
namespace {

std::string RecordsText(int records) {
    std::string text;
    for (int k = 1; k <= records; ++k)
        text += std::to_string(k % 100) + "," + std::to_string(-k % 90) + "\n";
    return text;
}

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
    EXPECT_THROW(LoadMapFile(InstalledDataFiles(), "NOSUCH.MAP", tables), DataFileError);
}

// Length of the segments that join record k to k + 1 inside the polylines, in map units; the
// missing points of gnomic files end a stretch.
template <typename ToMap> double LongestSegment(const MapTables& tables, ToMap toMap) {
    double longest = 0.0;
    for (const PolylineRange& range : kPolylineRanges) {
        for (int k = range.first; k <= range.last; ++k) {
            if (tables.MapCoord1[k] == kMissingPoint || tables.MapCoord1[k + 1] == kMissingPoint)
                continue;
            const auto [x1, y1] = toMap(k);
            const auto [x2, y2] = toMap(k + 1);
            longest = std::max(longest, std::hypot(x2 - x1, y2 - y1));
        }
    }
    return longest;
}

TEST(MapFile, ShippedFilesHoldOutlinesOfTheirAreas) {
    MapTables world;
    LoadMapFile(InstalledDataFiles(), kWorldMapFile, world);
    for (int k = 1; k <= kMapRecords; ++k) {
        ASSERT_LE(std::abs(world.MapCoord1[k]), 9000) << "latitude, record " << k;
        ASSERT_TRUE(world.MapCoord2[k] >= -19000 && world.MapCoord2[k] <= 17000)
            << "west longitude of the world map, record " << k;
    }
    // No segment crosses the world map from one edge to the other.
    EXPECT_LT(
        LongestSegment(world,
                       [&world](int k) {
                           return std::pair{world.MapCoord2[k] / 100.0, world.MapCoord1[k] / 100.0};
                       }),
        30.0);

    for (const MapArea& area : kMapAreas) {
        if (area.gnomicFile == nullptr) continue;
        SCOPED_TRACE(area.gnomicFile);
        MapTables tables;
        LoadMapFile(InstalledDataFiles(), area.gnomicFile, tables);
        const auto toPlane = [&tables, &area](int k) {
            return std::pair{tables.MapCoord1[k] / area.planeDivisor,
                             tables.MapCoord2[k] / area.planeDivisor};
        };
        // Most of every file lies inside the window; the rest runs on just past its edges.
        const double half = area.gnomicSize / 2.0;
        int inside = 0;
        for (int k = 1; k <= kMapRecords; ++k) {
            const auto [x, y] = toPlane(k);
            ASSERT_TRUE(std::abs(x) <= 1.15 * half && std::abs(y) <= 1.15 * half) << "record " << k;
            inside += std::abs(x) < half && std::abs(y) < half;
        }
        EXPECT_GT(inside, kMapRecords * 3 / 4);
        EXPECT_LT(LongestSegment(tables, toPlane), half / 3.0);
    }
}

} // namespace
} // namespace astrodesk
