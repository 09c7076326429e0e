#include "shell/platform.hpp"

#include <ctime>
#include <system_error>

namespace astrodesk {

ClockReading SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::filesystem::path RunningProgramDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : program.parent_path();
}

InstalledDataFiles::InstalledDataFiles(std::filesystem::path programDirectory)
    : programDirectory_(std::move(programDirectory)) {}

std::optional<std::filesystem::path> InstalledDataFiles::Find(const std::string& name) const {
    const std::filesystem::path candidates[] = {
        std::filesystem::path(name),
        programDirectory_.empty() ? std::filesystem::path() : programDirectory_ / name,
        // An installed tree moved to another prefix (a package): bin/../share/astrodesk.
        programDirectory_.empty() ? std::filesystem::path()
                                  : programDirectory_ / "../share/astrodesk" / name,
        std::filesystem::path(ASTRODESK_INSTALL_DATA_DIR) / name,
    };
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (!candidate.empty() && std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

} // namespace astrodesk
