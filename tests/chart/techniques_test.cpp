// The predictive techniques: effective moments, the record texts of a moment, and technique
// charts computed from a natal chart.

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/chart_driver.hpp"
#include "chart/techniques.hpp"
#include "shell/record_rules.hpp"
#include "support/chart_setup.hpp"

#include <gtest/gtest.h>
#include <random>
#include <swephexp.h>
#include <tuple>

namespace astrodesk {
namespace {

constexpr double kSecondsPerCentury = 36525.0 * 86400.0;

double CenturiesOf(const char* date, const char* time, std::int16_t era = 0) {
    return RecordJulianCenturies(ChartRecord{"", date, time, "", "", "", era});
}
long long SecondsOf(double julianCenturies) {
    return std::llround(julianCenturies * kSecondsPerCentury);
}

TEST(EffectiveMoment, TheSolarReturnNearestTheTarget) {
    const double base = 0.93, year = kTropicalYearDays / 36525.0;
    // Up to half a year (0.005 century) before the tenth anniversary already counts it.
    for (auto [before, returns] : {std::pair{0.0049, 10}, {0.0051, 9}, {-0.0049, 10}})
        for (std::int16_t arrow : {0, 1})
            EXPECT_NEAR(EffectiveMoment(kSolarReturns, arrow, base, base + 10 * year - before),
                        base + (arrow == 1 ? -returns : returns) * year, 1e-14)
                << before << " " << arrow;
}

// Every moment goes to texts that the entry form takes and back to the same second; the date is
// the one Swiss Ephemeris gives in the calendar of the day count (Julian before 1582 October 15).
TEST(SetRecordFromTime, EveryMomentOfTheEntryRangeReadsBackToTheSameSecond) {
    const long long first = SecondsOf(CenturiesOf("01-01-9999", "00:00:00", 1));
    const long long last = SecondsOf(CenturiesOf("31-12-9999", "23:59:59"));
    const long long gregorian = SecondsOf(CenturiesOf("16-10-1582", "00:00:00"));
    std::mt19937_64 engine(1993);
    int beforeChrist = 0, julianAnnoDomini = 0;
    for (int trial = 0; trial < 12000; ++trial) {
        const long long second = std::uniform_int_distribution<long long>(first, last)(engine);
        const double offset = std::uniform_real_distribution<double>(-0.49, 0.49)(engine);
        ChartRecord record;
        ASSERT_TRUE(SetRecordFromTime((second + offset) / kSecondsPerCentury, record));
        ASSERT_EQ(SecondsOf(RecordJulianCenturies(record)), second)
            << record.ChartDate << " " << record.ChartTime << " " << record.EraText;
        ASSERT_TRUE(AcceptDate(record.ChartDate) && AcceptTime(record.ChartTime));
        ASSERT_EQ(record.EraText, record.ChartEra == 1 ? "B.C." : "A.D.");
        int year, month, day;
        double hours;
        const double jd = 2415020.0 + second / 86400.0; // seconds from JD 2415020.0
        swe_revjul(jd, second < gregorian ? SE_JUL_CAL : SE_GREG_CAL, &year, &month, &day, &hours);
        ASSERT_EQ(record.ChartDate, testing::Format("%02d-%02d-%04d", day, month,
                                                    record.ChartEra == 1 ? 1 - year : year));
        beforeChrist += record.ChartEra == 1;
        julianAnnoDomini += record.ChartEra == 0 && second < gregorian;
    }
    EXPECT_GT(std::min(beforeChrist, julianAnnoDomini), 500);
}

TEST(SetRecordFromTime, TextsAtTheEdgesOfTheCalendarsAndOfTheEntryRange) {
    const double aSecond = 1.0 / kSecondsPerCentury, day = 1.0 / 36525.0;
    const double julianEnd = CenturiesOf("04-10-1582", "18:00:00");
    const double firstMoment = CenturiesOf("01-01-9999", "00:00:00", 1);
    const double lastMoment = CenturiesOf("31-12-9999", "23:59:59");
    // Julian 4 and 5 October 1582 are followed by Gregorian 16 October; 1 B.C. by A.D. 1; the
    // moment is rounded to the second before the day is split (12:35:00 never comes back as
    // 12:34:00); the first moment of the entry range.
    const std::pair<double, std::tuple<std::string, std::string, std::string>> edges[] = {
        {julianEnd, {"04-10-1582", "18:00:00", "A.D."}},
        {julianEnd + day, {"05-10-1582", "18:00:00", "A.D."}},
        {julianEnd + 2 * day, {"16-10-1582", "18:00:00", "A.D."}},
        {CenturiesOf("31-12-0001", "23:59:59", 1) + aSecond, {"01-01-0001", "00:00:00", "A.D."}},
        {CenturiesOf("01-06-1950", "12:35:00") - 0.4 * aSecond, {"01-06-1950", "12:35:00", "A.D."}},
        {CenturiesOf("31-12-1999", "23:59:59") + 0.5 * aSecond, {"01-01-2000", "00:00:00", "A.D."}},
        {firstMoment, {"01-01-9999", "00:00:00", "B.C."}}};
    for (const auto& [t, texts] : edges) {
        ChartRecord record;
        EXPECT_TRUE(SetRecordFromTime(t, record));
        EXPECT_EQ(std::tie(record.ChartDate, record.ChartTime, record.EraText), texts);
    }
    // The dates between, which the day count reads as Julian, come back as other texts of the
    // same moment.
    for (int day = 4; day <= 16; ++day) {
        const double t =
            CenturiesOf(testing::Format("%02d-%02d-%04d", day, 10, 1582).c_str(), "06:00:00");
        ChartRecord record;
        ASSERT_TRUE(SetRecordFromTime(t, record));
        EXPECT_EQ(SecondsOf(RecordJulianCenturies(record)), SecondsOf(t)) << day;
    }
    // Beyond the entry range nothing is written.
    for (double outside : {firstMoment - aSecond, lastMoment + 0.6 * aSecond, 1e300,
                           std::numeric_limits<double>::quiet_NaN()}) {
        ChartRecord record;
        record.ChartDate = "10-02-1993";
        EXPECT_FALSE(SetRecordFromTime(outside, record)) << outside;
        EXPECT_EQ(record.ChartDate, "10-02-1993");
    }
}

// Ann's natal chart, computed and snapshotted, and technique charts from it.
struct TechniqueChart : ::testing::Test {
    ProgramState state = testing::LoadedState();

