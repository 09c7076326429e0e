#include "library/chart_library.hpp"

#include "atlas/text_folding.hpp"
#include "library/sqlite_handle.hpp"
#include "shell/record_rules.hpp"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sqlite3.h>
#include <unistd.h>

namespace astrodesk {

namespace {

// The file's mark in the database header ("ASTR"), so that an Astrodesk library is told from
// any other SQLite file.
constexpr std::int64_t kApplicationMark = 0x41535452;
// The schema version this program writes; kMigrations[v] takes a library from version v to v + 1.
constexpr std::int64_t kSchemaVersion = 3;
constexpr const char* kMigrations[kSchemaVersion] = {
    R"(CREATE TABLE charts(
           id INTEGER PRIMARY KEY,
           name TEXT NOT NULL, date TEXT NOT NULL, time TEXT NOT NULL, era INTEGER NOT NULL,
           latitude TEXT NOT NULL, longitude TEXT NOT NULL,
           local_date TEXT NOT NULL, local_time TEXT NOT NULL,
           place TEXT NOT NULL, region TEXT NOT NULL, country TEXT NOT NULL, zone TEXT NOT NULL,
           utc_offset INTEGER, abbreviation TEXT NOT NULL,
           kind TEXT NOT NULL, note TEXT NOT NULL, source TEXT NOT NULL,
           added TEXT NOT NULL, changed TEXT NOT NULL,
           folded_name TEXT NOT NULL, search TEXT NOT NULL);
       CREATE INDEX charts_by_name ON charts(folded_name, id);
       CREATE INDEX charts_by_identity ON charts(name, date, time, era, latitude, longitude);)",
    // The search texts alone, a tenth of the rows' pages: a query scans this, not the charts.
    "CREATE INDEX charts_by_search ON charts(search, id);",
    // The listing in its order, with the search texts and the listed columns: a query reads
    // this index alone, front to back, and neither sorts nor visits the charts' rows. It takes
    // the place of the two indexes before it.
    R"(CREATE INDEX charts_listed ON charts(folded_name, id, search, name, date, time, era,
                                            latitude, longitude, place);
       DROP INDEX charts_by_search;
       DROP INDEX charts_by_name;)"};

// A writer waits this long for another's transaction before giving up (milliseconds).
constexpr int kBusyTimeoutMs = 30000;

constexpr const char* kColumns =
    "id, name, date, time, era, latitude, longitude, local_date, local_time, place, region, "
    "country, zone, utc_offset, abbreviation, kind, note, source, added, changed";

constexpr const char* kListedColumns = "id, name, date, time, era, latitude, longitude, place";

// The charts whose search text holds ?1, in the listing's order. SQLite reads them through
// charts_listed, which holds the search text in that order; no index is named, so that a library
// of an earlier version, read where it cannot be brought forward, is still read.
constexpr const char* kMatching =
    " FROM charts WHERE instr(search, ?1) > 0 ORDER BY folded_name, id";

// Columns 1 to 6 of a row of kColumns or kListedColumns.
ChartRecord RecordOfRow(const SqliteStatement& row) {
    ChartRecord r;
    r.ChartName = row.TextAt(1);
    r.ChartDate = row.TextAt(2);
    r.ChartTime = row.TextAt(3);
    r.ChartEra = static_cast<std::int16_t>(row.IntegerAt(4));
    r.EraText = EraTextOf(r.ChartEra);
    r.ChartLatitude = row.TextAt(5);
    r.ChartLongitude = row.TextAt(6);
    return r;
}

KeptChart ChartOfRow(const SqliteStatement& row) {
    KeptChart chart;
    chart.id = row.IntegerAt(0);
    chart.record = RecordOfRow(row);
    chart.localDate = row.TextAt(7);
    chart.localTime = row.TextAt(8);
    chart.placeName = row.TextAt(9);
    chart.region = row.TextAt(10);
    chart.country = row.TextAt(11);
    chart.zone = row.TextAt(12);
    if (!row.IsNullAt(13)) chart.offset = static_cast<int>(row.IntegerAt(13));
    chart.abbreviation = row.TextAt(14);
    chart.kind = row.TextAt(15);
    chart.note = row.TextAt(16);
    chart.source = row.TextAt(17);
    chart.added = row.TextAt(18);
    chart.changed = row.TextAt(19);
    return chart;
}

