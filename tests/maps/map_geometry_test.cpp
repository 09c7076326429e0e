// The lines and marks of whole maps against textbook spherical astronomy: right ascension and
// declination from the chart's ecliptic places, Greenwich mean sidereal time from the Julian
// Date, hour angle and altitude from those; great circles as planes through the Earth's centre,
// gnomic images as central projections onto the tangent plane.

#include "chart/chart_driver.hpp"
#include "maps/draw_maps.hpp"
#include "support/chart_setup.hpp"
#include "support/shipped_data.hpp"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string_view>

namespace astrodesk {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr double kToleranceDeg = 0.05;
constexpr std::string_view kCodes = "SUNMONMERVENEARMARJUPSATURANEPPLUZED";

using Vector = std::array<double, 3>;

Vector UnitVector(double eastLongitudeDeg, double latitudeDeg) {
    const double lon = eastLongitudeDeg * kDeg, lat = latitudeDeg * kDeg;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}
Vector Cross(const Vector& a, const Vector& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vector& a, const Vector& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vector Normalised(const Vector& v) {
    const double length = std::sqrt(Dot(v, v));
    return {v[0] / length, v[1] / length, v[2] / length};
}
// Angular distance (degrees) of a direction from the great circle with this pole.
double DegreesOffCircle(const Vector& pole, const Vector& point) {
    return std::abs(std::asin(Dot(pole, point))) / kDeg;
}

int SlotOfCode(std::string_view code) {
    return static_cast<int>(kCodes.find(code) / 3) + 1;
}

// A body's place from the chart's ecliptic longitude and latitude, by the textbook rotation with
// the mean obliquity of date, and the sidereal time at Greenwich.
struct SkyPlace {
    double rightAscensionDeg, declinationDeg;
};

class MapGeometry : public ::testing::Test {
  protected:
    void ComputeRandomChart(int latitudeLow, int latitudeHigh, int eastLow, int eastHigh) {
        const int latitude = pick_(latitudeLow, latitudeHigh), east = pick_(eastLow, eastHigh);
        const int minute = pick_(0, 59);
        testing::SetRecord(state_.record,
                           {pick_(1, 28), pick_(1, 12), pick_(1900, 2099), pick_(0, 23),
                            pick_(0, 59), pick_(0, 59), std::abs(latitude), minute, latitude < 0,
                            std::abs(east), 0, east >= 0});
        ComputeChartTables(state_);
        placeLatitudeDeg_ = (latitude < 0 ? -1 : 1) * (std::abs(latitude) + minute / 60.0);
        placeEastDeg_ = east;
    }

    MapPicture Plot(int area, int projection, int type) {
        state_.options.MapArea = static_cast<std::int16_t>(area);
        state_.options.MapProjection = static_cast<std::int16_t>(projection);
        state_.options.MapType = static_cast<std::int16_t>(type);
        PictureBox screen(421, 428), text(216, 428, 27);
        return PlotMap(EquatorialBodies(state_), state_.options, state_.maps, screen, text,
                       testing::ShippedDataFiles());
    }

    double GreenwichSiderealDeg() const {
        const double t = state_.frame.JulianCenturies; // from J2000
        const double days = t * 36525.0;
        return std::remainder(280.46061837 + 360.98564736629 * days + 0.000387933 * t * t -
                                  t * t * t / 38710000.0,
                              360.0);
    }

    SkyPlace Place(int slot) const {
        const double t = state_.frame.JulianCenturies;
        const double e = (23.4392911 - (46.815 * t) / 3600.0) * kDeg;
        const double lon = state_.positions.BodyLongitude[slot];
        const double lat = state_.positions.BodyLatitude[slot];
        const double ra =
            std::atan2(std::sin(lon) * std::cos(e) - std::tan(lat) * std::sin(e), std::cos(lon));
        const double dec =
            std::asin(std::sin(lat) * std::cos(e) + std::cos(lat) * std::sin(e) * std::sin(lon));
        return {ra / kDeg, dec / kDeg};
    }

    // Where the body stands overhead: east longitude where its hour angle is 0.
    Vector SubPoint(int slot) const {
        const SkyPlace place = Place(slot);
        return UnitVector(place.rightAscensionDeg - GreenwichSiderealDeg(), place.declinationDeg);
    }
    Vector ChartPlace() const { return UnitVector(placeEastDeg_, placeLatitudeDeg_); }

    // The gnomic plane point back on the sphere: the centre's direction plus x east and y north.
    static Vector OnSphere(const MapPicture& map, const PlanePoint& p) {
        const double lat = map.centreLatitude * kDeg, lon = -map.centreLongitudeWest * kDeg;
        const Vector centre = UnitVector(-map.centreLongitudeWest, map.centreLatitude);
        const Vector east{-std::sin(lon), std::cos(lon), 0.0};
        const Vector north{-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon),
                           std::cos(lat)};
        return Normalised({centre[0] + p.x * east[0] + p.y * north[0],
                           centre[1] + p.x * east[1] + p.y * north[1],
                           centre[2] + p.x * east[2] + p.y * north[2]});
    }

    // Pole of a drawn line's great circle: two samples a quarter of the circle apart on a
    // cylindrical map, the two clipped ends on a gnomic one.
    static Vector PoleOf(const MapPicture& map, const MapLine& line) {
        if (map.projection == 0)
            return Normalised(Cross(OnSphere(map, line.points[0]), OnSphere(map, line.points[1])));
        const PlanePoint& a = line.points[0];
        const PlanePoint& b = line.points[line.points.size() / 4];
        return Normalised(Cross(UnitVector(a.x, a.y), UnitVector(b.x, b.y)));
    }

    ProgramState state_ = testing::LoadedState();
    testing::RandomPick pick_{20240611};
    double placeLatitudeDeg_ = 0.0, placeEastDeg_ = 0.0;
};

TEST_F(MapGeometry, MeridianAndHorizonLinesFollowHourAngleAndAltitude) {
    for (int chart = 0; chart < 8; ++chart) {
        ComputeRandomChart(-60, 60, -179, 179);
        const double gst = GreenwichSiderealDeg();
        const MapPicture map = Plot(kWorldArea, 1, 1);
        ASSERT_EQ(map.lines.size(), 36u);
        for (const MapLine& line : map.lines) {
            const int slot = SlotOfCode(line.label.substr(0, 3));
            if (slot == 5) continue; // the place's zenith, no body
            const std::string_view kind = std::string_view(line.label).substr(4);
            const SkyPlace sky = Place(slot);
            SCOPED_TRACE(line.label);
            ASSERT_GE(line.points.size(), 300u);
            for (const PlanePoint& sample : line.points) {
                const double hourAngle = gst + sample.x - sky.rightAscensionDeg;
                if (kind == "MDN") {
                    if (std::abs(sample.y) > 89.9) continue; // every longitude meets at a pole
                    ASSERT_LT(testing::DegreesApart(hourAngle, 0.0, 180.0), kToleranceDeg);
                } else if (kind == "HOR") { // altitude 0: a quarter turn from the overhead point
                    ASSERT_LT(DegreesOffCircle(SubPoint(slot), UnitVector(sample.x, sample.y)),
                              kToleranceDeg);
                }
            }
        }
    }
}

// Every line of a local space map runs through the place and the body's overhead point; every
// pair line through both bodies' overhead points. Cylindrical lines keep all their samples on
// one great circle.
TEST_F(MapGeometry, LocalSpaceAndPairLinesRunThroughTheirPoints) {
    struct MapCase {
        int area, projection, type;
    };
    // The places lie in Europe, so the gnomic Europe map shows their lines.
    for (const MapCase& c : {MapCase{kWorldArea, 1, 0}, MapCase{0, 0, 0}, MapCase{kWorldArea, 1, 2},
                             MapCase{5, 0, 2}}) {
        for (int chart = 0; chart < 4; ++chart) {
            ComputeRandomChart(38, 55, -5, 20);
            const MapPicture map = Plot(c.area, c.projection, c.type);
            ASSERT_FALSE(map.lines.empty());
            for (const MapLine& line : map.lines) {
                SCOPED_TRACE(line.label);
                const Vector pole = PoleOf(map, line);
                const std::string_view second = std::string_view(line.label).substr(4);
                EXPECT_LT(DegreesOffCircle(pole, SubPoint(SlotOfCode(line.label.substr(0, 3)))),
                          kToleranceDeg);
                EXPECT_LT(DegreesOffCircle(pole, second == "LSP" ? ChartPlace()
                                                                 : SubPoint(SlotOfCode(second))),
                          kToleranceDeg);
                if (map.projection == 1) {
                    for (const PlanePoint& sample : line.points)
                        ASSERT_LT(DegreesOffCircle(pole, UnitVector(sample.x, sample.y)), 1e-6);
                }
            }
        }
    }
}

// A gnomic mark is the central projection of the overhead point, or of the point opposite, onto
// the plane touching the Earth at the map's centre.
TEST_F(MapGeometry, GnomicMarksAreCentralProjections) {
    ComputeRandomChart(-60, 60, -179, 179);
    for (int area : {0, 4, 8}) {
        const MapPicture map = Plot(area, 0, 0);
        const Vector centre = UnitVector(-map.centreLongitudeWest, map.centreLatitude);
        for (const MapMark& mark : map.marks) {
            Vector point = SubPoint(mark.slot);
            if (mark.slot == 5) point = ChartPlace();
            if (mark.anti) point = {-point[0], -point[1], -point[2]};
            ASSERT_GT(Dot(point, centre), 0.0) << "a mark of a point beyond the horizon";
            const Vector onPlane = OnSphere(map, {mark.x, mark.y});
            EXPECT_LT(std::acos(std::min(1.0, Dot(onPlane, point))) / kDeg, kToleranceDeg)
                << "slot " << mark.slot << (mark.anti ? " anti" : " sub");
        }
    }
}

} // namespace
} // namespace astrodesk
