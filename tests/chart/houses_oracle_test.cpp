// The day count, angles, cusps and equatorial conversion against Swiss Ephemeris, for random
// moments between 1800 and 2200 and random places up to 66 degrees north and south. The house
// routines of the oracle are fed with our own RAMC, obliquity and latitude.

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/equatorial.hpp"
#include "chart/houses.hpp"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <swephexp.h>

namespace astrodesk {
namespace {

// Difference of two longitudes (ours in radians, theirs in degrees) in arcseconds, modulo a
// whole or a half turn.
double ArcsecondsApart(double ours, double theirs, double turn = 360.0) {
    return 3600.0 * std::abs(std::remainder(RadToDeg(ours) - theirs, turn));
}

struct Measured {
    const char* name;
    double toleranceUpTo40; // arcseconds
    double worst[2] = {};   // up to 40 degrees of latitude, from 40 to 66 degrees
};

TEST(Oracle, AnglesAndCuspsAgreeWithSwissEphemeris) {
    // Midheaven, Ascendant, Vertex, then the systems in the order of their codes. Campanus keeps
    // its prime-vertical arcs 0.00005 degree off the multiples of 90 degrees.
    Measured measured[] = {{"Midheaven", 1}, {"Ascendant", 1},     {"Vertex", 1},   {"Equal", 1},
                           {"Campanus", 5},  {"Regiomontanus", 1}, {"Placidus", 1}, {"Koch", 1}};
    const char systemLetters[] = "ECRPK";
    std::mt19937 random(20240601);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    for (int instant = 0; instant < 600; ++instant) {
        char date[16], time[16], latitude[16], longitude[16];
        const int year = pick(1800, 2199), month = pick(1, 12), day = pick(1, 28);
        const int hours = pick(0, 23), minutes = pick(0, 59), degrees = pick(0, 66);
        std::snprintf(date, sizeof date, "%02d%02d%04d", day, month, year);
        std::snprintf(time, sizeof time, "%02d%02d00", hours, minutes);
        std::snprintf(latitude, sizeof latitude, "%02d%c%02d", degrees, "NS"[pick(0, 1)],
                      degrees == 66 ? 0 : pick(0, 59));
        std::snprintf(longitude, sizeof longitude, "%03d%c%02d", pick(0, 179), "EW"[pick(0, 1)],
                      pick(0, 59));
        const ChartRecord record{"", date, time, latitude, longitude, "", 0};
        ChartFrame frame;
        PositionTables positions;
        ComputeDayCount(record, WorkingCopies{}, frame);
        ComputeAngles(record, frame, positions);
        ASSERT_EQ(positions.BodyLongitude[18], frame.Ascendant);

        // Mean sidereal time and mean obliquity of the same instant.
        const double jd = swe_julday(year, month, day, hours + minutes / 60.0, SE_GREG_CAL);
        double nutation[6];
        ASSERT_GE(swe_calc(jd, SE_ECL_NUT, SEFLG_MOSEPH, nutation, nullptr), 0);
        EXPECT_LT(ArcsecondsApart(frame.Obliquity, nutation[1]), 1.0);
        const double sidereal = 15 * swe_sidtime0(jd, nutation[1], 0.0) - frame.LongitudeWest;
        EXPECT_LT(ArcsecondsApart(frame.RAMC, sidereal), 15.0); // a second of time

        const bool within40 = std::abs(RadToDeg(frame.Latitude)) <= 40.0;
        for (int s = 0; s < 5; ++s) {
            double cusps[13], angles[10];
            swe_houses_armc(RadToDeg(frame.RAMC), RadToDeg(frame.Latitude),
                            RadToDeg(frame.Obliquity), systemLetters[s], cusps, angles);
            // The oracle turns the Vertex by half a turn in the tropical zone.
            const double vertexTurn = std::abs(frame.Latitude) <= frame.Obliquity ? 180 : 360;
            const double apart[] = {ArcsecondsApart(frame.Midheaven, angles[SE_MC]),
                                    ArcsecondsApart(frame.Ascendant, angles[SE_ASC]),
                                    ArcsecondsApart(frame.Vertex, angles[SE_VERTEX], vertexTurn)};
            for (int a = 0; a < 3; ++a)
                measured[a].worst[!within40] = std::max(measured[a].worst[!within40], apart[a]);
            const ChartFrame houses = [&] {
                ChartFrame withCusps = frame;
                Options options;
                options.HouseSystem = static_cast<std::int16_t>(s);
                ComputeHouseCusps(options, withCusps);
                return withCusps;
            }();
            double& worst = measured[3 + s].worst[!within40];
            for (int house = 1; house <= 12; ++house)
                worst = std::max(worst, ArcsecondsApart(houses.HouseCusp[house], cusps[house]));
        }
    }
    std::printf("worst disagreement, arcseconds: latitude up to 40 deg | 40 to 66 deg\n");
    for (const Measured& m : measured) {
        std::printf("  %-14s %10.3g | %10.3g\n", m.name, m.worst[0], m.worst[1]);
        RecordProperty(std::string(m.name) + "_arcsec",
                       std::to_string(m.worst[0]) + " | " + std::to_string(m.worst[1]));
        EXPECT_LT(m.worst[0], m.toleranceUpTo40) << m.name;
    }
}

TEST(Oracle, EquatorialPlacesAgreeWithSwissEphemeris) {
    std::mt19937 random(4700);
    std::uniform_real_distribution<double> turn(0, kTwoPi), tilt(-kPi / 2, kPi / 2),
        centuries(-3, 3);
    double worst = 0.0;
    for (int trial = 0; trial < 1000; ++trial) {
        const double longitude = turn(random), latitude = tilt(random), t = centuries(random);
        const EquatorialPlace place = EclipticToEquatorial(longitude, latitude, t);
        double ecliptic[3] = {RadToDeg(longitude), RadToDeg(latitude), 1.0}, equatorial[3];
        swe_cotrans(ecliptic, equatorial, -RadToDeg(place.EquatorialObliquity));
        // Near the poles a right ascension error moves the place by its cosine of declination.
        worst = std::max(
            {worst, ArcsecondsApart(place.EquatorialDec, equatorial[1]),
             ArcsecondsApart(place.EquatorialRA, equatorial[0]) * std::cos(place.EquatorialDec)});
        double nutation[6];
        ASSERT_GE(swe_calc(2451545.0 + 36525 * t, SE_ECL_NUT, SEFLG_MOSEPH, nutation, nullptr), 0);
        EXPECT_LT(ArcsecondsApart(place.EquatorialObliquity, nutation[1]), 0.1);
    }
    std::printf("equatorial conversion: worst disagreement %.3g arcseconds\n", worst);
    RecordProperty("worst_arcsec", std::to_string(worst));
    EXPECT_LT(worst, 0.001);
}

} // namespace
} // namespace astrodesk
