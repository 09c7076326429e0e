#pragma once

// The nine map areas and the fixed layout of the map outline files.

#include <array>
#include <cstdint>
#include <string_view>

namespace astrodesk {

// Every map file holds this many records of two 16-bit numbers.
inline constexpr int kMapRecords = 3234;
// A gnomic record value that stands for a point without an image: no segment goes to or from it.
inline constexpr std::int16_t kMissingPoint = -32768;
inline constexpr const char* kWorldMapFile = "ALLWORLD.MAP";

// The 56 polylines of every map file, in drawing order: for (first, last) record k is joined to
// record k + 1 for k = first .. last. The record after each polyline's end starts the next one.
struct PolylineRange {
    int first, last;
};
inline constexpr std::array<PolylineRange, 56> kPolylineRanges{{
    {1, 379},     {381, 388},   {390, 396},   {398, 402},   {404, 413},   {415, 423},
    {425, 437},   {439, 450},   {452, 475},   {477, 503},   {505, 640},   {642, 753},
    {755, 780},   {782, 1277},  {1279, 1296}, {1298, 1304}, {1306, 1326}, {1328, 1342},
    {1344, 1363}, {1365, 1377}, {1379, 1385}, {1387, 1393}, {1395, 1398}, {1400, 1404},
    {1406, 1412}, {1414, 1418}, {1420, 1422}, {1424, 1427}, {1429, 1605}, {1607, 1639},
    {1641, 1687}, {1689, 1699}, {1701, 2017}, {2019, 2042}, {2044, 2054}, {2056, 2095},
    {2097, 2121}, {2123, 2160}, {2162, 2185}, {2187, 2195}, {2197, 2287}, {2289, 2371},
    {2373, 2381}, {2383, 2447}, {2449, 2491}, {2493, 2526}, {2528, 3044}, {3046, 3109},
    {3111, 3125}, {3127, 3142}, {3144, 3148}, {3150, 3153}, {3155, 3169}, {3171, 3198},
    {3200, 3213}, {3215, 3233},
}};

// A rectangle of map units: degrees (east longitude, latitude) on a cylindrical map, plane units
// on a gnomic one; (x0, y0) is the lower-left corner.
struct MapWindow {
    double x0, y0, width, height;
};

struct MapArea {
    std::string_view name;       // the command line's name of the area
    const char* gnomicFile;      // nullptr: no gnomic map of this area
    double centreLatitude;       // degrees north, of the gnomic projection's centre
    double centreLongitudeWest;  // degrees, west positive
    double gnomicCorner;         // X0 = Y0 of the gnomic window, plane units
    double gnomicSize;           // its width = height
    double planeDivisor;         // D: file units per plane unit
    MapWindow cylindricalWindow; // degrees
};

// Indexed by the MAP AREA option: Europe, U.K., World, U.S.A., Far East, Africa, Antipodes,
// S. America, Polar Area.
inline constexpr int kWorldArea = 2;
inline constexpr std::array<MapArea, 9> kMapAreas{{
    {"europe", "EUROPEG.MAP", 47, -7, -0.43, 0.86, 64000, {-20, 25, 60, 40}},
    {"uk", "UKG.MAP", 55, 3, -0.1, 0.2, 64000, {-15, 48, 25, 15}},
    {"world", nullptr, 0, 0, 0, 0, 0, {-170, -90, 360, 180}},
    {"usa", "USAG.MAP", 32, 90, -0.48, 0.96, 64000, {-130, 5, 80, 50}},
    {"far-east", "FAREASTG.MAP", 10, -100, -0.48, 0.96, 64000, {60, -50, 120, 90}},
    {"africa", "AFRICAGL.MAP", 5, -15, -1, 2, 32000, {-20, -40, 90, 80}},
    {"antipodes", "AUSTRAGL.MAP", -30, -150, -1, 2, 32000, {99, -50, 80, 55}},
    {"south-america", "TESTSAMG.MAP", -20, 57, -1, 2, 32000, {-100, -60, 100, 75}},
    {"polar", "NPOLE.MAP", 85, 0.1, -1, 2, 32000, {-170, 0, 360, 90}},
}};

} // namespace astrodesk
