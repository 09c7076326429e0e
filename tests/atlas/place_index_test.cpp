// The place index over the system's gazetteer and time-zone tables, and over small made lists
// where the case needs places of its own.

#include "atlas/place_index.hpp"
#include "atlas/system_atlas.hpp"
#include "atlas/zone_cities.hpp"

#include <gtest/gtest.h>

namespace astrodesk {
namespace {

const SystemAtlas kAtlas;

// The most populous match of a query, or an empty place.
AtlasPlace First(const std::string& query) {
    const std::vector<AtlasPlace> found = kAtlas.FindPlaces(query);
    return found.empty() ? AtlasPlace{} : found.front();
}

TEST(PlaceIndex, AccentsAndCaseFoldedBothWays) {
    struct Case {
        const char *query, *country, *zone;
    };
    for (const Case& c : {
             Case{"Z\u00fcrich", "Switzerland", "Europe/Zurich"},
             Case{"zurich", "Switzerland", "Europe/Zurich"},
             Case{"Krak\u00f3w", "Poland", "Europe/Warsaw"},
             Case{"KRAKOW", "Poland", "Europe/Warsaw"},
             Case{"Malm\u00f6", "Sweden", "Europe/Stockholm"},
             Case{"Montr\u00e9al", "Canada", "America/Toronto"},
             Case{"Troms\u00f8", "Norway", "Europe/Oslo"}, Case{"tromso", "Norway", "Europe/Oslo"},
             Case{"Zu\u0308rich", "Switzerland", "Europe/Zurich"}, // a combining diaeresis
         }) {
        const AtlasPlace place = First(c.query);
        EXPECT_EQ(place.country, c.country) << c.query;
        EXPECT_EQ(place.zone, c.zone) << c.query;
    }
}

TEST(PlaceIndex, AQueryBeginsAnyWordOfTheName) {
    const std::vector<AtlasPlace> rhein = kAtlas.FindPlaces("Rhein");
    EXPECT_TRUE(std::any_of(rhein.begin(), rhein.end(), [](const AtlasPlace& place) {
        return place.name == "Emmerich am Rhein";
    }));
    for (const AtlasPlace& place : rhein)
        EXPECT_TRUE(BeginsAWord(FoldedForSearch(place.name), "rhein")) << place.name;
    for (const AtlasPlace& place : kAtlas.FindPlaces("chester"))
        EXPECT_NE(place.name, "Manchester");
    const std::vector<AtlasPlace> richmonds = kAtlas.FindPlaces("Richmond");
    for (std::size_t i = 1; i < richmonds.size(); ++i) // the most populous first
        EXPECT_GE(richmonds[i - 1].population, richmonds[i].population);
}

TEST(PlaceIndex, NamesakesChosenByRegionCountryOrNumber) {
    const std::vector<AtlasPlace> kent = kAtlas.FindPlaces("Ashford, Kent");
    ASSERT_EQ(kent.size(), 1u);
    EXPECT_NEAR(kent.front().longitudeDeg, 0.87, 0.01);
    EXPECT_NEAR(First("ashford, surrey").longitudeDeg, -0.46, 0.01);
    EXPECT_EQ(kAtlas.FindPlaces("Ashford, England").size(), 2u);
    EXPECT_EQ(First("Manchester, New Hampshire").zone, "America/New_York");
    EXPECT_EQ(First("Manchester, new hamp").region, "New Hampshire");
    EXPECT_EQ(First("Manchester, United Kingdom").region, "England");

    const std::vector<AtlasPlace> manchesters = kAtlas.FindPlaces("Manchester");
    ASSERT_GE(manchesters.size(), 3u);
    for (std::size_t number = 1; number <= manchesters.size(); ++number) {
        const auto chosen = kAtlas.FindPlaces("Manchester, " + std::to_string(number));
        ASSERT_EQ(chosen.size(), 1u);
        EXPECT_EQ(chosen.front().latitudeDeg, manchesters[number - 1].latitudeDeg);
    }
    EXPECT_EQ(First("Manchester, United States, 1").region, "New Hampshire");
    EXPECT_TRUE(kAtlas.FindPlaces("Manchester, 0").empty());
    EXPECT_TRUE(kAtlas.FindPlaces("Manchester, 99").empty());
}

TEST(PlaceIndex, TheTimeZoneDatabaseAddsTheCitiesTheGazetteerLacks) {
    struct Case {
        const char *query, *name, *zone;
        double latitude, longitude;
    };
    for (const Case& c : {
             Case{"Singapore", "Singapore", "Asia/Singapore", 1.28, 103.85},
             Case{"Gibraltar", "Gibraltar", "Europe/Gibraltar", 36.13, -5.35},
             Case{"Monaco", "Monaco", "Europe/Monaco", 43.7, 7.4},
             Case{"Vatican City", "Vatican City", "Europe/Vatican", 41.9, 12.45},
             Case{"Macau", "Macau", "Asia/Macau", 22.2, 113.54},
             Case{"Kiritimati", "Kiritimati", "Pacific/Kiritimati", 1.87, -157.33},
         }) {
        const std::vector<AtlasPlace> found = kAtlas.FindPlaces(c.query);
        const auto place = std::find_if(found.begin(), found.end(),
                                        [&c](const AtlasPlace& p) { return p.zone == c.zone; });
        ASSERT_NE(place, found.end()) << c.query;
        EXPECT_EQ(place->name, c.name);
        EXPECT_NEAR(place->latitudeDeg, c.latitude, 0.1) << c.query;
        EXPECT_NEAR(place->longitudeDeg, c.longitude, 0.1) << c.query;
    }
    EXPECT_EQ(First("Kiritimati").country, "Kiribati");
    // London is in the gazetteer: its zone city is not added beside it.
    EXPECT_EQ(kAtlas.FindPlaces("London, United Kingdom").front().population > 0, true);
    for (const AtlasPlace& place : kAtlas.FindPlaces("London"))
        EXPECT_GT(place.population, 0u) << place.name << ", " << place.country;
}

TEST(PlaceIndex, AQueryThatMatchesNothing) {
    for (const char* query :
         {"Xqzzyville", "", "  ", ", England", "Manchester, Atlantis", "Zurich, Japan", "\xff\xfe"})
        EXPECT_TRUE(kAtlas.FindPlaces(query).empty()) << query;
}

TEST(PlaceIndex, FoldingMarksWordStartsAfterBlanksAndApostrophes) {
    const FoldedText folded =
        FoldedForSearch("  Saint-\u00c9tienne   L'\u00c6r\u00f8 St. John\u2019s ");
    EXPECT_EQ(folded.text, "saint etienne laero st johns");
    for (const char* start : {"saint", "etienne", "laero", "aero", "st john", "johns"})
        EXPECT_TRUE(BeginsAWord(folded, start)) << start;
    for (const char* inside : {"aint", "tienne", "ero", "ohns"})
        EXPECT_FALSE(BeginsAWord(folded, inside)) << inside;
    EXPECT_EQ(FoldedForSearch("Stra\u00dfe \u0141\u00f3d\u017a \u0110\u00e0 N\u1eb5ng").text,
              "strasse lodz da nang");
}

TEST(PlaceIndex, ZoneCitiesReadFromTheTablesAndAddedOnlyWhereLacking) {
    const auto countries = CountryNamesOf("# comment\nVA\tVatican City\nMO\tMacau\nGB\tBritain\n");
    const auto cities = ZoneCitiesOf({"VA\t+415408+0122711\tEurope/Vatican\n"
                                      "#MO\t+2211+11332\tAsia/Commented\n"
                                      "MO\t+221150+1133230\tAsia/Macau\tcomment\n"
                                      "GB\t+5130\tEurope/Broken\n",
                                      "GB,IM\t+513030-0000731\tEurope/London\n"
                                      "VA\t+4154+01227\tEurope/Vatican\n"},
                                     countries);
    ASSERT_EQ(cities.size(), 3u);
    EXPECT_EQ(cities[0].name, "Vatican City"); // a city state named by its country
    EXPECT_NEAR(cities[0].latitudeDeg, 41 + 54 / 60.0 + 8 / 3600.0, 1e-9);
    EXPECT_NEAR(cities[1].longitudeDeg, 113 + 32 / 60.0 + 30 / 3600.0, 1e-9);
    EXPECT_EQ(cities[2].country, "Britain");
    EXPECT_NEAR(cities[2].longitudeDeg, -(7 / 60.0 + 31 / 3600.0), 1e-9);

    const PlaceIndex index(
        {{"London", "England", "United Kingdom", "Europe/London", 51.51, -0.13, 8000000},
         {"Vatican", "Lazio", "Italy", "Europe/Rome", 41.9, 12.45, 800}},
        cities);
    EXPECT_EQ(index.Find("London").size(), 1u);
    EXPECT_EQ(index.Find("Vatican").size(), 1u); // "Vatican City" is the same place
    ASSERT_EQ(index.Find("Macau").size(), 1u);
    EXPECT_EQ(index.Find("Macau").front().zone, "Asia/Macau");
}

} // namespace
} // namespace astrodesk
