#pragma once

// The gazetteer's places kept in a file of the user's cache folder, so that a process reads them
// in a few milliseconds instead of decoding the whole gazetteer. The file names the gazetteer it
// was read from (its path, size and time of change); a file of another, or one that does not
// read, is not used.

#include "atlas/atlas.hpp"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace astrodesk {

// The places of the file when it was written from the gazetteer `source`; nothing when it is
// missing, of another source or damaged.
std::optional<std::vector<AtlasPlace>> ReadPlaceCache(const std::filesystem::path& file,
                                                      std::string_view source);

// Writes the file beside its place, then puts it there; a folder that cannot be written leaves
// no file, and no error: the places are read from the gazetteer again next time.
void WritePlaceCache(const std::filesystem::path& file, std::string_view source,
                     const std::vector<AtlasPlace>& places);

} // namespace astrodesk
