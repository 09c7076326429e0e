// The gazetteer's places kept in a real file of a scratch cache folder and read back.

#include "atlas/place_cache.hpp"
#include "support/scratch_folder.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <tuple>

namespace astrodesk {
namespace {

namespace fs = std::filesystem;

class PlaceCacheTest : public ::testing::Test {
  protected:
    const testing::ScratchFolder scratch;
    const fs::path folder = scratch.PathOf("");
    const std::vector<AtlasPlace> places = {
        {"Troms\u00f8", "Troms og Finnmark", "Norway", "Europe/Oslo", 69.6489, 18.9551, 52436},
        {"Kiritimati", "", "Kiribati", "Pacific/Kiritimati", 1.0 / 3.0, -157.33333333333334, 0}};
};

TEST_F(PlaceCacheTest, ReadBackExactlyFromTheSameGazetteerOnly) {
    const fs::path file = folder / "astrodesk" / "places.tsv";
    WritePlaceCache(file, "/lib/libgeonames.so 862192 17", places);
    const auto read = ReadPlaceCache(file, "/lib/libgeonames.so 862192 17");
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->size(), places.size());
    const auto fields = [](const AtlasPlace& p) { // the coordinates the very same doubles
        return std::tie(p.name, p.region, p.country, p.zone, p.latitudeDeg, p.longitudeDeg,
                        p.population);
    };
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(fields((*read)[i]), fields(places[i])) << i;
    EXPECT_FALSE(ReadPlaceCache(file, "/lib/libgeonames.so 862192 18")); // the gazetteer changed
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator{}),
              1); // nothing left beside it
}

TEST_F(PlaceCacheTest, MissingDamagedOrUnwritableFilesAreNotUsed) {
    const fs::path file = folder / "places.tsv";
    EXPECT_FALSE(ReadPlaceCache(file, "source"));
    WritePlaceCache(file, "source", places);
    const auto whole = fs::file_size(file);
    fs::resize_file(file, whole - 3); // cut inside the last line
    EXPECT_FALSE(ReadPlaceCache(file, "source"));
    std::ofstream(file, std::ios::app) << "\t0\t0\n"; // a field too many
    EXPECT_FALSE(ReadPlaceCache(file, "source"));

    const fs::path underAFile = file / "astrodesk" / "places.tsv";
    EXPECT_NO_THROW(WritePlaceCache(underAFile, "source", places));
    EXPECT_FALSE(fs::exists(underAFile));
}

} // namespace
} // namespace astrodesk
