#pragma once

// Data files written by a test into a scratch folder of their own, found there by name.

#include "shell/platform.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

    std::optional<std::filesystem::path> Find(const std::string& name) const override {
        const auto path = folder_ / name;
        if (std::filesystem::exists(path)) return path;
        return std::nullopt;
    }

  private:
    std::filesystem::path folder_ = [] {
        std::string name = std::filesystem::temp_directory_path() / "astrodesk-data-XXXXXX";
        return std::filesystem::path(::mkdtemp(name.data()));
    }();
};

} // namespace astrodesk::testing
