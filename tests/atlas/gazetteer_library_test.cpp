// The gazetteer library opened at run time: the system's own, one that is missing, and one that
// lacks the gazetteer's functions.

#include "atlas/gazetteer_library.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace astrodesk {
namespace {

TEST(GazetteerLibraryTest, TheSystemsGazetteerGivesItsCitiesAndNamesItsFile) {
    const GazetteerLibrary gazetteer;
    ASSERT_EQ(gazetteer.Problem(), "");
    EXPECT_NE(gazetteer.Source().find("libgeonames.so"), std::string::npos) << gazetteer.Source();
    const std::vector<AtlasPlace> cities = gazetteer.Cities();
    EXPECT_GT(cities.size(), 20000u);
    const auto tromso = std::find_if(cities.begin(), cities.end(), [](const AtlasPlace& city) {
        return city.name == "Troms\u00f8";
    });
    ASSERT_NE(tromso, cities.end());
    EXPECT_EQ(tromso->country, "Norway");
    EXPECT_EQ(tromso->zone, "Europe/Oslo");
    EXPECT_NEAR(tromso->latitudeDeg, 69.65, 0.01);
    EXPECT_NEAR(tromso->longitudeDeg, 18.96, 0.01); // east positive
}

TEST(GazetteerLibraryTest, AMissingOrForeignLibrarySaysWhyAndGivesNothing) {
    const GazetteerLibrary missing("libastrodesk-no-such-gazetteer.so");
    EXPECT_NE(missing.Problem().find("cannot be opened"), std::string::npos) << missing.Problem();
    EXPECT_NE(missing.Problem().find("libastrodesk-no-such-gazetteer.so"), std::string::npos);
    const GazetteerLibrary foreign("libm.so.6");
    EXPECT_NE(foreign.Problem().find("not usable"), std::string::npos) << foreign.Problem();
    EXPECT_NE(foreign.Problem().find("geonames_"), std::string::npos) << foreign.Problem();
    for (const GazetteerLibrary* unusable : {&missing, &foreign}) {
        EXPECT_EQ(unusable->Source(), "");
        EXPECT_TRUE(unusable->Cities().empty());
    }
}

} // namespace
} // namespace astrodesk
