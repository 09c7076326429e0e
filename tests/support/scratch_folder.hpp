#pragma once

// Data files written by a test into a scratch folder of their own, found there by name.

#include "shell/platform.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace astrodesk::testing {

class ScratchFolder : public DataFiles {
  public:
    ~ScratchFolder() override { std::filesystem::remove_all(folder_); }

    void Write(const std::string& name, const std::vector<std::string>& lines) const {
        std::ofstream file(folder_ / name);
        for (const std::string& line : lines)
            file << line << '\n';
    }
    void Remove(const std::string& name) const { std::filesystem::remove(folder_ / name); }

    // Where a file of that name goes, for tests that put something else there.
    std::filesystem::path PathOf(const std::string& name) const { return folder_ / name; }

    std::optional<std::filesystem::path> Find(const std::string& name) const override {
        ++finds[name];
        const auto path = folder_ / name;
        if (KindOfFile(path) == FileKind::Regular) return path;
        return std::nullopt;
    }
    NotAFile WhyNotFound(const std::string& name) const override {
        return {KindOfFile(folder_ / name), folder_ / name};
    }

    mutable std::map<std::string, int> finds; // how often each file was looked for

  private:
    std::filesystem::path folder_ = [] {
        std::string name = std::filesystem::temp_directory_path() / "astrodesk-data-XXXXXX";
        return std::filesystem::path(::mkdtemp(name.data()));
    }();
};

} // namespace astrodesk::testing
