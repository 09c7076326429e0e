#include "atlas/local_birth.hpp"
#include "atlas/system_atlas.hpp"

#include <gtest/gtest.h>
#include <tuple>

namespace astrodesk {
namespace {

// Known clock offsets of the past, checked against the system's time-zone history and the
// gazetteer.
class LocalBirthTest : public ::testing::Test {
  protected:
    GreenwichBirth Converted(const std::string& date, const std::string& time,
                             const std::string& zone, double latitude = 51.5,
                             double longitude = -0.12, std::int16_t era = 0) {
        const BirthConversion conversion =
            ConvertLocalBirth(atlas, LocalBirth{date, time, era, zone, latitude, longitude});
        EXPECT_TRUE(conversion.birth.has_value()) << conversion.refusal;
        return conversion.birth.value_or(GreenwichBirth{});
    }

    SystemAtlas atlas;
};

TEST_F(LocalBirthTest, HistoricalOffsetsAcrossMidnightAndYears) {
    struct Case {
        const char *zone, *date, *time, *gmtDate, *gmtTime, *offset, *abbreviation;
    };
    for (const Case& c : {
             // Britain kept double summer time in the summer of 1944.
             Case{"Europe/London", "06-06-1944", "06:30:00", "06-06-1944", "04:30:00", "+02:00",
                  "BDST"},
             Case{"America/New_York", "15-07-1990", "14:30:00", "15-07-1990", "18:30:00", "-04:00",
                  "EDT"},
             Case{"Asia/Kolkata", "15-07-1990", "12:00:00", "15-07-1990", "06:30:00", "+05:30",
                  "IST"},
             // Nepal moved from +05:30 to +05:45 in 1986.
             Case{"Asia/Kathmandu", "15-07-1990", "12:00:00", "15-07-1990", "06:15:00", "+05:45",
                  "+0545"},
             Case{"Asia/Kathmandu", "15-07-1980", "12:00:00", "15-07-1980", "06:30:00", "+05:30",
                  "+0530"},
             Case{"Pacific/Chatham", "15-07-2000", "12:00:00", "14-07-2000", "23:15:00", "+12:45",
                  "+1245"},
             // Back across midnight and the year.
             Case{"Asia/Tokyo", "01-01-2000", "01:00:00", "31-12-1999", "16:00:00", "+09:00",
                  "JST"},
         }) {
        const GreenwichBirth birth = Converted(c.date, c.time, c.zone);
        EXPECT_EQ(std::tuple(birth.ChartDate, birth.ChartTime, OffsetText(birth.offset.seconds),
                             birth.offset.abbreviation, birth.EraText, birth.notice),
                  std::tuple(c.gmtDate, c.gmtTime, c.offset, c.abbreviation, "A.D.", ""))
            << c.zone << " " << c.date;
    }
}

TEST_F(LocalBirthTest, BeforeStandardTimeTheClockKeptThePlacesMeanTime) {
    // Florence, 15 February 1564 at noon: 11 degrees 15 minutes east is 45 minutes ahead of
    // Greenwich; the date stays in the Julian calendar of the day.
    GreenwichBirth birth = Converted("15-02-1564", "12:00:00", "Europe/Rome", 43.77, 11.25);
    EXPECT_EQ(std::tuple(birth.ChartLongitude, birth.offset.abbreviation,
                         OffsetText(birth.offset.seconds), birth.ChartDate, birth.ChartTime),
              std::tuple("011E15", "LMT", "+00:45", "15-02-1564", "11:15:00"));
    // West of Greenwich shortly after midnight of a B.C. new year: back into the old year.
    birth = Converted("01-01-0044", "00:10:00", "America/New_York", 40.71, -74.0, 1);
    EXPECT_EQ(std::tuple(OffsetText(birth.offset.seconds), birth.ChartDate, birth.ChartTime),
              std::tuple("-04:56", "01-01-0044", "05:06:00"));
    // 139E46 keeps 9 h 19 min 04 s ahead of Greenwich.
    birth = Converted("01-01-0044", "23:10:00", "Asia/Tokyo", 35.68, 139.77, 1);
    EXPECT_EQ(std::tie(birth.ChartDate, birth.ChartTime), std::tuple("01-01-0044", "13:50:56"));
    birth = Converted("01-01-0001", "00:10:00", "Asia/Tokyo", 35.68, 139.77);
    EXPECT_EQ(std::tie(birth.ChartDate, birth.EraText), std::tuple("31-12-0001", "B.C."))
        << "1 A.D. back into 1 B.C.";
}

// Where the zone's first standard offset began, the place's clock jumped from its own mean time
// to the standard one at the Greenwich moment of the change: the hours skipped or repeated are
// the place's, not those of the zone's principal city. Each mean time is 4 s a minute of arc of
// the longitude the record writes.
TEST_F(LocalBirthTest, AroundTheAdoptionOfStandardTimeThePlacesOwnClockDecides) {
    struct Place {
        const char* zone;
        double latitude, longitude;
    };
    // Yintai, 109E06 (+7:16:24): China Standard Time from 15:54:17 GMT on 31 December 1900, when
    // Yintai's clocks read 23:10:41 and were set to 23:54:17. Kingston, Ontario, 076W29
    // (-5:05:56): Eastern Standard Time from 05:17:32 GMT on 1 January 1895, when its clocks read
    // 00:11:36 and were set to 00:17:32. Tanushimarumachi-toyoki, 130E41 (+8:42:44): Japan
    // Standard Time from 15:00 GMT on 31 December 1887, when its clocks read 23:42:44 and were
    // set to midnight.
    const Place yintai{"Asia/Shanghai", 35.1152, 109.0970},
        kingston{"America/Toronto", 44.2298, -76.4810}, tanushimaru{"Asia/Tokyo", 33.35, 130.6833};
    struct Case {
        Place place;
        const char *date, *time, *gmtDate, *gmtTime, *abbreviation; // no abbreviation: skipped
    };
    for (const Case& c : {
             Case{yintai, "31-12-1900", "23:05:00", "31-12-1900", "15:48:36", "LMT"},
             Case{yintai, "31-12-1900", "23:57:08", "31-12-1900", "15:57:08", "CST"},
             Case{yintai, "31-12-1900", "23:30:00", "", "", nullptr},
             Case{kingston, "01-01-1895", "00:10:41", "01-01-1895", "05:16:37", "LMT"},
             Case{kingston, "01-01-1895", "00:20:00", "01-01-1895", "05:20:00", "EST"},
             Case{kingston, "01-01-1895", "00:15:00", "", "", nullptr},
             Case{tanushimaru, "01-01-1888", "00:00:33", "31-12-1887", "15:00:33", "JST"},
             Case{tanushimaru, "31-12-1887", "23:40:00", "31-12-1887", "14:57:16", "LMT"},
             Case{tanushimaru, "31-12-1887", "23:50:00", "", "", nullptr},
         }) {
        const BirthConversion conversion =
            ConvertLocalBirth(atlas, LocalBirth{c.date, c.time, 0, c.place.zone, c.place.latitude,
                                                c.place.longitude});
        ASSERT_EQ(conversion.birth.has_value(), c.abbreviation != nullptr)
            << c.place.zone << " " << c.time;
        if (!conversion.birth) continue;
        const GreenwichBirth& birth = *conversion.birth;
        EXPECT_EQ(std::tuple(birth.ChartDate, birth.ChartTime, birth.offset.abbreviation),
                  std::tuple(c.gmtDate, c.gmtTime, c.abbreviation))
            << c.place.zone << " " << c.time;
        EXPECT_TRUE(birth.notice.empty()) << birth.notice;
    }

    // Tokyo itself, 139E46 (+9:19:04), set its clocks back 19 min 4 s: 00:10 happened twice.
    const GreenwichBirth tokyo = Converted("01-01-1888", "00:10:00", "Asia/Tokyo", 35.68, 139.77);
    EXPECT_EQ(tokyo.ChartTime, "14:50:56"); // the first passing, on the mean time
    EXPECT_NE(tokyo.notice.find("twice"), std::string::npos);
    EXPECT_TRUE(Converted("01-01-1888", "00:20:00", "Asia/Tokyo", 35.68, 139.77).notice.empty());
}

TEST_F(LocalBirthTest, SkippedHourIsRefusedAndRepeatedHourTakesTheEarlier) {
    const BirthConversion skipped = ConvertLocalBirth(
        atlas, LocalBirth{"28-03-2021", "01:30:00", 0, "Europe/London", 51.5, -0.12});
    EXPECT_FALSE(skipped.birth);
    EXPECT_NE(skipped.refusal.find("does not exist"), std::string::npos) << skipped.refusal;

    const GreenwichBirth repeated = Converted("31-10-2021", "01:30:00", "Europe/London");
    EXPECT_EQ(repeated.ChartTime, "00:30:00"); // 01:30 BST, the first of the two
    EXPECT_EQ(repeated.offset.abbreviation, "BST");
    EXPECT_NE(repeated.notice.find("twice"), std::string::npos);
}

TEST_F(LocalBirthTest, RefusalsNameWhatIsWrong) {
    for (const auto& [local, word] :
         {std::pair{LocalBirth{"31-13-2000", "12:00:00", 0, "Europe/London", 0, 0}, "date"},
          {LocalBirth{"31-12-2000", "24:00:00", 0, "Europe/London", 0, 0}, "time"},
          {LocalBirth{"31-12-2000", "12:00:00", 0, "Europe/Atlantis", 0, 0}, "Atlantis"},
          {LocalBirth{"31-12-9999", "23:30:00", 0, "America/New_York", 0, 0}, "outside"}}) {
        const BirthConversion conversion = ConvertLocalBirth(atlas, local);
        EXPECT_FALSE(conversion.birth);
        EXPECT_NE(conversion.refusal.find(word), std::string::npos) << conversion.refusal;
    }
}

TEST(PlaceTexts, RoundedToTheMinuteWithinTheEntryRange) {
    EXPECT_EQ(LatitudeTextOf(53.4809), "53N29");
    EXPECT_EQ(LongitudeTextOf(-2.2374), "002W14");
    EXPECT_EQ(LatitudeTextOf(-33.8679), "33S52");
    EXPECT_EQ(LongitudeTextOf(151.2073), "151E12");
    EXPECT_EQ(LatitudeTextOf(12.9999), "13N00"); // 59.994 minutes carry into the degree
    EXPECT_EQ(LatitudeTextOf(89.9999), "89N60");
    EXPECT_EQ(LongitudeTextOf(-179.9999), "179W60");
}

} // namespace
} // namespace astrodesk
