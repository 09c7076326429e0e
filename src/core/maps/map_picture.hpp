#pragma once

// What a map shows, as numbers: the window, the marks of the bodies, the lines and the legend.
// The drawing goes to the output screen; this record serves the command line and the tests.

#include "maps/great_circle.hpp"
#include "maps/map_areas.hpp"

#include <string>
#include <vector>

namespace astrodesk {

// A body's overhead point ("sub") or the point opposite it ("anti"), in map units.
struct MapMark {
    int slot;
    bool anti;
    double x, y;
};

// A drawn line: every plotted sample of a cylindrical line (east longitude and latitude, degrees),
// or the two end points of a gnomic line clipped to the window (plane units).
struct MapLine {
    std::string label;
    int colour;
    std::vector<PlanePoint> points;
};

// A legend label: its column (1..) and row (1..20) in the legend panel.
struct LegendEntry {
    std::string label;
    int colour;
    int column, row;
};

struct MapPicture {
    int area = 0;       // MAP AREA option
    int projection = 0; // 0 gnomic, 1 cylindrical
    int type = 0;       // 0 local space, 1 cartography, 2 planet lines
    MapWindow window{};
    double centreLatitude = 0.0;      // gnomic maps: degrees north
    double centreLongitudeWest = 0.0; // degrees, west positive
    std::vector<MapMark> marks;
    std::vector<MapLine> lines;
    std::vector<LegendEntry> legend;
};

} // namespace astrodesk
