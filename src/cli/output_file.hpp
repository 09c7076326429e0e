#pragma once

// Output named on the command line: files written whole or not at all, and the end of the
// standard output checked.

#include <fstream>
#include <memory>
#include <string>
#include <string_view>

namespace astrodesk::cli {

// The file name's extension in lower case with its dot (".png"), or empty.
std::string LowerCaseExtension(const std::string& fileName);

// Ends the command: "astrodesk-cli: cannot write FILE: REASON", exit status 1.
[[noreturn]] void FailWrite(const std::string& fileName, const std::string& reason);

// A file written whole or not at all. The writing goes to a partial file beside the named one
// (the same folder, so that the rename that replaces the named file is atomic), and only a
// complete partial file replaces it: a failed or interrupted write leaves the named file as it
// was. A name that exists and is not a regular file (a device, a named pipe) is written in place.
class ReplacingFile {
  public:
    explicit ReplacingFile(std::string fileName);
    ~ReplacingFile(); // removes the partial file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // The name to write to, for writers that open a file by name (the PDF and PNG writers).
    const std::string& PartialName() const { return partialName_; }
    // A stream on the partial file, opened at the first call.
    std::ostream& Stream();
    // Closes the stream (if any) and puts the partial file in place of the named one; a write
    // that failed ends the command by FailWrite.
    void Commit();
    // Ends the command by FailWrite after a writer has said that it failed.
    [[noreturn]] void Fail(const std::string& reason = "");

  private:
    std::string fileName_;
    std::string partialName_;
    std::unique_ptr<std::ofstream> stream_;
    bool committed_ = false;
};

// Writes `bytes` as the whole file `fileName` (see ReplacingFile).
void WriteWholeFile(const std::string& fileName, std::string_view bytes);

// The standard output, watched from the start of a command: a write that fails throws
// std::ios_base::failure at once, while errno still tells why.
void WatchStandardOutput();
// After such a failure: says why and gives exit status 1; a reader that has gone (a closed pipe)
// ends the program quietly, status 0.
int StandardOutputFailed();
// At the end of a command that ended with `status`: flushes the standard output and gives the
// status, or that of StandardOutputFailed.
int StandardOutputEnded(int status);

} // namespace astrodesk::cli
