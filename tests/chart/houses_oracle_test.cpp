// Angles and cusps against Swiss Ephemeris, fed with our own RAMC, obliquity and latitude, for
// random moments between 1800 and 2200 and random places up to 66 degrees north and south.

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/equatorial.hpp"
#include "chart/houses.hpp"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <swephexp.h>

namespace astrodesk {
namespace {

constexpr double kArcsecondsPerRadian = 3600.0 * 180.0 / kPi;

// Absolute difference of two longitudes in arcseconds, modulo a half or a whole turn (degrees).
double ArcsecondsApart(double ours, double theirs, double modulo = 360.0) {
    return 3600.0 * std::abs(std::remainder(RadToDeg(ours) - theirs, modulo));
}

struct HouseSystemCase {
    std::int16_t code;
    int letter; // Swiss Ephemeris house method
    const char* name;
    double toleranceArcseconds; // up to 40 degrees of latitude
};

// Campanus keeps its prime-vertical arcs 0.00005 degree off the multiples of 90 degrees.
constexpr std::array<HouseSystemCase, 5> kSystems = {{
    {kEqualHouse, 'E', "Equal", 1.0},
    {kCampanus, 'C', "Campanus", 5.0},
    {kRegiomontanus, 'R', "Regiomontanus", 1.0},
    {kPlacidus, 'P', "Placidus", 1.0},
    {kKoch, 'K', "Koch", 1.0},
}};

// Worst disagreement, arcseconds, up to 40 degrees of latitude and from there to 66 degrees.
struct Worst {
    double upTo40 = 0.0;
    double from40To66 = 0.0;
    void Add(double arcseconds, bool within40) {
        double& worst = within40 ? upTo40 : from40To66;
        worst = std::max(worst, arcseconds);
    }
};

// A random chart record, its day count and its angles.
ChartFrame RandomFrame(std::mt19937& random, PositionTables& positions) {
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    char date[16], time[16], latitude[16], longitude[16];
    std::snprintf(date, sizeof date, "%02d%02d%04d", pick(1, 28), pick(1, 12), pick(1800, 2199));
    std::snprintf(time, sizeof time, "%02d%02d%02d", pick(0, 23), pick(0, 59), pick(0, 59));
    const int degrees = pick(0, 66);
    std::snprintf(latitude, sizeof latitude, "%02d%c%02d", degrees, pick(0, 1) ? 'N' : 'S',
                  degrees == 66 ? 0 : pick(0, 59));
    std::snprintf(longitude, sizeof longitude, "%03d%c%02d", pick(0, 179), pick(0, 1) ? 'E' : 'W',
                  pick(0, 60));
    const ChartRecord record{"oracle", date, time, latitude, longitude, "A.D.", 0};
    ChartFrame frame;
    ComputeDayCount(record, WorkingCopies{}, frame);
    ComputeAngles(record, frame, positions);
    return frame;
}

TEST(HousesOracle, AgreeWithSwissEphemeris) {
    std::mt19937 random(20240601);
    Worst angles[3];
    std::array<Worst, kSystems.size()> cusps;
    for (int instant = 0; instant < 600; ++instant) {
        PositionTables positions;
        ChartFrame frame = RandomFrame(random, positions);
        const double latitude = RadToDeg(frame.Latitude);
        const bool within40 = std::abs(latitude) <= 40.0;
        for (std::size_t s = 0; s < kSystems.size(); ++s) {
            double theirCusps[13], theirAngles[10];
            swe_houses_armc(RadToDeg(frame.RAMC), latitude, RadToDeg(frame.Obliquity),
                            kSystems[s].letter, theirCusps, theirAngles);
            Options options;
            options.HouseSystem = kSystems[s].code;
            ComputeHouseCusps(options, frame);
            ASSERT_FALSE(frame.HouseSystemUndefined);
            for (int house = 1; house <= 12; ++house)
                cusps[s].Add(ArcsecondsApart(frame.HouseCusp[house], theirCusps[house]), within40);
            if (s > 0) continue;
            // The oracle turns the Vertex by half a turn in the tropical zone.
            const bool tropical = std::abs(frame.Latitude) <= frame.Obliquity;
            angles[0].Add(ArcsecondsApart(frame.Midheaven, theirAngles[SE_MC]), within40);
            angles[1].Add(ArcsecondsApart(frame.Ascendant, theirAngles[SE_ASC]), within40);
            angles[2].Add(
                ArcsecondsApart(frame.Vertex, theirAngles[SE_VERTEX], tropical ? 180.0 : 360.0),
                within40);
        }
    }
    const char* angleNames[] = {"Midheaven", "Ascendant", "Vertex"};
    std::printf("worst disagreement, arcseconds: latitude up to 40 deg | 40 to 66 deg\n");
    for (int a = 0; a < 3; ++a) {
        std::printf("  %-14s %10.3g | %10.3g\n", angleNames[a], angles[a].upTo40,
                    angles[a].from40To66);
        EXPECT_LT(angles[a].upTo40, 1.0) << angleNames[a];
        EXPECT_LT(angles[a].from40To66, 1.0) << angleNames[a];
    }
    for (std::size_t s = 0; s < kSystems.size(); ++s) {
        std::printf("  %-14s %10.3g | %10.3g\n", kSystems[s].name, cusps[s].upTo40,
                    cusps[s].from40To66);
        RecordProperty(std::string(kSystems[s].name) + "_worst_arcsec_to_40", cusps[s].upTo40);
        RecordProperty(std::string(kSystems[s].name) + "_worst_arcsec_40_to_66",
                       cusps[s].from40To66);
        EXPECT_LT(cusps[s].upTo40, kSystems[s].toleranceArcseconds) << kSystems[s].name;
    }
}

TEST(EquatorialOracle, AgreesWithCoordinateTransformOfSwissEphemeris) {
    std::mt19937 random(4700);
    std::uniform_real_distribution<double> turn(0.0, kTwoPi), tilt(-kPi / 2, kPi / 2),
        centuries(-3.0, 3.0);
    double worst = 0.0;
    for (int trial = 0; trial < 1000; ++trial) {
        const double longitude = turn(random), latitude = tilt(random);
        const EquatorialPlace place = EclipticToEquatorial(longitude, latitude, centuries(random));
        double ecliptic[3] = {RadToDeg(longitude), RadToDeg(latitude), 1.0}, equatorial[3];
        swe_cotrans(ecliptic, equatorial, -RadToDeg(place.EquatorialObliquity));
        // Right ascension counts less near the poles, where a small change of it moves little.
        const double raApart =
            ArcsecondsApart(place.EquatorialRA, equatorial[0]) * std::cos(place.EquatorialDec);
        worst = std::max({worst, raApart, ArcsecondsApart(place.EquatorialDec, equatorial[1])});
    }
    RecordProperty("worst_arcsec", worst);
    std::printf("equatorial conversion: worst disagreement %.3g arcseconds\n", worst);
    EXPECT_LT(worst, 0.001);
}

} // namespace
} // namespace astrodesk
