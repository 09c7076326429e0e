#pragma once

// The chart library: one SQLite file of kept charts. The file carries an application mark and
// its schema version; a file without the mark, or of a newer version, is refused and never
// written to. Every change is one transaction, and the journal is a write-ahead log, so that a
// reader never waits for a writer and a crash leaves the file as it was before or after a
// change. Several processes may write one file: a writer waits for another's transaction.

#include "library/kept_chart.hpp"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

class SqliteConnection;

// A refusal or failure, with a message that names the library's file.
class LibraryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The library's file: `explicitPath` when given, else $ASTRODESK_LIBRARY, else
// $XDG_DATA_HOME/astrodesk/charts.sqlite, else ~/.local/share/astrodesk/charts.sqlite.
std::string LibraryPath(const std::string& explicitPath = "");

// What the caller means to do: reading never creates the file.
enum class LibraryAccess { Read, Write };

struct ImportCounts {
    int added = 0;
    int alreadyThere = 0;
};

class ChartLibrary {
  public:
    // Opens the file at `path`; for Write, creates it (and its folder) when missing. A file on a
    // read-only medium, or one the user may not write, opens for reading and refuses changes.
    // Throws LibraryError for a missing file opened to Read, a file that is not an Astrodesk
    // library, one of a newer version, or a damaged one.
    ChartLibrary(const std::string& path, LibraryAccess access);
    ~ChartLibrary();
    ChartLibrary(const ChartLibrary&) = delete;
    ChartLibrary& operator=(const ChartLibrary&) = delete;

    const std::string& Path() const { return path_; }
    bool IsReadOnly() const { return readOnly_; }

    // Charts whose name or place holds the query (accents and case ignored); all for an empty
    // query. Ordered by name, then id.
    std::vector<KeptChart> List(std::string_view query = "") const;
    // The same charts with only what a listing shows, read from one index: several times
    // faster than List for a query that finds many.
    std::vector<ListedChart> Listing(std::string_view query = "") const;
    // `chart` as a user names it: an id, an exact name, or a unique start of a name (case
    // ignored). One chart when found; none, or the candidates when ambiguous.
    std::vector<KeptChart> Find(std::string_view chart) const;
    std::optional<KeptChart> ById(std::int64_t id) const;

    // Keeps a chart unless the same chart is already there; returns the id of the chart kept
    // (the new one, or the one already there) and whether it was added.
    std::pair<std::int64_t, bool> Add(const KeptChart& chart);
    // Keeps all the charts in one transaction (duplicates, also within `charts`, are counted,
    // not added): all of them are in when it returns, none if it fails.
    ImportCounts AddAll(const std::vector<KeptChart>& charts);
    // False when there is no chart of that id.
    bool Remove(std::int64_t id);
    bool Rename(std::int64_t id, const std::string& newName);

  private:
    void OpenChecked(LibraryAccess access);
    void Migrate();
    void RefuseWhenReadOnly() const;
    void CheckRecords(const std::vector<KeptChart>& charts) const;
    // Runs `change` as one transaction: all of it is written, or none of it.
    template <typename Change> auto Changing(Change change);
    std::int64_t Insert(const KeptChart& chart);
    std::optional<std::int64_t> IdOfSame(const KeptChart& chart) const;
    [[noreturn]] void Fail(const std::exception& error) const;

    std::string path_;
    bool readOnly_ = false;
    std::unique_ptr<SqliteConnection> connection_;
};

} // namespace astrodesk
