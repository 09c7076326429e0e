#include "astro/angles.hpp"
#include "maps/map_file.hpp"
#include "maps/map_plotter.hpp"

#include <cassert>
#include <cmath>

namespace astrodesk {

namespace {

// Radius of a body's mark: degrees of longitude on a cylindrical map, plane units on a gnomic one.
constexpr double kCylindricalMarkRadius = 5.0;
constexpr double kGnomicMarkRadius = 0.05;
// Gnomic marks farther out than this (plane units) are not drawn at all.
constexpr double kGnomicMarkLimit = 10.0;
// The gnomic maps first take the output screen's pixel grid, 0..639 across and 0..455 down.
constexpr double kScreenGridRight = 639.0;
constexpr double kScreenGridBottom = 455.0;

// West longitude of a cylindrical map's points, degrees: the world map runs from 170 degrees west
// across 360 degrees of longitude.
double WrapWestLongitude(double west) {
    if (west > 170.0) west -= 360.0;
    if (west < -190.0) west += 360.0;
    return west;
}

} // namespace

MapPicture PlotMap(const MapBodies& bodies, const Options& options, MapTables& tables,
                   PictureBox& screen, PictureBox& text, const DataFiles& files) {
    return MapPlotter(bodies, options, tables, screen, text, files).Plot();
}

MapPlotter::MapPlotter(const MapBodies& bodies, const Options& options, MapTables& tables,
                       PictureBox& screen, PictureBox& text, const DataFiles& files)
    : bodies_(bodies), options_(options), tables_(tables), Screen(screen), TEXT(text),
      files_(files), area_(kMapAreas.at(static_cast<std::size_t>(options.MapArea))) {
    picture_.area = options.MapArea;
    picture_.projection = options.MapProjection;
    picture_.type = options.MapType;
}

MapPicture MapPlotter::Plot() {
    if (options_.MapProjection == 0) {
        PrepareGnomicMap();
        DrawGnomicMap();
        DrawGnomicLines();
    } else {
        PrepareCylindricalMap();
        DrawCylindricalMap();
        DrawCylindricalLines();
    }
    FinishLegend();
    picture_.window = window_;
    picture_.centreLatitude = MapCentreLat;
    picture_.centreLongitudeWest = MapCentreLon;
    return picture_;
}

// Map units over the whole Screen, north up, framed in white.
void MapPlotter::SetMapWindow() {
    const auto [x0, y0, width, height] = window_;
    Screen.Scale(x0, y0 + height, x0 + width, y0);
    Screen.Line(x0, y0, x0, y0 + height, kWhite);
    Screen.Line(x0, y0, x0 + width, y0, kWhite);
    Screen.Line(x0 + width, y0 + height, x0, y0 + height, kWhite);
    Screen.Line(x0 + width, y0 + height, x0 + width, y0, kWhite);
}

void MapPlotter::LoadMapFileIfNeeded(const char* fileName) {
    if (tables_.LoadedMapFile != fileName) LoadMapFile(files_, fileName, tables_);
}

void MapPlotter::PrepareCylindricalMap() {
    Screen.Cls();
    LoadMapFileIfNeeded(kWorldMapFile);
    window_ = area_.cylindricalWindow;
    SetMapWindow();
}

void MapPlotter::DrawCylindricalMap() {
    Screen.Dot(-WrapWestLongitude(bodies_.LongitudeWest), RadToDeg(bodies_.Latitude), kWhite);
    for (const PolylineRange& range : kPolylineRanges)
        PlotCylindricalOutline(range.first, range.last);
    DrawCylindricalMarks();
}

// Records hold latitude and west longitude in hundredths of a degree; x is east longitude.
void MapPlotter::PlotCylindricalOutline(int first, int last) {
    const auto point = [this](int k) {
        return PlanePoint{-tables_.MapCoord2[k] / 100.0, tables_.MapCoord1[k] / 100.0};
    };
    for (int k = first; k <= last; ++k) {
        const PlanePoint from = point(k), to = point(k + 1);
        Screen.Dot(from.x, from.y, Screen.ForeColour);
        Screen.Line(from.x, from.y, to.x, to.y);
    }
}

// Each body's overhead point (yellow) and the point opposite (light magenta): the west longitude
// where the body culminates is the Midheaven's right ascension less the body's, from the place.
void MapPlotter::DrawCylindricalMarks() {
    for (int b = 1; b <= 12; ++b) {
        const double west = WrapWestLongitude(RadToDeg(bodies_.MapRAMC) -
                                              RadToDeg(bodies_.MapRA[b]) + bodies_.LongitudeWest);
        const double latitude = RadToDeg(bodies_.MapDec[b]);
        const double antiWest = WrapWestLongitude(west + 180.0);
        Screen.Circle(-west, latitude, kCylindricalMarkRadius, kYellow);
        Screen.Circle(-antiWest, -latitude, kCylindricalMarkRadius, kLightMagenta);
        picture_.marks.push_back({b, false, -west, latitude});
        picture_.marks.push_back({b, true, -antiWest, -latitude});
    }
}

void MapPlotter::PrepareGnomicMap() {
    assert(area_.gnomicFile != nullptr && "gnomic World is refused before any drawing");
    Screen.Scale(0.0, 0.0, kScreenGridRight, kScreenGridBottom);
    Screen.Cls();
    window_ = {area_.gnomicCorner, area_.gnomicCorner, area_.gnomicSize, area_.gnomicSize};
    MapCentreLat = area_.centreLatitude;
    MapCentreLon = area_.centreLongitudeWest;
    SetMapWindow();
    LoadMapFileIfNeeded(area_.gnomicFile);
}

void MapPlotter::DrawGnomicMap() {
    for (const PolylineRange& range : kPolylineRanges)
        PlotGnomicOutline(range.first, range.last);
    DrawGnomicMarks();
}

// Records hold the plane point times D; a missing point ends one stretch of the polyline.
void MapPlotter::PlotGnomicOutline(int first, int last) {
    const double d = area_.planeDivisor;
    const auto missing = [this](int k) {
        return tables_.MapCoord1[k] == kMissingPoint || tables_.MapCoord2[k] == kMissingPoint;
    };
    for (int k = first; k <= last; ++k) {
        if (missing(k) || missing(k + 1)) continue;
        Screen.Line(tables_.MapCoord1[k] / d, tables_.MapCoord2[k] / d,
                    tables_.MapCoord1[k + 1] / d, tables_.MapCoord2[k + 1] / d);
    }
}

// Each body's overhead point and the point opposite, where they have an image on the plane.
void MapPlotter::DrawGnomicMarks() {
    for (int b = 1; b <= 12; ++b) {
        const double west = bodies_.MapRAMC - bodies_.MapRA[b] + DegToRad(bodies_.LongitudeWest);
        for (const bool anti : {false, true}) {
            const std::optional<PlanePoint> image =
                GnomicImage(MapCentreLat, MapCentreLon, Reduce2Pi(anti ? west + kPi : west),
                            anti ? -bodies_.MapDec[b] : bodies_.MapDec[b]);
            if (!image) continue;
            GnomicBody[b] = image;
            if (std::abs(image->x) < kGnomicMarkLimit && std::abs(image->y) < kGnomicMarkLimit) {
                Screen.Circle(image->x, image->y, kGnomicMarkRadius,
                              anti ? kLightMagenta : kYellow);
                picture_.marks.push_back({b, anti, image->x, image->y});
            }
        }
    }
}

} // namespace astrodesk
