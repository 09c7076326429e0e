// The relationship chart: the great-circle midpoint of two birthplaces, the record's place texts,
// the joined names, and a whole relationship chart from two computed charts.

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/place_text.hpp"
#include "chart/chart_driver.hpp"
#include "chart/relationship.hpp"
#include "support/chart_setup.hpp"

#include <array>
#include <gtest/gtest.h>
#include <random>

namespace astrodesk {
namespace {

struct Vector {
    double x, y, z;
};

// Unit vector of a place (degrees, west longitude positive), by the textbook formulas.
Vector UnitVector(double latitude, double longitudeWest) {
    const double b = latitude * M_PI / 180.0, l = -longitudeWest * M_PI / 180.0;
    return {std::cos(b) * std::cos(l), std::cos(b) * std::sin(l), std::sin(b)};
}

// Great-circle distance in degrees.
double Distance(const Vector& a, const Vector& b) {
    const Vector c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    return std::atan2(std::hypot(c.x, c.y, c.z), a.x * b.x + a.y * b.y + a.z * b.z) * 180 / M_PI;
}

// The midpoint's distances from the two places, both half their distance apart (last) when it
// lies half way along the shorter arc.
std::array<double, 3> Halves(double b1, double b2, double l1, double l2) {
    const GreatCircleMidpointResult m = GreatCircleMidpoint(b1, b2, l1, l2);
    const Vector p1 = UnitVector(b1, l1), p2 = UnitVector(b2, l2);
    const Vector mid = UnitVector(m.MidpointLatitude, m.MidpointLongitudeWest);
    return {Distance(p1, mid), Distance(p2, mid), Distance(p1, p2) / 2};
}

TEST(GreatCircleMidpoint, AgreesWithTheNormalisedSumOfTheTwoUnitVectors) {
    std::mt19937_64 engine(2024);
    std::uniform_real_distribution<double> latitude(-89.0, 89.0), longitude(-180.0, 180.0);
    for (int pairs = 0; pairs < 1000;) {
        const double b1 = latitude(engine), b2 = latitude(engine);
        const double l1 = longitude(engine), l2 = longitude(engine);
        const Vector p1 = UnitVector(b1, l1), p2 = UnitVector(b2, l2);
        if (Distance(p1, p2) > 179.0) continue; // within a degree of antipodal
        ++pairs;
        const Vector sum{p1.x + p2.x, p1.y + p2.y, p1.z + p2.z};
        const GreatCircleMidpointResult m = GreatCircleMidpoint(b1, b2, l1, l2);
        EXPECT_NEAR(m.MidpointLatitude,
                    std::asin(sum.z / std::hypot(sum.x, sum.y, sum.z)) * 180 / M_PI, 1e-6);
        EXPECT_LT(
            testing::DegreesApart(m.MidpointLongitudeWest, -std::atan2(sum.y, sum.x) * 180 / M_PI),
            1e-6)
            << b1 << " " << b2 << " " << l1 << " " << l2;
    }
}

TEST(GreatCircleMidpoint, OneMeridianHalfATurnTheAntimeridianAndThePoles) {
    const GreatCircleMidpointResult same = GreatCircleMidpoint(53.4667, 53.4667, 2.2167, 2.2167);
    EXPECT_NEAR(same.MidpointLatitude, 53.4667, 1e-6);
    EXPECT_NEAR(same.MidpointLongitudeWest, 2.2167, 0.001);
    // Half a turn apart in longitude, the shorter arc runs over the nearer pole; exactly
    // opposite places, also next to a pole, get a midpoint a quarter turn from each.
    EXPECT_NEAR(GreatCircleMidpoint(10.0, 30.0, 0.0, 180.0).MidpointLatitude, 80.0, 1e-6);
    for (auto [b, l] : {std::pair{0.0, 0.0}, {30.0, 10.0}, {89.9999, 40.0}, {-89.99999999, 70.0}})
        for (double distance : Halves(b, -b, l, l - 180.0))
            EXPECT_NEAR(distance, 90.0, 0.001);
    // Either side of the 180th meridian: wrapped into -180..+180, west positive.
    EXPECT_NEAR(GreatCircleMidpoint(-17.0, -17.0, -178.0, 176.0).MidpointLongitudeWest, 179.0,
                0.01);
    EXPECT_NEAR(GreatCircleMidpoint(0.0, 0.0, 179.5, -179.0).MidpointLongitudeWest, -179.75, 1e-9);
    // From a pole along the other place's meridian; from pole to pole, on the equator.
    const GreatCircleMidpointResult fromPole = GreatCircleMidpoint(90.0, 40.0, 123.0, -75.0);
    EXPECT_EQ(std::pair(fromPole.MidpointLatitude, fromPole.MidpointLongitudeWest),
              std::pair(65.0, -75.0));
    EXPECT_EQ(GreatCircleMidpoint(-90.0, 90.0, 5.0, 6.0).MidpointLatitude, 0.0);
}

TEST(SetRecordFromPlace, WholeMinutesInTheFormsTheEntryFormTakes) {
    const auto texts = [](double latitudeDegrees, double longitudeWest) {
        ChartFrame frame;
        frame.Latitude = DegToRad(latitudeDegrees);
        frame.LongitudeWest = longitudeWest;
        ChartRecord record;
        SetRecordFromPlace(frame, record);
        return record.ChartLatitude + " " + record.ChartLongitude;
    };
    EXPECT_EQ(texts(51.5333, 0.1333), "51N32 000W08");
    EXPECT_EQ(texts(-7.9833, -100.7), "07S59 100E42");
    // A minute that rounds to 60 stays 60; the pole and the 180th meridian are 89N60, 179W60.
    EXPECT_EQ(texts(51.9999, -99.9999), "51N60 099E60");
    EXPECT_EQ(texts(90.0, 180.0), "89N60 179W60");
    EXPECT_EQ(texts(-90.0, -180.0), "89S60 179E60");
}

TEST(RelationshipName, EachNameCutToTenCharactersNeverInsideOne) {
    EXPECT_EQ(RelationshipName("ELIZABETH ALEXANDRA", "BOB"), "ELIZABETH  & BOB ( REL. )");
    // Letters of two bytes: whole names of ten characters, and a name cut after ten letters.
    EXPECT_EQ(RelationshipName("José María", "AΠαπαδόπουλος"), "José María & AΠαπαδόπου ( REL. )");
}

// The natal chart of the first person, then the chart of the second.
struct RelationshipChart : ::testing::Test {
    ProgramState state = testing::LoadedState();

