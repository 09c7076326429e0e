#include "shell/platform.hpp"

#include <cerrno>
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

std::vector<std::filesystem::path> InstalledDataFiles::Candidates(const std::string& name) const {
    std::vector<std::filesystem::path> candidates{std::filesystem::path(name)};
    if (!programDirectory_.empty()) {
        candidates.push_back(programDirectory_ / name);
        // An installed tree moved to another prefix (a package): bin/../share/astrodesk.
        candidates.push_back(programDirectory_ / "../share/astrodesk" / name);
    }
    candidates.push_back(std::filesystem::path(ASTRODESK_INSTALL_DATA_DIR) / name);
    return candidates;
}

std::optional<std::filesystem::path> InstalledDataFiles::Find(const std::string& name) const {
    for (const auto& candidate : Candidates(name))
        if (KindOfFile(candidate) == FileKind::Regular) return candidate;
    return std::nullopt;
}

NotAFile InstalledDataFiles::WhyNotFound(const std::string& name) const {
    for (const auto& candidate : Candidates(name))
        if (const FileKind kind = KindOfFile(candidate);
            kind != FileKind::Missing && kind != FileKind::Regular)
            return {kind, candidate};
    return {};
}

FileKind KindOfFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status target = fs::status(path, error); // follows links, as opening would
    if (error && error.value() == ELOOP) return FileKind::LinkLoop;
    switch (target.type()) {
    case fs::file_type::regular:
        return FileKind::Regular;
    case fs::file_type::directory:
        return FileKind::Folder;
    case fs::file_type::fifo:
        return FileKind::NamedPipe;
    case fs::file_type::block:
    case fs::file_type::character:
        return FileKind::Device;
    case fs::file_type::socket:
        return FileKind::Socket;
    default:
        break;
    }
    return fs::is_symlink(fs::symlink_status(path, error)) ? FileKind::BrokenLink
                                                           : FileKind::Missing;
}

std::string_view FileKindPhrase(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
        return "is missing";
    case FileKind::Regular:
        return "is a file";
    case FileKind::Folder:
        return "is a folder, not a file";
    case FileKind::NamedPipe:
        return "is a named pipe (FIFO), not a file";
    case FileKind::Device:
        return "is a device, not a file";
    case FileKind::Socket:
        return "is a socket, not a file";
    case FileKind::LinkLoop:
        return "is a link that leads round in a loop";
    case FileKind::BrokenLink:
        return "is a link to nothing";
    }
    return {};
}

} // namespace astrodesk