// The rows of kListedColumns.
std::vector<ListedChart> ListedChartsOf(SqliteStatement& row) {
    std::vector<ListedChart> charts;
    while (row.Step()) {
        charts.push_back({row.IntegerAt(0), RecordOfRow(row), row.TextAt(7)});
    }
    return charts;
}

std::vector<KeptChart> ChartsOf(SqliteStatement& statement) {
    std::vector<KeptChart> charts;
    while (statement.Step())
        charts.push_back(ChartOfRow(statement));
    return charts;
}

std::string Folded(std::string_view text) {
    return FoldedForSearch(text).text;
}

std::string SearchTextOf(const KeptChart& chart) {
    return Folded(chart.record.ChartName + " " + chart.placeName + " " + chart.region + " " +
                  chart.country);
}

std::string NowText() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

// A path as an SQLite URI ("file:" with '%', '?' and '#' escaped), to open a file immutable.
std::string ImmutableUri(const std::string& path) {
    std::string uri = "file:";
    for (const char c : std::filesystem::absolute(path).string()) {
        if (c == '%' || c == '?' || c == '#') {
            static const char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[static_cast<unsigned char>(c) >> 4];
            uri += kHex[c & 0xf];
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

bool MayWrite(const std::filesystem::path& path) {
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    return ::access(path.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0;
}

// Ends a failed transaction; SQLite may have ended it already (a full disk, an interrupt).
void RollBack(SqliteConnection& connection) noexcept {
    try {
        connection.Execute("ROLLBACK");
    } catch (const SqliteError&) {
    }
}

} // namespace

std::string LibraryPath(const std::string& explicitPath) {
    if (!explicitPath.empty()) return explicitPath;
    if (const char* chosen = std::getenv("ASTRODESK_LIBRARY"); chosen && *chosen) return chosen;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/astrodesk/charts.sqlite";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.local/share/astrodesk/charts.sqlite";
}

ChartLibrary::ChartLibrary(const std::string& path, LibraryAccess access) : path_(path) {
    try {
        OpenChecked(access);
    } catch (const SqliteError& error) {
        if (error.code() == SQLITE_NOTADB || error.code() == SQLITE_CORRUPT)
            throw LibraryError(path_ + " is not an Astrodesk chart library, or it is damaged (" +
                               error.what() + "); it was left as it is");
        Fail(error);
    }
}

ChartLibrary::~ChartLibrary() = default;

void ChartLibrary::OpenChecked(LibraryAccess access) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const bool exists = fs::exists(path_, ignored);
    using Access = SqliteConnection::Access;
    if (!exists) {
        if (access == LibraryAccess::Read)
            throw LibraryError("there is no chart library at " + path_ + " yet");
        if (fs::path(path_).has_parent_path())
            fs::create_directories(fs::path(path_).parent_path());
        connection_ = std::make_unique<SqliteConnection>(path_, Access::ReadWriteCreate);
    } else if (fs::is_directory(path_, ignored)) {
        throw LibraryError(path_ + " is a folder, not a chart library");
    } else if (!MayWrite(path_)) { // a read-only medium, or a file of someone else's
        readOnly_ = true;
        connection_ = std::make_unique<SqliteConnection>(ImmutableUri(path_), Access::ReadOnly);
    } else {
        connection_ = std::make_unique<SqliteConnection>(path_, Access::ReadWrite);
    }
    connection_->SetBusyTimeout(kBusyTimeoutMs);

    // Read the header before anything is written: a foreign or newer file stays untouched.
    const std::int64_t mark = connection_->IntegerOf("PRAGMA application_id");
    const std::int64_t objects = connection_->IntegerOf("SELECT count(*) FROM sqlite_master");
    if (mark != kApplicationMark && !(mark == 0 && objects == 0))
        throw LibraryError(path_ + " is not an Astrodesk chart library (another program's "
                                   "database); it was left as it is");
    const std::int64_t version = connection_->IntegerOf("PRAGMA user_version");
    if (version > kSchemaVersion)
        throw LibraryError(path_ + " was written by a newer Astrodesk (library version " +
                           std::to_string(version) + "; this one reads up to " +
                           std::to_string(kSchemaVersion) + "); it was left as it is");
    if (!readOnly_) {
        connection_->Execute("PRAGMA journal_mode=WAL");
        connection_->Execute("PRAGMA synchronous=NORMAL");
    }
    // Every version has the same columns: one that cannot be written is read as it is.
    if (version < kSchemaVersion && !readOnly_) Migrate();
}

// Brings the schema forward one version at a time in one transaction; another process may have
// done it meanwhile, so the version is read again under the write lock.
void ChartLibrary::Migrate() {
    connection_->Execute("BEGIN IMMEDIATE");
    try {
        for (std::int64_t v = connection_->IntegerOf("PRAGMA user_version"); v < kSchemaVersion;
             ++v)
            connection_->Execute(kMigrations[v]);
        connection_->Execute("PRAGMA application_id=" + std::to_string(kApplicationMark));
        connection_->Execute("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        connection_->Execute("COMMIT");
    } catch (...) {
        RollBack(*connection_);
        throw;
    }
}

void ChartLibrary::RefuseWhenReadOnly() const {
    if (readOnly_)
        throw LibraryError("the chart library " + path_ +
                           " is read-only (a read-only medium or file): nothing was changed");
}

void ChartLibrary::Fail(const std::exception& error) const {
    if (const auto* sqlite = dynamic_cast<const SqliteError*>(&error);
        sqlite && sqlite->code() == SQLITE_READONLY)
        throw LibraryError("the chart library " + path_ + " is read-only: nothing was changed");
    throw LibraryError("the chart library " + path_ + ": " + error.what());
}

template <typename Change> auto ChartLibrary::Changing(Change change) {
    try {
        connection_->Execute("BEGIN IMMEDIATE");
        try {
            auto result = change();
            connection_->Execute("COMMIT");
            return result;
        } catch (...) {
            RollBack(*connection_);
            throw;
        }
    } catch (const SqliteError& error) {
        Fail(error);
    }
}

std::vector<KeptChart> ChartLibrary::List(std::string_view query) const {
    try {
        SqliteStatement statement =
            connection_->Prepare(std::string("SELECT ") + kColumns + kMatching);
        statement.Bind(1, Folded(query));
        return ChartsOf(statement);
    } catch (const SqliteError& error) {
        Fail(error);
    }
}

std::vector<ListedChart> ChartLibrary::Listing(std::string_view query) const {
    try {
        SqliteStatement statement =
            connection_->Prepare(std::string("SELECT ") + kListedColumns + kMatching);
        statement.Bind(1, Folded(query));
        return ListedChartsOf(statement);
    } catch (const SqliteError& error) {
        Fail(error);
    }
}

std::optional<KeptChart> ChartLibrary::ById(std::int64_t id) const {
    try {
        SqliteStatement statement =
            connection_->Prepare(std::string("SELECT ") + kColumns + " FROM charts WHERE id = ?1");
        statement.Bind(1, id);
        std::vector<KeptChart> charts = ChartsOf(statement);
        return charts.empty() ? std::nullopt : std::optional<KeptChart>(charts.front());
    } catch (const SqliteError& error) {
        Fail(error);
    }
}

std::vector<KeptChart> ChartLibrary::Find(std::string_view chart) const {
    const bool isNumber = !chart.empty() && chart.size() < 19 &&
                          chart.find_first_not_of("0123456789") == std::string_view::npos;
    if (isNumber)
        if (auto found = ById(std::stoll(std::string(chart)))) return {*found};
    try {
        SqliteStatement exact = connection_->Prepare(std::string("SELECT ") + kColumns +
                                                     " FROM charts WHERE name = ?1 ORDER BY id");
        exact.Bind(1, chart);
        std::vector<KeptChart> charts = ChartsOf(exact);
        if (!charts.empty()) return charts;
        const std::string start = Folded(chart);
        if (start.empty()) return {};
        SqliteStatement starting = connection_->Prepare(
            std::string("SELECT ") + kColumns +
            " FROM charts WHERE substr(folded_name, 1, length(?1)) = ?1 ORDER BY folded_name, id");
        starting.Bind(1, start);
        return ChartsOf(starting);
    } catch (const SqliteError& error) {
        Fail(error);
    }
}

std::optional<std::int64_t> ChartLibrary::IdOfSame(const KeptChart& chart) const {
    const ChartRecord r = NormalisedRecord(chart.record);
    SqliteStatement statement =
        connection_->Prepare("SELECT id FROM charts WHERE name = ?1 AND date = ?2 AND time = ?3 "
                             "AND era = ?4 AND latitude = ?5 AND longitude = ?6");
    statement.Bind(1, r.ChartName);
    statement.Bind(2, r.ChartDate);
    statement.Bind(3, r.ChartTime);
    statement.Bind(4, std::int64_t{r.ChartEra});
    statement.Bind(5, r.ChartLatitude);
    statement.Bind(6, r.ChartLongitude);
    return statement.Step() ? std::optional<std::int64_t>(statement.IntegerAt(0)) : std::nullopt;
}

std::int64_t ChartLibrary::Insert(const KeptChart& chart) {
    const ChartRecord r = NormalisedRecord(chart.record);
    SqliteStatement statement = connection_->Prepare(
        "INSERT INTO charts(name, date, time, era, latitude, longitude, local_date, local_time, "
        "place, region, country, zone, utc_offset, abbreviation, kind, note, source, added, "
        "changed, folded_name, search) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
        "?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21)");
    const std::string now = NowText();
    const std::string texts[] = {r.ChartName,
                                 r.ChartDate,
                                 r.ChartTime,
                                 r.ChartLatitude,
                                 r.ChartLongitude,
                                 chart.localDate,
                                 chart.localTime,
                                 chart.placeName,
                                 chart.region,
                                 chart.country,
                                 chart.zone,
                                 chart.abbreviation,
                                 chart.kind,
                                 chart.note,
                                 chart.source,
                                 chart.added.empty() ? now : chart.added,
                                 chart.changed.empty() ? now : chart.changed,
                                 Folded(r.ChartName),
                                 SearchTextOf(chart)};
    const int positions[] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21};
    for (std::size_t i = 0; i < std::size(texts); ++i)
        statement.Bind(positions[i], texts[i]);
    statement.Bind(4, std::int64_t{r.ChartEra});
    statement.Bind(13, chart.offset);
    statement.Step();
    return connection_->LastInsertedId();
}

void ChartLibrary::CheckRecords(const std::vector<KeptChart>& charts) const {
    RefuseWhenReadOnly();
    for (const KeptChart& chart : charts)
        if (const auto refusal = RecordRefusal(chart.record))
            throw LibraryError("refused the chart \"" + chart.record.ChartName +
                               "\": " + refusal->field + ": " + refusal->message);
}

std::pair<std::int64_t, bool> ChartLibrary::Add(const KeptChart& chart) {
    CheckRecords({chart});
    return Changing([&] {
        if (const auto same = IdOfSame(chart)) return std::pair(*same, false);
        return std::pair(Insert(chart), true);
    });
}

ImportCounts ChartLibrary::AddAll(const std::vector<KeptChart>& charts) {
    CheckRecords(charts);
    return Changing([&] {
        ImportCounts counts;
        for (const KeptChart& chart : charts) {
            if (IdOfSame(chart)) {
                ++counts.alreadyThere;
            } else {
                Insert(chart);
                ++counts.added;
            }
        }
        return counts;
    });
}

bool ChartLibrary::Remove(std::int64_t id) {
    RefuseWhenReadOnly();
    return Changing([&] {
        SqliteStatement statement = connection_->Prepare("DELETE FROM charts WHERE id = ?1");
        statement.Bind(1, id);
        statement.Step();
        return connection_->Changes() > 0;
    });
}

bool ChartLibrary::Rename(std::int64_t id, const std::string& newName) {
    RefuseWhenReadOnly();
    if (!AcceptName(newName))
        throw LibraryError("refused the name \"" + newName +
                           "\": a name is not empty, in UTF-8, without control characters");
    std::optional<KeptChart> chart = ById(id);
    if (!chart) return false;
    chart->record.ChartName = newName;
    return Changing([&] {
        SqliteStatement statement = connection_->Prepare(
            "UPDATE charts SET name = ?2, folded_name = ?3, search = ?4, changed = ?5 "
            "WHERE id = ?1");
        statement.Bind(1, id);
        statement.Bind(2, newName);
        statement.Bind(3, Folded(newName));
        statement.Bind(4, SearchTextOf(*chart));
        statement.Bind(5, NowText());
        statement.Step();
        return connection_->Changes() > 0;
    });
}

} // namespace astrodesk