    void Compute(const char* name, const testing::ChartMoment& moment, std::int16_t era = 0) {
        state.record.ChartName = name;
        testing::SetRecord(state.record, moment);
        state.record.ChartEra = era;
        ComputeChartTables(state);
    }
};

TEST_F(RelationshipChart, TheMeanMomentAtTheMidpointUnderBothNames) {
    Compute("ANN", {10, 2, 1993, 20, 15, 30, 51, 32, false, 0, 8, false});
    TakeNatalSnapshot(state);
    Compute("BOB", {1, 6, 1990, 6, 0, 0, 40, 43, false, 74, 0, false});
    ASSERT_TRUE(ComputeRelationshipChart(state));
    const ChartRecord& r = state.record;
    // Half of 985 days, 14 hours, 15 minutes and 30 seconds after Bob's birth.
    EXPECT_EQ(std::tie(r.ChartName, r.ChartDate, r.ChartTime, r.EraText),
              std::tuple("ANN & BOB ( REL. )", "07-10-1991", "01:07:45", "A.D."));
    // Half way between London and New York, north of both, to the minute.
    const auto [fromLondon, fromNewYork, half] =
        Halves(RadToDeg(LatitudeFromText(r.ChartLatitude)), 40 + 43 / 60.0,
               LongitudeWestFromText(r.ChartLongitude), 74.0);
    EXPECT_NEAR(fromLondon, fromNewYork, 0.02);
    EXPECT_GT(LatitudeFromText(r.ChartLatitude), DegToRad(52.0));
    EXPECT_EQ(state.snapshots.RelationshipRecord.ChartDate, r.ChartDate);
    EXPECT_NEAR(state.snapshots.RelT, RecordJulianCenturies(r), 1e-12);
    EXPECT_EQ(state.snapshots.NatalRecord.ChartName, "ANN");
}

TEST_F(RelationshipChart, TheEraFollowsTheMeanMoment) {
    Compute("ANN", {1, 1, 50, 12, 0, 0, 41, 54, false, 12, 30, true}, 1); // 50 B.C.
    TakeNatalSnapshot(state);
    Compute("BOB", {1, 1, 50, 12, 0, 0, 41, 54, false, 12, 30, true}); // A.D. 50
    ASSERT_TRUE(ComputeRelationshipChart(state));
    // Half way lies in 1 B.C., the astronomical year 0; the same place twice is that place.
    EXPECT_EQ(std::tie(state.record.ChartDate, state.record.EraText, state.record.ChartLatitude,
                       state.record.ChartLongitude),
              std::tuple("02-07-0001", "B.C.", "41N54", "012E30"));
}

} // namespace
} // namespace astrodesk
