// Whole charts against Swiss Ephemeris, taken at the chart's instant as dynamical time (the
// program uses one time scale): apparent places seen from the Earth, the Sun and other planets,
// the motion marks against the sign of the speed, and the annual aberration on its own.

#include "astro/angles.hpp"
#include "chart/aberration.hpp"
#include "chart/chart_driver.hpp"
#include "ephemeris/body_theory.hpp"
#include "support/chart_setup.hpp"
#include "support/loaded_tables.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <swephexp.h>

namespace astrodesk {
namespace {

constexpr double kArcsecPerRadian = 206264.806;

// Display slots of the Sun, the Moon and Mercury .. Pluto, their Swiss Ephemeris numbers and
// mean daily motions (degrees), for deciding where the sign of the speed is meaningful.
struct Comparison {
    int slot;
    int sweBody;
    double meanDailyMotion;
};
constexpr Comparison kBodies[] = {
    {1, SE_SUN, 0.9856},      {2, SE_MOON, 13.1764},  {3, SE_MERCURY, 4.0923},
    {4, SE_VENUS, 1.6021},    {5, SE_EARTH, 0.9856},  {6, SE_MARS, 0.5240},
    {7, SE_JUPITER, 0.0831},  {8, SE_SATURN, 0.0335}, {9, SE_URANUS, 0.0117},
    {10, SE_NEPTUNE, 0.0060}, {11, SE_PLUTO, 0.0040}};

// Largest allowed separation (arcseconds) of display slots 1..11. The theories themselves reach
// about 5" for the Sun and the planets to Uranus, but drift smoothly to 21" for Neptune and 14"
// for Pluto between 1900 and 2100 against the modern ephemeris; seen from a nearby body (Venus
// near inferior conjunction, Saturn from Jupiter) the heliocentric errors of both bodies are
// magnified by the ratio of their distances. The Moon: 30".
constexpr double kLimit[] = {0, 10, 30, 10, 12, 10, 10, 10, 12, 10, 25, 16};

class ChartOracle : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { swe_set_ephe_path(const_cast<char*>(ASTRODESK_SWE_DATA_DIR)); }
    static void TearDownTestSuite() { swe_close(); }

    testing::ChartMoment RandomMoment() {
        std::uniform_int_distribution<int> year(1900, 2099), month(1, 12), day(1, 28), hour(0, 23),
            sixty(0, 59), latitude(0, 60), longitude(0, 179), coin(0, 1);
        return {day(random_),       month(random_),     year(random_),     hour(random_),
                sixty(random_),     sixty(random_),     latitude(random_), sixty(random_),
                coin(random_) == 1, longitude(random_), sixty(random_),    coin(random_) == 1};
    }

    // Computes the chart of `moment` seen from `centre` and returns its Julian Date.
    double Compute(const testing::ChartMoment& moment, int centre) {
        testing::SetRecord(state_.record, moment);
        state_.options.CentreBody = static_cast<std::int16_t>(centre);
        ComputeChartTables(state_);
        return state_.frame.JulianCenturies * 36525.0 + 2451545.0;
    }

    // The worst separation (arcseconds) of each body over `charts` random charts from `centre`,
    // printed and held to its limit; the motion marks counted against the sign of the speed.
    void CompareApparentPlaces(int centre, int sweCentre, int32 flags, int charts,
                               int* motionDisagreements = nullptr) {
        std::map<int, double> worstSeparation;
        for (int n = 0; n < charts; ++n) {
            const double jd = Compute(RandomMoment(), centre);
            for (const auto& [slot, body, meanDailyMotion] : kBodies) {
                if (slot == centre + 2 || (centre == 0 && slot == 1)) continue; // the Ascendant
                if (centre != 3 && slot == 2) continue; // the Moon is always the Earth's
                if (centre == 3 && slot == 5) continue;
                double xx[6];
                char error[AS_MAXCH];
                const int32 result = sweCentre == SE_EARTH
                                         ? swe_calc(jd, body, flags, xx, error)
                                         : swe_calc_pctr(jd, body, sweCentre, flags, xx, error);
                ASSERT_GE(result, 0) << error;
                const double ourLon = state_.positions.BodyLongitude[slot];
                const double ourLat = state_.positions.BodyLatitude[slot];
                double dLon = std::remainder(ourLon - xx[0] * M_PI / 180.0, 2 * M_PI);
                const double dLat = ourLat - xx[1] * M_PI / 180.0;
                const double separation =
                    std::hypot(dLon * std::cos(ourLat), dLat) * kArcsecPerRadian;
                worstSeparation[slot] = std::max(worstSeparation[slot], separation);
                if (slot == 2) // the Moon's own distance, not a neighbour's left in its slot
                    worstMoonDistance_ =
                        std::max(worstMoonDistance_,
                                 std::abs(state_.positions.BodyDistance[slot] / xx[2] - 1.0));
                if (motionDisagreements && slot != 2 && std::abs(xx[3]) > 0.02 * meanDailyMotion) {
                    // Direct (0) and retrograde (1) marks; a stationary mark names a turn whose
                    // speed is near zero on either side.
                    const std::int16_t motion = state_.positions.BodyMotion[slot];
                    if (motion <= 1) *motionDisagreements += (motion == 1) != (xx[3] < 0.0);
                }
            }
        }
        std::printf("centre %d, worst separation (arcsec):", centre);
        for (const auto& [slot, value] : worstSeparation) {
            std::printf(" %d:%.2f", slot, value);
            EXPECT_LT(value, kLimit[slot]) << "centre " << centre << " slot " << slot;
        }
        std::printf("\n");
    }

