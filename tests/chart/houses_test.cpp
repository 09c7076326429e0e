// The angles and the cusps of the five house systems: defined wherever the system exists and
// true to its definition there, and in agreement with Swiss Ephemeris (whose house routines are
// fed with our own RAMC, obliquity and latitude) for random moments between 1800 and 2200 and
// random places up to 66 degrees north and south; the equatorial conversion likewise.

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/equatorial.hpp"
#include "chart/houses.hpp"
#include "support/comparison.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <swephexp.h>

namespace astrodesk {
namespace {

ChartFrame CuspsOf(ChartFrame frame, std::int16_t system) {
    Options options;
    options.HouseSystem = system;
    ComputeHouseCusps(options, frame);
    return frame;
}

bool InOneTurn(double angle) {
    return angle >= 0.0 && angle < kTwoPi;
}

// Difference of two longitudes (ours in radians, theirs in degrees) in arcseconds, modulo a
// whole or a half turn.
double ArcsecondsApart(double ours, double theirs, double turn = 360.0) {
    return 3600.0 * testing::DegreesApart(RadToDeg(ours), theirs, turn);
}

// The frame of a place text at a sidereal time (hours of the Greenwich day at 0 longitude).
ChartFrame PlaceAt(const std::string& latitude, double hours) {
    ChartFrame frame;
    frame.JulianCenturies = 0.93;
    frame.DayFraction = hours / 24.0;
    PositionTables positions;
    ComputeAngles(ChartRecord{"", "", "", latitude, "000W00", "", 0}, frame, positions);
    return frame;
}

// Right ascension and declination of an ecliptic longitude, radians.
struct Equatorial {
    double ra, dec;
};
Equatorial OfEclipticPoint(double longitude, double obliquity) {
    return {std::atan2(std::sin(longitude) * std::cos(obliquity), std::cos(longitude)),
            std::asin(std::sin(longitude) * std::sin(obliquity))};
}

// Placidus: the point of each intermediate cusp has covered its share of its diurnal semi-arc
// from the upper meridian (houses 11 and 12: a third and two thirds) or of its nocturnal semi-arc
// from the lower meridian (houses 3 and 2), worked out from its right ascension and declination.
void ExpectPlacidusShares(const ChartFrame& frame, const std::string& where) {
    for (auto [house, share] :
         {std::pair{11, 1.0 / 3}, {12, 2.0 / 3}, {2, 2.0 / 3}, {3, 1.0 / 3}}) {
        const Equatorial point = OfEclipticPoint(frame.HouseCusp[house], frame.Obliquity);
        const double diurnal = std::acos(-std::tan(point.dec) * std::tan(frame.Latitude));
        const bool above = house > 10;
        const double covered = above ? std::remainder(point.ra - frame.RAMC, kTwoPi)
                                     : std::remainder(frame.RAMC + kPi - point.ra, kTwoPi);
        EXPECT_NEAR(RadToDeg(covered), RadToDeg(share * (above ? diurnal : kPi - diurnal)),
                    1.0 / 3600)
            << where << "Placidus house " << house;
    }
}

// Koch: each cusp from house 10 to house 3 is where the ecliptic meets the horizon of the place
// turned to the oblique ascension of the Midheaven plus its share of the arc that the
// Midheaven's degree takes from culmination to rising (a third for each house), the Midheaven's
// ascensional difference held at 90 degrees where that degree never sets or never rises.
void ExpectKochObliqueAscensions(const ChartFrame& frame, const std::string& where) {
    const double tanLatitude = std::tan(frame.Latitude);
    const double difference = std::asin(
        std::clamp(std::sin(frame.RAMC) * std::tan(frame.Obliquity) * tanLatitude, -1.0, 1.0));
    const double arc = kPi / 2 + difference; // culmination to rising, in ascension
    for (int step = 0; step <= 5; ++step) {
        const int house = (9 + step) % 12 + 1;
        const Equatorial point = OfEclipticPoint(frame.HouseCusp[house], frame.Obliquity);
        // On the horizon: the ascensional difference of the point is its right ascension less
        // its oblique ascension.
        const double ascensional = point.ra - (frame.RAMC - difference + step * arc / 3);
        EXPECT_NEAR(std::sin(ascensional), std::tan(point.dec) * tanLatitude, 1e-6)
            << where << "Koch house " << house;
    }
}

// From the equator to the poles, north and south, through the day: angles and cusps lie in one
// turn, opposite cusps half a turn apart; an undefined system gives equal houses and the notice.
// Every system but Equal House degenerates at the pole itself; Placidus is defined outside the
// polar circles, nowhere beyond 80 degrees, and between them wherever its semi-arcs exist.
TEST(Houses, EverySystemTrueToItsDefinitionWhereverItIsDefined) {
    int placidusDefined = 0, placidusUndefined = 0; // between the polar circle and 80 degrees
    for (int minutes = 0; minutes <= 90 * 60; minutes += minutes < 60 * 60 ? 450 : 23) {
        for (double hours = 0.1; hours < 48.0; hours += 0.5) {
            const bool pole = minutes >= 90 * 60 - 22;
            const std::string latitude = testing::Format(
                "%02d%c%02d", pole ? 89 : minutes / 60, "NS"[hours > 24], pole ? 60 : minutes % 60);
            const ChartFrame frame = PlaceAt(latitude, std::fmod(hours, 24.0));
            const std::string where = latitude + " at " + std::to_string(hours) + " h: ";
            for (double angle : {frame.Midheaven, frame.Ascendant, frame.Vertex})
                ASSERT_TRUE(InOneTurn(angle)) << where;
            const bool polar = std::abs(frame.Latitude) > kPi / 2 - frame.Obliquity;
            const bool beyond80 = std::abs(frame.Latitude) >= DegToRad(80.0);
            for (std::int16_t system = kEqualHouse; system <= kKoch; ++system) {
                const ChartFrame houses = CuspsOf(frame, system);
                const bool undefined = houses.HouseSystemUndefined;
                if (system == kPlacidus && polar && !beyond80) {
                    ++(undefined ? placidusUndefined : placidusDefined);
                } else {
                    EXPECT_EQ(undefined,
                              system == kPlacidus ? beyond80 : pole && system != kEqualHouse)
                        << where << system;
                }
                if (undefined) {
                    EXPECT_EQ(houses.HouseCusp, CuspsOf(frame, kEqualHouse).HouseCusp) << where;
                } else if (system == kPlacidus) {
                    ExpectPlacidusShares(houses, where);
                } else if (system == kKoch) {
                    ExpectKochObliqueAscensions(houses, where);
                }
                for (int house = 1; house <= 12; ++house) {
                    ASSERT_TRUE(InOneTurn(houses.HouseCusp[house])) << where << system;
                    ASSERT_LT(ArcsecondsApart(houses.HouseCusp[house],
                                              RadToDeg(houses.HouseCusp[(house + 5) % 12 + 1]),
                                              180),
                              1e-6)
                        << where << system << " house " << house;
                }
            }
        }
    }
    std::printf("Placidus between the polar circles and 80 degrees: %d charts defined, %d not\n",
                placidusDefined, placidusUndefined);
    EXPECT_GT(std::min(placidusDefined, placidusUndefined), 300);
}

struct Measured {
    const char* name;
    double tolerance;     // arcseconds
    double worst[2] = {}; // up to 40 degrees of latitude, from 40 to 66 degrees
};

TEST(Oracle, AnglesAndCuspsAgreeWithSwissEphemeris) {
    using testing::Format;
    // Midheaven, Ascendant, Vertex, then the systems in the order of their codes. Campanus keeps
    // its prime-vertical arcs 0.00005 degree off the multiples of 90 degrees.
    Measured measured[] = {{"Midheaven", 1}, {"Ascendant", 1},     {"Vertex", 1},   {"Equal", 1},
                           {"Campanus", 5},  {"Regiomontanus", 1}, {"Placidus", 1}, {"Koch", 1}};
    const char systemLetters[] = "ECRPK";
    auto pick = testing::RandomPick(20240601);
    for (int instant = 0; instant < 600; ++instant) {
        const int year = pick(1800, 2199), month = pick(1, 12), day = pick(1, 28);
        const int hours = pick(0, 23), minutes = pick(0, 59), degrees = pick(0, 66);
        const std::string latitude =
            Format("%02d%c%02d", degrees, "NS"[pick(0, 1)], degrees == 66 ? 0 : pick(0, 59));
        const std::string longitude =
            Format("%03d%c%02d", pick(0, 179), "EW"[pick(0, 1)], pick(0, 59));
        const std::string date = Format("%02d%02d%04d", day, month, year);
        const ChartRecord record{
            "", date, Format("%02d%02d%02d", hours, minutes, 0), latitude, longitude, "", 0};
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
            const ChartFrame houses = CuspsOf(frame, static_cast<std::int16_t>(s));
            double& worst = measured[3 + s].worst[!within40];
            for (int house = 1; house <= 12; ++house)
                worst = std::max(worst, ArcsecondsApart(houses.HouseCusp[house], cusps[house]));
        }
    }
    std::printf("worst disagreement, arcseconds: latitude up to 40 deg | 40 to 66 deg\n");
    for (const Measured& m : measured) {
        std::printf("  %-14s %10.3g | %10.3g\n", m.name, m.worst[0], m.worst[1]);
        EXPECT_LT(std::max(m.worst[0], m.worst[1]), m.tolerance) << m.name;
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
    EXPECT_LT(worst, 0.001);
}

} // namespace
} // namespace astrodesk
