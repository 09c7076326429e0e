#include "output_file.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace astrodesk::cli {

std::string LowerCaseExtension(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace astrodesk::cli
