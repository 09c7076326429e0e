#pragma once

// One map drawn on the output screen: the outline of an area in gnomic or cylindrical
// projection, the overhead points of the bodies, their lines and the legend beside the map.
//
// Projections: the cylindrical maps are equidistant cylindrical (plate carree: x the east
// longitude, y the latitude, both degrees; J. P. Snyder, Map Projections: A Working Manual,
// USGS Professional Paper 1395, 1987), the world from 170 degrees west. The gnomic maps are
// centred on each area's point (maps/great_circle.hpp); their outline files hold the points
// already projected, in plane units times the area's divisor.
//
// A body's overhead point at the chart's moment has the body's declination for latitude and
// the west longitude GST - RA, where the Greenwich sidereal time GST is the chart's RAMC plus
// the place's west longitude; the point opposite is its antipode. The lines are great circles:
// where a body stands on the horizon (90 degrees from its overhead point), on the meridian (the
// meridian of its overhead point), on its vertex circle (through the overhead point and the
// equator 90 degrees from its meridian); between two bodies' overhead points (planet pairs);
// between the place and each body's overhead point (local space, the body's direction as seen
// from the place). A cylindrical map samples each circle every 0.02 radian of its length
// (latitude asin(sin i sin t), longitude from the node atan(cos i tan t)); a gnomic map draws
// it as the straight line through two of its images, clipped to the window.

#include "maps/great_circle.hpp"
#include "maps/map_areas.hpp"
#include "maps/map_picture.hpp"
#include "shell/indexed_array.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

// The slot of the zenith of the chart's place in a geocentric chart (the Earth's slot).
inline constexpr int kPlaceSlot = 5;

// The chart as the maps see it: equatorial places of display slots 1..15 at the chart's moment.
struct MapBodies {
    IndexedArray<double, 0, 15> MapRA{};  // right ascension, radians; slot 5 is the zenith
    IndexedArray<double, 0, 15> MapDec{}; // declination, radians
    double MapRAMC = 0.0;                 // right ascension of the Midheaven, -pi..pi
    double Latitude = 0.0;                // of the chart's place, radians
    double LongitudeWest = 0.0;           // of the chart's place, degrees west
};

// Draws the map chosen by MapArea, MapProjection and MapType on `screen` (cleared here) with its
// legend on `text`, reading the outline file through `files` unless the tables hold it already;
// a missing or damaged file throws DataFileError. Gnomic World is not drawn: the caller refuses
// it first.
MapPicture PlotMap(const MapBodies& bodies, const Options& options, MapTables& tables,
                   PictureBox& screen, PictureBox& text, const DataFiles& files);

// The segment of the straight line through two plane points that lies inside a window centred on
// 0, between the edges it crosses strictly inside them; nothing for a line that misses the window
// or for two equal points (no line). A line with two points of the same x is vertical.
std::optional<std::array<PlanePoint, 2>> ClipGnomicLine(PlanePoint p1, PlanePoint p2,
                                                        double halfWidth, double halfHeight);

// The procedures of one map and the state they share while it is drawn.
class MapPlotter {
  public:
    MapPlotter(const MapBodies& bodies, const Options& options, MapTables& tables,
               PictureBox& screen, PictureBox& text, const DataFiles& files);
    MapPicture Plot();

  private:
    // The outline and the marks of the bodies (map_outline.cpp).
    void SetMapWindow();
    void LoadMapFileIfNeeded(const char* fileName);
    void PrepareCylindricalMap();
    void DrawCylindricalMap();
    void PlotCylindricalOutline(int first, int last);
    void DrawCylindricalMarks();
    void PrepareGnomicMap();
    void DrawGnomicMap();
    void PlotGnomicOutline(int first, int last);
    void DrawGnomicMarks();

    // Astro-cartography and pair lines, and the legend (planet_lines.cpp).
    void DrawCylindricalLines();
    void DrawCylindricalCartography();
    void DrawCylindricalPairs();
    void DrawGnomicLines();
    void DrawGnomicCartography();
    void DrawGnomicPairs();
    // Whether a circle can cross the window of a cylindrical map.
    bool TestLineVisible(const CircleLine& line) const;
    // The circle through two slots' overhead points, drawn when it can reach the window.
    void DrawCircleThrough(int slot1, int slot2);
    std::vector<PlanePoint> CircleSamples(CircleLine line) const;
    void DrawCircleOnMap(CircleLine line);
    void PlotLinePoint(double x, double y);
    void DrawGnomicLine(std::optional<PlanePoint> p1, std::optional<PlanePoint> p2);
    // A new line's colour and its legend label at x (pixels of the legend panel).
    void StartLine(double labelX);
    void FinishLegend();
    void LabelLine(int slot, std::string_view kind);

    // Local space (local_space.cpp).
    void DrawCylindricalLocalSpace();
    void DrawGnomicLocalSpace();

    bool WholeWorldCartography() const;

    const MapBodies& bodies_;
    const Options& options_;
    MapTables& tables_;
    PictureBox& Screen;
    PictureBox& TEXT;
    const DataFiles& files_;
    const MapArea& area_;

    MapWindow window_{};
    double MapCentreLat = 0.0; // degrees north
    double MapCentreLon = 0.0; // degrees west
    // Plane image of slot b's overhead point or of its opposite, whichever has one.
    IndexedArray<std::optional<PlanePoint>, 0, 12> GnomicBody{};

    std::string LineLabel;
    int LineColour = 0;
    int LegendCount = 0;
    int LegendRow = 0;
    int LegendColumn = 0;
    int BodyLineCount = 0;
    bool FirstPointDone = false;

    MapPicture picture_;
};

} // namespace astrodesk
