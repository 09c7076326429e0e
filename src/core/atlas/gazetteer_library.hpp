#pragma once

// The system's gazetteer, Debian's geonames library, opened with dlopen when the atlas first
// looks up a place rather than linked: it brings GLib and nine more shared libraries, whose
// loading cost every command about a millisecond at its start, though only place lookups read
// the gazetteer.

#include "atlas/atlas.hpp"

#include <memory>
#include <string>
#include <vector>

namespace astrodesk {

// The gazetteer library as Debian installs it (package libgeonames0).
inline constexpr const char* kGazetteerLibrary = "libgeonames.so.0";

class GazetteerLibrary {
  public:
    // Opens the library and finds its functions. It stays loaded for the life of the process:
    // GLib's type system, which it sets up, cannot be unloaded.
    explicit GazetteerLibrary(const char* file = kGazetteerLibrary);
    ~GazetteerLibrary();

    // Why the library cannot be used, naming it; empty when it can.
    const std::string& Problem() const { return problem_; }
    // The library file's path, size and time of change, which name the data it holds; empty when
    // the library cannot be used or its file is not found.
    std::string Source() const;
    // Every city of the gazetteer, its state or province as the region; none when the library
    // cannot be used.
    std::vector<AtlasPlace> Cities() const;

  private:
    struct Functions;
    std::unique_ptr<const Functions> functions_;
    std::string problem_;
};

} // namespace astrodesk
