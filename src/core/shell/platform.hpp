#pragma once

// The small interfaces through which the engine reaches the outside world. Each has a desktop
// (Qt) implementation in the GUI and a headless one for the command line and the tests.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

// Calendar date and clock time of the system, taken as Greenwich time without conversion.
struct ClockReading {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual ClockReading Now() const = 0;
};

// The machine's clock (local time of day as the operating system reports it).
class SystemClock final : public Clock {
  public:
    ClockReading Now() const override;
};

// A clock that always reads the same moment; for tests and reproducible command lines.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(ClockReading reading) : reading_(reading) {}
    ClockReading Now() const override { return reading_; }

  private:
    ClockReading reading_;
};

enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Modal input box and message box.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Returns the text typed, or an empty text when the user pressed Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& prefill) = 0;
    virtual MessageAnswer MessageBox(const std::string& text, const std::string& title,
                                     MessageButtons buttons) = 0;
    // False where no one can see or answer a box (no screen to show it on): a message that
    // must not be lost then goes elsewhere.
    virtual bool Attended() const { return true; }
};

// Hard copy of text, positioned in millimetres from the top of the page. A printed line holds
// kPrinterColumns characters, as the output screen's does: text that runs past the last column
// continues on the next line.
inline constexpr int kPrinterColumns = 80;

class Printer {
  public:
    virtual ~Printer() = default;
    // Prints text at the current position and ends the line; after text that fills the line
    // exactly, just one new line starts.
    virtual void PrintLine(const std::string& text) = 0;
    // Prints text at the current position and stays right after it: the next print continues
    // the line (on the next line when this one is full).
    virtual void PrintJoined(const std::string& text) = 0;
    virtual double CurrentY() const = 0; // millimetres from the top of the page
    // Millimetres down from one line to the next, so that a writer can tell whether the lines
    // that belong together still fit on the page.
    virtual double LineHeight() const = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
};

// What stands at a path, told from the file system's entry alone: nothing is opened, so that
// a named pipe never blocks the program.
enum class FileKind { Missing, Regular, Folder, NamedPipe, Device, Socket, LinkLoop, BrokenLink };
FileKind KindOfFile(const std::filesystem::path& path);
// "is missing", "is a folder", "is a named pipe (FIFO)", ... in lower case.
std::string_view FileKindPhrase(FileKind kind);

// Something under a data file's name that is not a readable file, and where it is.
struct NotAFile {
    FileKind kind = FileKind::Missing;
    std::filesystem::path path;
};

// Finds a data file by its bare name: the current directory first, then beside the program,
// then the data folder of the installed tree the program runs from, then the configured one.
// Only a regular file (or a link to one) is found.
class DataFiles {
  public:
    virtual ~DataFiles() = default;
    virtual std::optional<std::filesystem::path> Find(const std::string& name) const = 0;
    // Where Find found nothing: the first thing of another kind under the name (a folder, a
    // named pipe, a device, a link loop), or Missing when there is none.
    virtual NotAFile WhyNotFound(const std::string&) const { return {}; }
};

// The folder of the running program, where the build and the package put the data files too;
// empty when it cannot be told.
std::filesystem::path RunningProgramDirectory();

class InstalledDataFiles final : public DataFiles {
  public:
    // programDirectory: the folder of the running executable (may be empty).
    explicit InstalledDataFiles(std::filesystem::path programDirectory = {});
    std::optional<std::filesystem::path> Find(const std::string& name) const override;
    NotAFile WhyNotFound(const std::string& name) const override;

  private:
    std::vector<std::filesystem::path> Candidates(const std::string& name) const;

    std::filesystem::path programDirectory_;
};

} // namespace astrodesk
