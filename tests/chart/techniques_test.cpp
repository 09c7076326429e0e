// The predictive techniques: effective moments, the record texts of a moment, and technique
// charts computed from a natal chart.

#include "chart/chart_driver.hpp"
#include "chart/techniques.hpp"
#include "shell/record_rules.hpp"
#include "support/chart_setup.hpp"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace astrodesk {
namespace {

constexpr double kSecondsPerCentury = 36525.0 * 86400.0;
constexpr double kYear = kTropicalYearDays / 36525.0; // centuries

ChartRecord RecordAt(const std::string& date, const std::string& time, std::int16_t era = 0) {
    return ChartRecord{"", date, time, "", "", "", era};
}

long long SecondsOf(double julianCenturies) {
    return std::llround(julianCenturies * kSecondsPerCentury);
}

TEST(EffectiveMoment, ATargetAtTheBaseChartsTheBaseForEveryTechniqueBothWays) {
    const double base = 0.9312345;
    for (std::int16_t technique = kNatal; technique <= kSolarReturns; ++technique)
        for (std::int16_t arrow : {0, 1})
            EXPECT_EQ(EffectiveMoment(technique, arrow, base, base), base) << technique << arrow;
}

TEST(EffectiveMoment, ADayForAYearAndTwiceOver) {
    const double base = -0.07;
    const double aYearLater = base + kYear;
    EXPECT_NEAR(EffectiveMoment(kProgressions, 0, base, aYearLater), base + 1.0 / 36525, 1e-15);
    EXPECT_NEAR(EffectiveMoment(kProgressions, 1, base, aYearLater), base - 1.0 / 36525, 1e-15);
    // A day divided by the tropical year: 236.55 seconds, about 3 minutes 56 seconds.
    EXPECT_NEAR((EffectiveMoment(kPrimaryDirections, 0, base, aYearLater) - base) *
                    kSecondsPerCentury,
                86400.0 / kTropicalYearDays, 1e-6);
    // Transits chart the target itself, or mirror it about the base.
    EXPECT_EQ(EffectiveMoment(kTransits, 0, base, base + 0.1), base + 0.1);
    EXPECT_NEAR(EffectiveMoment(kTransits, 1, base, base + 0.1), base - 0.1, 1e-15);
    EXPECT_EQ(EffectiveMoment(kNatal, 1, base, base + 0.1), base + 0.1);
}

TEST(EffectiveMoment, SolarReturnsCountTheReturnNearestTheTarget) {
    const double base = 0.5;
    // Up to half a year (0.005 century) before the tenth anniversary already counts it.
    for (auto [before, returns] : {std::pair{0.0049, 10}, {0.0051, 9}, {0.0, 10}, {-0.0049, 10}})
        for (std::int16_t arrow : {0, 1}) {
            const double target = base + 10 * kYear - before;
            const double sign = arrow == 1 ? -1.0 : 1.0;
            EXPECT_NEAR(EffectiveMoment(kSolarReturns, arrow, base, target),
                        base + sign * returns * kYear, 1e-14)
                << before << " " << arrow;
        }
    // Before the base the returns count backwards.
    EXPECT_NEAR(EffectiveMoment(kSolarReturns, 0, base, base - 2.2 * kYear), base - 2 * kYear,
                1e-14);
}

TEST(SetRecordFromTime, EveryMomentOfTheEntryRangeReadsBackToTheSameSecond) {
    const long long first = SecondsOf(RecordJulianCenturies(RecordAt("01-01-9999", "00:00:00", 1)));
    const long long last = SecondsOf(RecordJulianCenturies(RecordAt("31-12-9999", "23:59:59")));
    const long long gregorian =
        SecondsOf(RecordJulianCenturies(RecordAt("16-10-1582", "00:00:00")));
    std::mt19937_64 engine(1993);
    int beforeChrist = 0, julianAnnoDomini = 0, gregorianDates = 0;
    for (int trial = 0; trial < 12000; ++trial) {
        const long long second = std::uniform_int_distribution<long long>(first, last)(engine);
        // Anywhere within the second: the record rounds to the nearest one.
        const double offset = std::uniform_real_distribution<double>(-0.49, 0.49)(engine);
        ChartRecord record;
        ASSERT_TRUE(SetRecordFromTime((second + offset) / kSecondsPerCentury, record));
        ASSERT_EQ(SecondsOf(RecordJulianCenturies(record)), second)
            << record.ChartDate << " " << record.ChartTime << " " << record.EraText;
        // Texts the entry form itself would take, and an era that matches its code.
        ASSERT_TRUE(AcceptDate(record.ChartDate) && AcceptTime(record.ChartTime));
        ASSERT_EQ(record.EraText, record.ChartEra == 1 ? "B.C." : "A.D.");
        beforeChrist += record.ChartEra == 1;
        julianAnnoDomini += record.ChartEra == 0 && second < gregorian;
        gregorianDates += second >= gregorian;
    }
    EXPECT_GT(std::min({beforeChrist, julianAnnoDomini, gregorianDates}), 500);
}

TEST(SetRecordFromTime, TextsAtTheEdgesOfTheCalendarsAndTheEntryRange) {
    const auto textsOf = [](double t) {
        ChartRecord record;
        EXPECT_TRUE(SetRecordFromTime(t, record));
        return std::tuple(record.ChartDate, record.ChartTime, record.EraText);
    };
    const auto centuries = [](const char* date, const char* time, std::int16_t era = 0) {
        return RecordJulianCenturies(RecordAt(date, time, era));
    };
    const double aSecond = 1.0 / kSecondsPerCentury;
    // 4 and 5 October 1582 of the Julian calendar are followed by Gregorian 16 October.
    const double october4 = centuries("04-10-1582", "18:00:00");
    const char* days[] = {"04-10-1582", "05-10-1582", "16-10-1582", "17-10-1582"};
    for (int day = 0; day < 4; ++day)
        EXPECT_EQ(std::get<0>(textsOf(october4 + day / 36525.0)), days[day]);
    // 1 B.C. is the astronomical year 0; years below 1000 keep four digits.
    EXPECT_EQ(textsOf(centuries("31-12-0001", "23:59:59", 1) + aSecond),
              std::tuple("01-01-0001", "00:00:00", "A.D."));
    EXPECT_EQ(textsOf(centuries("15-03-0044", "12:00:00", 1)),
              std::tuple("15-03-0044", "12:00:00", "B.C."));
    // The moment is rounded to the second before the day is split: a minute never comes back
    // short by one, and half a second before midnight is the next day.
    EXPECT_EQ(textsOf(centuries("01-06-1950", "12:35:00") - 0.4 * aSecond),
              std::tuple("01-06-1950", "12:35:00", "A.D."));
    EXPECT_EQ(textsOf(centuries("31-12-1999", "23:59:59") + 0.5 * aSecond),
              std::tuple("01-01-2000", "00:00:00", "A.D."));

    // Beyond the entry range nothing is written.
    const double firstMoment = centuries("01-01-9999", "00:00:00", 1);
    const double lastMoment = centuries("31-12-9999", "23:59:59");
    EXPECT_EQ(textsOf(firstMoment), std::tuple("01-01-9999", "00:00:00", "B.C."));
    EXPECT_EQ(textsOf(lastMoment), std::tuple("31-12-9999", "23:59:59", "A.D."));
    const ChartRecord untouched = RecordAt("10-02-1993", "20:15:30");
    for (double outside : {firstMoment - aSecond, lastMoment + 0.6 * aSecond, 1e300,
                           std::numeric_limits<double>::quiet_NaN()}) {
        ChartRecord record = untouched;
        EXPECT_FALSE(SetRecordFromTime(outside, record)) << outside;
        EXPECT_EQ(record.ChartDate, untouched.ChartDate);
    }
}

// A natal chart computed and snapshotted, and technique charts from it.
struct TechniqueChart : ::testing::Test {
    ProgramState state = testing::LoadedState();
    RecordingOutputScreen output;