    void SetUp() override {
        state.record.ChartName = "ANN";
        testing::SetRecord(state.record, {10, 2, 1993, 20, 15, 30, 51, 32, false, 0, 8, false});
        ComputeChartTables(state);
        TakeNatalSnapshot(state);
    }
    // The outcome and the record's date, time and era.
    auto Run(std::int16_t technique, std::int16_t arrow, const char* date, const char* time,
             std::int16_t era = 0) {
        state.options.Technique = technique;
        state.options.TimesArrow = arrow;
        ChartRecord& r = state.record;
        std::tie(r.ChartDate, r.ChartTime, r.ChartEra) = std::tuple(date, time, era);
        const TechniqueOutcome outcome = ComputeTechniqueChart(state);
        return std::tuple(outcome, r.ChartDate, r.ChartTime, r.ChartEra);
    }
};

TEST_F(TechniqueChart, ATargetAtTheNatalMomentChartsTheNatalChartAgain) {
    const auto natal = state.positions.BodyLongitude;
    for (std::int16_t technique = kProgressions; technique <= kSolarReturns; ++technique)
        for (std::int16_t arrow : {0, 1}) {
            Run(technique, arrow, "10-02-1993", "20:15:30");
            EXPECT_EQ(state.positions.BodyLongitude, natal) << technique << " " << arrow;
        }
}

TEST_F(TechniqueChart, EffectiveMomentsAsTheRecordShowsThem) {
    using enum TechniqueOutcome;
    // A tropical year after birth (to the second) progresses by a day and directs by 3m 57s.
    EXPECT_EQ(Run(kProgressions, 0, "11-02-1994", "02:04:15"),
              std::tuple(Charted, "11-02-1993", "20:15:30", 0));
    EXPECT_EQ(Run(kPrimaryDirections, 0, "11-02-1994", "02:04:15"),
              std::tuple(Charted, "10-02-1993", "20:19:27", 0));
    // Converse transits ten years (3652 days) after birth chart 3652 days before it.
    EXPECT_EQ(Run(kTransits, 1, "10-02-2003", "20:15:30"),
              std::tuple(Charted, "11-02-1983", "20:15:30", 0));
    // Whatever the record held meanwhile, the chart keeps the natal name and place.
    state.record.ChartLatitude = "00N00";
    state.options.ReturnMoment = kMeanYearReturn;
    EXPECT_EQ(Run(kSolarReturns, 0, "01-01-2030", "00:00:00"),
              std::tuple(Charted, "10-02-2030", "19:19:26", 0));
    EXPECT_EQ(state.record.ChartLatitude, "51N32");
    EXPECT_EQ(Run(kTransits, 1, "13-02-3986", "20:15:30"),
              std::tuple(Charted, "10-02-0001", "20:15:30", 1));
}

// In the precessed zodiac the solar return 37 years on is carried back to the natal ecliptic by
// the general precession of 37 years (5029.097" a century); the natal chart computed after it
// keeps its own ecliptic, as a natal chart computed first does.
TEST_F(TechniqueChart, ThePrecessionSpanBelongsToTheTechniqueChartAlone) {
    const double natalSun = state.positions.BodyLongitude[1];
    const auto returnSun = [this](std::int16_t zodiac) {
        state.options.Zodiac = zodiac;
        Run(kSolarReturns, 0, "01-01-2030", "00:00:00");
        return state.positions.BodyLongitude[1];
    };
    const double tropical = returnSun(0);
    EXPECT_NEAR(RadToDeg(returnSun(1) - tropical),
                -5029.097 / 3600 * 37 * kTropicalYearDays / 36525, 1e-4);
    state.options.Technique = kNatal;
    testing::SetRecord(state.record, {10, 2, 1993, 20, 15, 30, 51, 32, false, 0, 8, false});
    ComputeChartTables(state);
    EXPECT_EQ(state.positions.BodyLongitude[1], natalSun);
}

TEST_F(TechniqueChart, AMomentBeyondTheEntryRangeIsRefusedAndNothingIsLost) {
    const double natalT = state.snapshots.NatalT, span = state.frame.PrecessSpanT;
    EXPECT_EQ(std::get<0>(Run(kTransits, 1, "01-01-9999", "00:00:00", 1)),
              TechniqueOutcome::OutsideEntryRange);
    EXPECT_EQ(std::tie(state.snapshots.NatalT, state.frame.PrecessSpanT), std::tie(natalT, span));
    state.options.RelationshipChart = 1; // before any relationship chart
    EXPECT_EQ(std::get<0>(Run(kTransits, 0, "01-01-2000", "00:00:00")),
              TechniqueOutcome::NoRelationshipBase);
}

} // namespace
} // namespace astrodesk
