#include "atlas/gazetteer_library.hpp"

#include <dlfcn.h>
#include <filesystem>
#include <geonames.h>
#include <memory>
#include <utility>

namespace astrodesk {

// The library's functions that the atlas calls, typed by the library's own header.
struct GazetteerLibrary::Functions {
    decltype(&geonames_get_n_cities) cityCount;
    decltype(&geonames_get_city) city;
    decltype(&geonames_city_free) free;
    decltype(&geonames_city_get_name) name;
    decltype(&geonames_city_get_state) state;
    decltype(&geonames_city_get_country) country;
    decltype(&geonames_city_get_timezone) zone;
    decltype(&geonames_city_get_latitude) latitude;
    decltype(&geonames_city_get_longitude) longitude;
    decltype(&geonames_city_get_population) population;
};

namespace {

// Sets `function` to the library's symbol `name`; false when the library lacks it.
template <typename Function> bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::string Text(const gchar* value) {
    return value ? value : "";
}

} // namespace

GazetteerLibrary::GazetteerLibrary(const char* file) {
    void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (library == nullptr) {
        problem_ = std::string("the gazetteer library cannot be opened: ") + dlerror();
        return;
    }
    auto functions = std::make_unique<Functions>();
    Functions& f = *functions;
    const bool complete = Find(library, "geonames_get_n_cities", f.cityCount) &&
                          Find(library, "geonames_get_city", f.city) &&
                          Find(library, "geonames_city_free", f.free) &&
                          Find(library, "geonames_city_get_name", f.name) &&
                          Find(library, "geonames_city_get_state", f.state) &&
                          Find(library, "geonames_city_get_country", f.country) &&
                          Find(library, "geonames_city_get_timezone", f.zone) &&
                          Find(library, "geonames_city_get_latitude", f.latitude) &&
                          Find(library, "geonames_city_get_longitude", f.longitude) &&
                          Find(library, "geonames_city_get_population", f.population);
    if (!complete) {
        problem_ = std::string("the gazetteer library ") + file + " is not usable: " + dlerror();
        return;
    }
    functions_ = std::move(functions);
}

GazetteerLibrary::~GazetteerLibrary() = default;

std::string GazetteerLibrary::Source() const {
    Dl_info library{};
    if (functions_ == nullptr ||
        dladdr(reinterpret_cast<void*>(functions_->cityCount), &library) == 0 ||
        library.dli_fname == nullptr)
        return {};
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(library.dli_fname, error);
    const auto size = std::filesystem::file_size(file, error);
    if (error) return {};
    const auto changed = std::filesystem::last_write_time(file, error);
    if (error) return {};
    return file.string() + ' ' + std::to_string(size) + ' ' +
           std::to_string(changed.time_since_epoch().count());
}

std::vector<AtlasPlace> GazetteerLibrary::Cities() const {
    if (functions_ == nullptr) return {};
    const Functions& f = *functions_;
    const auto freeCity = [&f](GeonamesCity* city) { f.free(city); };
    std::vector<AtlasPlace> cities;
    const int count = f.cityCount();
    cities.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        const std::unique_ptr<GeonamesCity, decltype(freeCity)> city(f.city(index), freeCity);
        GeonamesCity* entry = city.get();
        cities.push_back({Text(f.name(entry)), Text(f.state(entry)), Text(f.country(entry)),
                          Text(f.zone(entry)), f.latitude(entry), f.longitude(entry),
                          f.population(entry)});
    }
    return cities;
}

} // namespace astrodesk
