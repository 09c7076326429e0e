#include "output_file.hpp"

#include "shell/utf8_text.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace astrodesk::cli {

namespace fs = std::filesystem;

namespace {

// The system's reason for the last failure, or a plain one when it gave none.
std::string LastReason() {
    return errno != 0 ? std::strerror(errno) : "the write failed";
}

bool WrittenInPlace(const std::string& fileName) {
    std::error_code error;
    const fs::file_status status = fs::status(fileName, error);
    return fs::exists(status) && !fs::is_regular_file(status);
}

// The permissions the file gets: those of the file it replaces, else what the user's file mask
// lets a new file have (a temporary file starts readable by its owner alone).
mode_t ModeFor(const std::string& fileName) {
    struct stat existing {};
    if (stat(fileName.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A new empty file beside `fileName` whose name keeps its extension (the PNG and PDF writers go
// by it): "folder/.name.XXXXXX.ext", with the permissions the file will have. Empty when none can
// be made.
std::string NewPartialFile(const std::string& fileName) {
    const fs::path path(fileName);
    const std::string extension = path.extension().string();
    std::string name =
        (path.parent_path() / ("." + path.stem().string() + ".XXXXXX" + extension)).string();
    const int descriptor = mkstemps(name.data(), static_cast<int>(extension.size()));
    if (descriptor < 0) return {};
    fchmod(descriptor, ModeFor(fileName));
    close(descriptor);
    return name;
}

} // namespace

std::string LowerCaseExtension(const std::string& fileName) {
    std::string extension = fs::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

void FailWrite(const std::string& fileName, const std::string& reason) {
    std::cerr << "astrodesk-cli: cannot write " << EscapedForMessage(fileName) << ": " << reason
              << '\n';
    throw CLI::RuntimeError(1);
}

ReplacingFile::ReplacingFile(std::string fileName) : fileName_(std::move(fileName)) {
    if (WrittenInPlace(fileName_)) {
        partialName_ = fileName_;
        return;
    }
    errno = 0;
    partialName_ = NewPartialFile(fileName_);
    if (partialName_.empty()) FailWrite(fileName_, LastReason());
}

ReplacingFile::~ReplacingFile() {
    if (committed_ || partialName_ == fileName_) return;
    stream_.reset();
    std::error_code ignored;
    fs::remove(partialName_, ignored);
}

std::ostream& ReplacingFile::Stream() {
    if (!stream_) stream_ = std::make_unique<std::ofstream>(partialName_, std::ios::binary);
    return *stream_;
}

void ReplacingFile::Commit() {
    errno = 0;
    if (stream_) {
        stream_->close();
        if (stream_->fail()) Fail(LastReason());
    }
    if (partialName_ != fileName_ && std::rename(partialName_.c_str(), fileName_.c_str()) != 0)
        Fail(LastReason());
    committed_ = true;
}

void ReplacingFile::Fail(const std::string& reason) {
    FailWrite(fileName_, reason.empty() ? LastReason() : reason);
}

void WriteWholeFile(const std::string& fileName, std::string_view bytes) {
    ReplacingFile file(fileName);
    file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.Commit();
}

void WatchStandardOutput() {
    std::cout.exceptions(std::ios::badbit | std::ios::failbit);
}

int StandardOutputFailed() {
    const int reason = errno;
    std::cout.exceptions(std::ios::goodbit); // the flush at exit fails again, quietly
    errno = reason;
    if (errno == EPIPE) return 0;
    std::cerr << "astrodesk-cli: cannot write standard output: " << LastReason() << '\n';
    return 1;
}

int StandardOutputEnded(int status) {
    errno = 0;
    try {
        std::cout.flush();
    } catch (const std::ios_base::failure&) {
        return StandardOutputFailed();
    }
    return std::fflush(stdout) == 0 ? status : StandardOutputFailed();
}

} // namespace astrodesk::cli
