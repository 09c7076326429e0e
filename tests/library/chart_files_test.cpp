// The interchange files: the published AAF examples read to their moments and places, and every
// format written and read back to the same charts.

#include "atlas/system_atlas.hpp"
#include "library/record_files.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tuple>

namespace astrodesk {
namespace {

const SystemAtlas& Atlas() {
    static const SystemAtlas atlas;
    return atlas;
}

const KeptChart& OnlyChart(const std::vector<RecordReading>& readings, std::size_t index) {
    EXPECT_GT(readings.size(), index);
    EXPECT_TRUE(readings[index].chart) << readings[index].field << ": " << readings[index].error;
    return *readings[index].chart;
}

TEST(AafRecords, ThePublishedExamplesReadToTheirMomentsAndPlaces) {
    const std::string text = "#:========= two records ============\n"
                             "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D\n"
                             "#B93:*,49n05,8e11,1he,0\n"
                             "#ZNAM:CET\n"
                             "#COM:a comment\n"
                             "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\n"
                             "#B93:2392758.526528,43n31,5e27,*,L\n";
    const std::vector<RecordReading> readings = ReadAafRecords(text, Atlas());
    ASSERT_EQ(readings.size(), 2u);
    // No Julian Day: the local clock less the zone's hour.
    const KeptChart& ferber = OnlyChart(readings, 0);
    EXPECT_EQ(std::tie(ferber.record.ChartDate, ferber.record.ChartTime,
                       ferber.record.ChartLatitude, ferber.record.ChartLongitude,
                       ferber.abbreviation, ferber.note, ferber.kind),
              std::tuple("27-09-1970", "10:04:00", "49N05", "008E11", "CET", "a comment", "m"));
    // The Julian Day decides: 19 January 1839, 00:38:12 UT, 1:00 local mean time at 5°27' E.
    const KeptChart& cezanne = OnlyChart(readings, 1);
    EXPECT_EQ(std::tie(cezanne.record.ChartDate, cezanne.record.ChartTime,
                       cezanne.record.ChartLatitude, cezanne.record.ChartLongitude,
                       cezanne.localTime),
              std::tuple("19-01-1839", "00:38:12", "43N31", "005E27", "01:00:00"));
}

TEST(AafRecords, LatinOneAndDamagedRecords) {
    // "Zürich" in Latin-1, and a record whose moment cannot be known (no Julian Day, no zone and
    // no place the atlas knows) refused by its line.
    const std::string text = "#A93:M\xfcller,Hans,m,1.5.1950,12:00,Z\xfcrich,CH\n"
                             "#B93:*,47n22,8e33,1he00,0\n"
                             "#A93:Nobody,,m,1.5.1950,12:00,Nowhere at all,XX\n"
                             "#B93:*,47n22,8e33,*,0\n";
    const std::vector<RecordReading> readings = ReadAafRecords(TextAsUtf8(text), Atlas());
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(OnlyChart(readings, 0).placeName, "Zürich");
    EXPECT_EQ(OnlyChart(readings, 0).record.ChartTime, "11:00:00");
    EXPECT_FALSE(readings[1].chart);
    EXPECT_EQ(readings[1].line, 3);
}

TEST(AafRecords, AYearBeforeChristIsANegativeYear) {
    const std::vector<RecordReading> readings = ReadAafRecords(
        "#A93:Rome,,e,21.4.-753,12:00,Roma,I\n#B93:*,41n54,12e30,0he00,0\n", Atlas());
    const KeptChart& rome = OnlyChart(readings, 0);
    EXPECT_EQ(rome.record.ChartDate, "21-04-0753");
    EXPECT_EQ(rome.record.ChartEra, 1);
    EXPECT_NE(AafText({rome}).find(",21.4.-0753,12:00:00,"), std::string::npos) << AafText({rome});
}

KeptChart FullChart() {
    KeptChart chart;
    chart.record = {"Anna Müller, \"Nan\"", "01-05-1980", "08:30:00", "47N22", "008E33", "A.D.", 0};
    chart.localDate = "01-05-1980";
    chart.localTime = "09:30:00";
    chart.placeName = "Zürich";
    chart.region = "Canton of Zurich";
    chart.country = "Switzerland";
    chart.zone = "Europe/Zurich";
    chart.offset = 3600;
    chart.abbreviation = "CET";
    chart.kind = "f";
    chart.note = "from her mother; a note, with commas";
    chart.source = "birth certificate";
    return chart;
}

TEST(ChartFiles, EachFormatReadsBackToTheSameCharts) {
    KeptChart bc; // the record alone, every other field empty
    bc.record = {"Founding", "21-04-0753", "12:00:00", "41N54", "012E30", "B.C.", 1};
    const std::vector<KeptChart> charts = {FullChart(), bc};
    for (const RecordFormat format : {RecordFormat::Aaf, RecordFormat::Csv, RecordFormat::Json}) {
        const std::vector<RecordReading> readings =
            ReadRecords(format, RecordsText(format, charts), Atlas());
        ASSERT_EQ(readings.size(), charts.size()) << static_cast<int>(format);
        for (std::size_t i = 0; i < charts.size(); ++i) {
            const KeptChart& back = OnlyChart(readings, i);
            const KeptChart& kept = charts[i];
            const auto fields = [](const KeptChart& c) {
                const ChartRecord& r = c.record;
                return std::tie(r.ChartName, r.ChartDate, r.ChartTime, r.ChartLatitude,
                                r.ChartLongitude, r.EraText, c.localDate, c.localTime, c.placeName,
                                c.region, c.country, c.zone, c.kind, c.note, c.source,
                                c.abbreviation, c.offset);
            };
            EXPECT_EQ(fields(back), fields(kept)) << static_cast<int>(format) << " chart " << i;
        }
    }
}

// The JSON writer lays records out as the JSON library's own indented dump does, escapes
// included, so that the listing and the export keep their form byte for byte.
TEST(ChartFiles, TheJsonTextIsTheIndentedDumpOfItsRecords) {
    using json = nlohmann::ordered_json;
    const auto dumped = [](const std::string& text) {
        return json::parse(text).dump(2, ' ', false, json::error_handler_t::replace) + "\n";
    };
    KeptChart escaped = FullChart();
    escaped.id = 12;
    escaped.note = "line one\nline two"; // each escape in a text of its own
    escaped.region = "a\tb";
    escaped.abbreviation = "\x01";
    escaped.country = "back \\ slash";
    escaped.zone = "\x7f";
    escaped.offset = -19800;
    KeptChart faulty = FullChart();
    faulty.source = "A\xff B"; // not UTF-8: the byte becomes U+FFFD
    const std::vector<KeptChart> charts = {escaped, faulty};
    EXPECT_EQ(JsonText({}), dumped("[]"));
    for (const JsonIds ids : {JsonIds::None, JsonIds::First}) {
        const std::string text = JsonText(charts, ids);
        EXPECT_EQ(text, dumped(text));
        EXPECT_EQ(json::parse(text)[0].begin().key(), ids == JsonIds::First ? "id" : "name");
    }
    EXPECT_EQ(json::parse(JsonText(charts, JsonIds::First))[0]["id"], 12);
    EXPECT_EQ(json::parse(JsonText(charts))[1]["source"], "A\uFFFD B");
}

TEST(ChartFiles, ARefusedFieldIsNamedWithItsLine) {
    const std::string csv = "name,date,time,era,latitude,longitude\n"
                            "Good,01-01-2000,12:00:00,A.D.,51N30,000W07\n"
                            "Bad,32-01-2000,12:00:00,A.D.,51N30,000W07\n";
    const std::vector<RecordReading> readings = ReadCsvRecords(csv);
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_TRUE(readings[0].chart);
    EXPECT_EQ(std::tuple(readings[1].chart.has_value(), readings[1].line, readings[1].field),
              std::tuple(false, 3, "date"));

    // A JSON file cut short, or with text between its objects, is refused where it goes wrong.
    const std::string good =
        R"({"name":"A","date":"01-01-2000","time":"12:00:00","latitude":"51N30",)"
        R"("longitude":"000W07"})";
    for (const auto& [text, line] : {std::pair<std::string, int>{"[" + good + ",\n" + good, 2},
                                     {"[" + good + ",\n" + good.substr(0, 20), 2},
                                     {good + "\n" + good.substr(0, 20), 2},
                                     {good + "\nnot json\n" + good, 2}}) {
        const std::vector<RecordReading> records = ReadJsonRecords(text);
        const auto refused = std::find_if(records.begin(), records.end(),
                                          [](const RecordReading& r) { return !r.chart; });
        ASSERT_NE(refused, records.end()) << text;
        EXPECT_EQ(refused->line, line) << text;
    }
}

} // namespace
} // namespace astrodesk