    void SetUp() override {
        state.record.ChartName = "ANN";
        testing::SetRecord(state.record, {10, 2, 1993, 20, 15, 30, 51, 32, false, 0, 8, false});
        ComputeChart(state, output);
        TakeNatalSnapshot(state);
    }
    // The technique chart of a target; the record's date, time and era afterwards.
    std::tuple<TechniqueOutcome, std::string, std::string, std::int16_t>
    Run(std::int16_t technique, std::int16_t arrow, const char* date, const char* time,
        std::int16_t era = 0) {
        state.options.Technique = technique;
        state.options.TimesArrow = arrow;
        state.record.ChartDate = date;
        state.record.ChartTime = time;
        state.record.ChartEra = era;
        const TechniqueOutcome outcome = ComputeTechniqueChart(state, output);
        return {outcome, state.record.ChartDate, state.record.ChartTime, state.record.ChartEra};
    }
};

TEST_F(TechniqueChart, ATargetAtTheNatalMomentListsTheNatalChartAgain) {
    const std::vector<std::string> natal = output.Pages().back().screenText;
    for (std::int16_t technique = kProgressions; technique <= kSolarReturns; ++technique)
        for (std::int16_t arrow : {0, 1}) {
            EXPECT_EQ(std::get<0>(Run(technique, arrow, "10-02-1993", "20:15:30")),
                      TechniqueOutcome::Charted);
            EXPECT_EQ(output.Pages().back().screenText, natal) << technique << " " << arrow;
        }
}

TEST_F(TechniqueChart, EffectiveMomentsAsTheRecordShowsThem) {
    using enum TechniqueOutcome;
    // A tropical year after birth (to the second) progresses by one day, directs by 3m 57s.
    EXPECT_EQ(Run(kProgressions, 0, "11-02-1994", "02:04:15"),
              std::tuple(Charted, "11-02-1993", "20:15:30", 0));
    EXPECT_EQ(Run(kPrimaryDirections, 0, "11-02-1994", "02:04:15"),
              std::tuple(Charted, "10-02-1993", "20:19:27", 0));
    // Converse transits ten years (3652 days) after birth chart 3652 days before it.
    EXPECT_EQ(Run(kTransits, 1, "10-02-2003", "20:15:30"),
              std::tuple(Charted, "11-02-1983", "20:15:30", 0));
    // The chart keeps the natal name and place whatever the record held, and precession spans
    // the time from the effective moment back to birth.
    state.record.ChartLatitude = "00N00";
    state.record.ChartName = "SOMEONE ELSE";
    EXPECT_EQ(Run(kSolarReturns, 0, "01-01-2030", "00:00:00"),
              std::tuple(Charted, "10-02-2030", "19:19:26", 0));
    EXPECT_EQ(std::tie(state.record.ChartName, state.record.ChartLatitude),
              std::tuple("ANN", "51N32"));
    EXPECT_NEAR(state.frame.PrecessSpanT, -37 * kYear, 1e-6);
    // Converse transits into the B.C. era write the era as well.
    EXPECT_EQ(Run(kTransits, 1, "13-02-3986", "20:15:30"),
              std::tuple(Charted, "10-02-0001", "20:15:30", 1));
    EXPECT_EQ(state.record.EraText, "B.C.");
}

TEST_F(TechniqueChart, AMomentBeyondTheEntryRangeIsRefusedAndNothingIsLost) {
    const Snapshots natal = state.snapshots;
    const std::size_t pages = output.Pages().size();
    const double span = state.frame.PrecessSpanT;
    EXPECT_EQ(std::get<0>(Run(kTransits, 1, "01-01-9999", "00:00:00", 1)),
              TechniqueOutcome::OutsideEntryRange);
    EXPECT_EQ(state.record.ChartDate, "01-01-9999") << "the target stays in the record";
    EXPECT_EQ(std::tie(state.snapshots.NatalT, state.snapshots.NatalRecord.ChartDate),
              std::tie(natal.NatalT, natal.NatalRecord.ChartDate));
    EXPECT_EQ(state.frame.PrecessSpanT, span);
    EXPECT_EQ(output.Pages().size(), pages);
    // Relationship mode before any relationship chart has no base.
    state.options.RelationshipChart = 1;
    EXPECT_EQ(std::get<0>(Run(kTransits, 0, "01-01-2000", "00:00:00")),
              TechniqueOutcome::NoRelationshipBase);
    EXPECT_STRNE(TechniqueRefusal(TechniqueOutcome::NoRelationshipBase), "");
}

} // namespace
} // namespace astrodesk