    ProgramState state_ = testing::LoadedState();
    std::mt19937 random_{20261206};
    double worstMoonDistance_ = 0.0; // relative
};

TEST_F(ChartOracle, GeocentricApparentPlacesAndMotionMarks) {
    int motionDisagreements = 0;
    CompareApparentPlaces(3, SE_EARTH, SEFLG_MOSEPH | SEFLG_SPEED, 300, &motionDisagreements);
    EXPECT_EQ(motionDisagreements, 0);
    std::printf("Moon's distance: worst relative disagreement %.2g\n", worstMoonDistance_);
    EXPECT_LT(worstMoonDistance_, 2e-4); // about 80 km, the lunar theory's own accuracy
}

TEST_F(ChartOracle, HeliocentricAndPlanetCentredApparentPlaces) {
    CompareApparentPlaces(0, SE_EARTH, SEFLG_MOSEPH | SEFLG_HELCTR, 300);
    for (const auto& [centre, sweCentre] :
         {std::pair{4, SE_MARS}, {5, SE_JUPITER}, {1, SE_MERCURY}})
        CompareApparentPlaces(centre, sweCentre, SEFLG_SWIEPH, 100);
}

constexpr int kEarth = 3;
constexpr int kMars = 4;

std::array<double, 3> Rectangular(double L, double B, double R) {
    return {R * std::cos(B) * std::cos(L), R * std::cos(B) * std::sin(L), R * std::sin(B)};
}

// Worked examples of J. Meeus, Astronomical Algorithms, 2nd ed. (Willmann-Bell 1998): the
// apparent place of Venus on 1992 December 20 at 0h (example 33.a, from VSOP87) and of the Moon
// on 1992 April 12 at 0h (example 47.a, from ELP-2000/82), both with nutation and aberration,
// against one pass of the driver at those moments (degrees; the series' own accuracy is about
// 1" for Venus and a few arcseconds for the Moon).
TEST(PublishedExamples, VenusAndTheMoonAsMeeusWorksThemOut) {
    struct Example {
        int slot;
        double julianDay, longitude, latitude, toleranceArcsec;
    };
    const Example examples[] = {{4, 2448976.5, 313.08102, -2.08474, 1.0},
                                {2, 2448724.5, 133.167265, -3.229126, 3.0}};
    ProgramState scratch = testing::LoadedState();
    scratch.working.ChartCentre = 3;
    for (const Example& e : examples) {
        const ApparentPlaces places =
            ComputeApparentPlaces(scratch, (e.julianDay - 2451545.0) / 36525.0);
        EXPECT_NEAR(RadToDeg(places.Longitude[e.slot]), e.longitude, e.toleranceArcsec / 3600)
            << e.slot;
        EXPECT_NEAR(RadToDeg(places.Latitude[e.slot]), e.latitude, e.toleranceArcsec / 3600)
            << e.slot;
    }
}

TEST(Aberration, VelocityIsTheTimeDerivativeOfThePosition) {
    const double L = 123.4, B = -5.6, R = 1.7, dL = 0.3, dB = -0.2, dR = 0.05, h = 1e-6;
    const auto at = [&](double t) {
        return Rectangular(DegToRad(L) + dL * t, DegToRad(B) + dB * t, R + dR * t);
    };
    const Velocity v = VelocityFromRates(L, B, R, dL, dB, dR);
    const auto later = at(h), earlier = at(-h);
    for (auto [axis, velocity] : {std::pair{0, v.vx}, {1, v.vy}, {2, v.vz}})
        EXPECT_NEAR(velocity, (later[axis] - earlier[axis]) / (2 * h), 1e-8) << axis;
}

TEST(Aberration, AgreesWithSwissEphemerisForMarsFromTheEarth) {
    for (const double T : {-0.61, -0.2, 0.07, 0.44, 0.93}) {
        const int flags = SEFLG_MOSEPH | SEFLG_NONUT | SEFLG_NOGDEFL; // with light time
        const double jd = 2451545.0 + T * 36525.0;
        double apparent[6], unaberrated[6];
        swe_calc(jd, SE_MARS, flags, apparent, nullptr);
        swe_calc(jd, SE_MARS, flags | SEFLG_NOABERR, unaberrated, nullptr);
        // Heliocentric places and rates of the Earth and Mars, as a chart pass leaves them.
        PositionTables p;
        for (const int k : {kEarth, kMars}) {
            RunBodyTheory(k, T, testing::LoadedTables(), p);
            p.HelioLongitude[k] = p.TheoryL < 0.0 ? p.TheoryL + 360.0 : p.TheoryL;
            p.HelioLatitude[k] = p.TheoryB;
            p.HelioDistance[k] = p.TheoryR;
        }
        FillMotionRates(T, p);
        const auto place = [&p](int k) {
            return Rectangular(DegToRad(p.HelioLongitude[k]), DegToRad(p.HelioLatitude[k]),
                               p.HelioDistance[k]);
        };
        const auto mars = place(kMars), earth = place(kEarth);
        p.RelX = mars[0] - earth[0];
        p.RelY = mars[1] - earth[1];
        p.RelZ = mars[2] - earth[2];
        const double before = AngleOf(p.RelY, p.RelX);
        ApplyAberration(kEarth, kMars, std::hypot(p.RelX, p.RelY, p.RelZ), p);
        EXPECT_NEAR(std::remainder(RadToDeg(AngleOf(p.RelY, p.RelX) - before), 360) * 3600,
                    std::remainder(apparent[0] - unaberrated[0], 360) * 3600, 0.1)
            << T;
    }
}

} // namespace
} // namespace astrodesk
