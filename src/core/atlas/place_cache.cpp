#include "atlas/place_cache.hpp"

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>

namespace astrodesk {

namespace {

// The first line: this heading, a tab and the source. Then a line a place, its fields
// separated by tabs: name, region, country, zone, latitude, longitude, population.
constexpr std::string_view kHeading = "astrodesk gazetteer places 1";
constexpr std::size_t kFields = 7;

std::string NumberText(auto value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

template <typename Number> std::optional<Number> NumberOf(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// One place from its line; nothing when a field is missing or a number does not read.
std::optional<AtlasPlace> PlaceOfLine(std::string_view line) {
    std::string_view fields[kFields];
    for (std::size_t field = 0; field < kFields; ++field) {
        const std::size_t tab = line.find('\t');
        if ((tab == std::string_view::npos) != (field == kFields - 1)) return std::nullopt;
        fields[field] = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    const auto latitude = NumberOf<double>(fields[4]);
    const auto longitude = NumberOf<double>(fields[5]);
    const auto population = NumberOf<unsigned>(fields[6]);
    if (!latitude || !longitude || !population) return std::nullopt;
    return AtlasPlace{std::string(fields[0]),
                      std::string(fields[1]),
                      std::string(fields[2]),
                      std::string(fields[3]),
                      *latitude,
                      *longitude,
                      *population};
}

} // namespace

std::optional<std::vector<AtlasPlace>> ReadPlaceCache(const std::filesystem::path& file,
                                                      std::string_view source) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(stream),
                           std::istreambuf_iterator<char>()};
    const std::string heading = std::string(kHeading) + '\t' + std::string(source) + '\n';
    if (!text.starts_with(heading) || !text.ends_with('\n')) return std::nullopt;
    std::vector<AtlasPlace> places;
    for (std::size_t start = heading.size(); start < text.size();) {
        const std::size_t end = text.find('\n', start);
        auto place = PlaceOfLine(std::string_view(text).substr(start, end - start));
        if (!place) return std::nullopt;
        places.push_back(std::move(*place));
        start = end + 1;
    }
    return places;
}

void WritePlaceCache(const std::filesystem::path& file, std::string_view source,
                     const std::vector<AtlasPlace>& places) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    const std::filesystem::path beside =
        file.string() + "." + std::to_string(static_cast<long>(getpid())) + ".new";
    bool written = false;
    {
        std::ofstream stream(beside, std::ios::binary | std::ios::trunc);
        stream << kHeading << '\t' << source << '\n';
        for (const AtlasPlace& place : places)
            stream << place.name << '\t' << place.region << '\t' << place.country << '\t'
                   << place.zone << '\t' << NumberText(place.latitudeDeg) << '\t'
                   << NumberText(place.longitudeDeg) << '\t' << place.population << '\n';
        stream.close();
        written = !stream.fail();
    }
    if (written) {
        std::filesystem::rename(beside, file, error);
        if (!error) return;
    }
    std::filesystem::remove(beside, error);
}

} // namespace astrodesk
