#include "qt_pictures.hpp"

#include <CLI/CLI.hpp>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>

namespace astrodesk::cli {

namespace {

constexpr const char* kModuleFile = "libastrodesk-cli-qt.so";

const QtPictures* LoadModule() {
    std::error_code unknown;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", unknown);
    std::string reasons;
    for (const std::filesystem::path& folder :
         {program.parent_path(), std::filesystem::path(ASTRODESK_MODULE_DIR)}) {
        void* module = dlopen((folder / kModuleFile).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            reasons += std::string(reasons.empty() ? "" : "; ") + dlerror();
            continue;
        }
        const auto entry =
            reinterpret_cast<decltype(&AstrodeskQtPictures)>(dlsym(module, "AstrodeskQtPictures"));
        if (entry != nullptr) return entry(); // the module stays loaded for the program's life
        reasons += std::string(reasons.empty() ? "" : "; ") + dlerror();
    }
    std::cerr << "astrodesk-cli: cannot load the picture and PDF module " << kModuleFile << ": "
              << reasons << '\n';
    throw CLI::RuntimeError(1);
}

} // namespace

const QtPictures& LoadedQtPictures() {
    static const QtPictures* const pictures = LoadModule();
    return *pictures;
}

} // namespace astrodesk::cli
