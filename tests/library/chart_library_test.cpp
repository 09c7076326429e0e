// The chart library's file, tested for real: a real SQLite file in a scratch folder, processes
// killed in the middle of a write, two processes writing at once, files that are not libraries.

#include "library/chart_library.hpp"
#include "support/files_and_processes.hpp"
#include "support/scratch_folder.hpp"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

namespace astrodesk {
namespace {

namespace fs = std::filesystem;

using testing::Child;
using testing::ExitStatusOf;

class ChartLibraryFile : public ::testing::Test {
  protected:
    testing::ScratchFolder folder_;
    std::string path_ = folder_.PathOf("charts.sqlite").string();

    // The superuser may write any file, so read-only files are opened by a child that runs as an
    // ordinary user, who must be able to pass through the scratch folder.
    void LetOrdinaryUsersPassThroughTheFolder() const {
        fs::permissions(folder_.PathOf(""), fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add);
    }
};

// A chart of its own for each number: the name and the minute differ.
KeptChart NumberedChart(int number) {
    KeptChart chart;
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:00", number / 60 % 24, number % 60);
    chart.record = {
        "Chart " + std::to_string(number), "01-01-2000", time, "51N30", "000W07", "A.D.", 0};
    return chart;
}

std::vector<KeptChart> NumberedCharts(int first, int count) {
    std::vector<KeptChart> charts;
    for (int i = first; i < first + count; ++i)
        charts.push_back(NumberedChart(i));
    return charts;
}

std::size_t ChartCount(const std::string& path) {
    return ChartLibrary(path, LibraryAccess::Read).List().size();
}

// Runs SQL on the file directly, as another program would.
void RunSql(const std::string& path, const char* statements) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, statements, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

TEST_F(ChartLibraryFile, ReadingNeverCreatesTheFileAndWritingKeepsEachChartOnce) {
    EXPECT_THROW(ChartLibrary(path_, LibraryAccess::Read), LibraryError);
    EXPECT_FALSE(fs::exists(path_));
    ChartLibrary library(path_, LibraryAccess::Write);
    const auto [id, added] = library.Add(NumberedChart(1));
    EXPECT_TRUE(added);
    EXPECT_EQ(library.Add(NumberedChart(1)), std::make_pair(id, false));
    // Namesakes born at another moment are other charts; the same chart twice in one import
    // counts once.
    KeptChart namesake = NumberedChart(1);
    namesake.record.ChartTime = "23:59:59";
    std::vector<KeptChart> import = {NumberedChart(1), namesake, namesake, NumberedChart(2)};
    const ImportCounts counts = library.AddAll(import);
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(counts.alreadyThere, 2);
    EXPECT_EQ(library.Find("Chart 1").size(), 2u);
    EXPECT_EQ(library.Find("chart 2").size(), 1u) << "a unique start of a name, case ignored";
    EXPECT_EQ(library.Find(std::to_string(id)).front().record.ChartTime, "00:01:00");
}

TEST_F(ChartLibraryFile, AnImportWithOneRefusedRecordWritesNothing) {
    ChartLibrary library(path_, LibraryAccess::Write);
    library.Add(NumberedChart(0));
    std::vector<KeptChart> import = NumberedCharts(1, 100);
    import[50].record.ChartDate = "32-01-2000";
    try {
        library.AddAll(import);
        ADD_FAILURE() << "a day 32 was kept";
    } catch (const LibraryError& error) {
        EXPECT_NE(std::string(error.what()).find("Chart 51\": date"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(ChartCount(path_), 1u);
}

TEST_F(ChartLibraryFile, AKilledImportLeavesTheLibraryAsItWasBeforeOrAfterIt) {
    ChartLibrary(path_, LibraryAccess::Write).Add(NumberedChart(0));
    const std::vector<KeptChart> import = NumberedCharts(1, 50000);
    // Killed at a few moments into the import: before it starts writing, during, after.
    for (const int delayMs : {30, 150, 400, 900}) {
        const pid_t pid = Child([&] { ChartLibrary(path_, LibraryAccess::Write).AddAll(import); });
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const std::size_t count = ChartCount(path_);
        EXPECT_TRUE(count == 1 || count == 50001) << count << " charts after " << delayMs << " ms";
        if (count == 50001) break; // the import came through whole; nothing more to interrupt
    }
    ChartLibrary library(path_, LibraryAccess::Write); // still opens, and takes changes
    EXPECT_TRUE(library.Add(NumberedChart(60000)).second);
}

TEST_F(ChartLibraryFile, TwoProcessesWritingAtOnceBothSucceed) {
    ChartLibrary(path_, LibraryAccess::Write); // the schema, made once
    const auto writer = [this](int first) {
        return Child([this, first] {
            ChartLibrary library(path_, LibraryAccess::Write);
            for (int i = first; i < first + 150; ++i)
                library.Add(NumberedChart(i)); // one transaction each, interleaved with the other
        });
    };
    const pid_t a = writer(0), b = writer(1000);
    EXPECT_EQ(ExitStatusOf(a), 0);
    EXPECT_EQ(ExitStatusOf(b), 0);
    EXPECT_EQ(ChartCount(path_), 300u);
}

TEST_F(ChartLibraryFile, AFileTheUserMayNotWriteOpensForReadingAndRefusesChanges) {
    ChartLibrary(path_, LibraryAccess::Write).Add(NumberedChart(1));
    fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string before = testing::FileBytes(path_);
    LetOrdinaryUsersPassThroughTheFolder();
    const pid_t pid = Child([this] {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(3);
        ChartLibrary library(path_, LibraryAccess::Write);
        if (!library.IsReadOnly() || library.List().size() != 1) _exit(4);
        const std::function<void()> changes[] = {[&] { library.Add(NumberedChart(2)); },
                                                 [&] { library.Remove(1); },
                                                 [&] { library.Rename(1, "B"); }};
        for (const auto& change : changes) {
            try {
                change();
                _exit(5);
            } catch (const LibraryError& error) {
                if (std::string(error.what()).find("read-only") == std::string::npos) _exit(6);
            }
        }
    });
    EXPECT_EQ(ExitStatusOf(pid), 0) << "3: no ordinary user; 4: not read-only, or its chart "
                                       "unread; 5: a change was taken; 6: not said read-only";
    EXPECT_EQ(testing::FileBytes(path_), before);
}

TEST_F(ChartLibraryFile, AFileThatIsNotALibraryIsRefusedByNameAndLeftAsItWas) {
    const auto expectRefused = [this](const std::string& what) {
        const std::string before = testing::FileBytes(path_);
        for (const LibraryAccess access : {LibraryAccess::Read, LibraryAccess::Write}) {
            try {
                ChartLibrary library(path_, access);
                ADD_FAILURE() << what << " was opened";
            } catch (const LibraryError& error) {
                EXPECT_NE(std::string(error.what()).find(path_), std::string::npos)
                    << what << ": " << error.what();
            }
        }
        EXPECT_EQ(testing::FileBytes(path_), before) << what << " was changed";
        fs::remove(path_);
    };
    std::ofstream(path_, std::ios::binary) << "name,date\nAnn,01-01-2000\n";
    expectRefused("a text file");

    { // a real library cut short
        ChartLibrary library(path_, LibraryAccess::Write);
        library.AddAll(NumberedCharts(0, 2000));
    }
    fs::resize_file(path_, fs::file_size(path_) / 2);
    expectRefused("a truncated library");

    RunSql(path_, "CREATE TABLE other(x); INSERT INTO other VALUES (1);");
    expectRefused("another program's database");

    ChartLibrary(path_, LibraryAccess::Write).Add(NumberedChart(1));
    RunSql(path_, "PRAGMA journal_mode = DELETE; PRAGMA user_version = 99;");
    expectRefused("a library of a newer version");
}

// "id place" of each chart a listing shows, in its order.
std::string IdsAndPlaces(const std::vector<ListedChart>& charts) {
    std::string text;
    for (const ListedChart& chart : charts)
        text += std::to_string(chart.id) + " " + chart.placeName + ";";
    return text;
}

TEST_F(ChartLibraryFile, AnEarlierLibraryListsAsBeforeBroughtForwardOrReadWhereItCannotBe) {
    std::vector<KeptChart> charts = NumberedCharts(1, 4);
    const char* const names[] = {"Émile Roux", "anna", "Anna", "Bruno"};
    const char* const places[] = {"Zürich", "Lima", "Lima", ""};
    for (std::size_t i = 0; i < charts.size(); ++i) {
        charts[i].record.ChartName = names[i];
        charts[i].placeName = places[i];
        charts[i].country = places[i][0] == 'L' ? "Peru" : "";
    }
    ChartLibrary(path_, LibraryAccess::Write).AddAll(charts);
    // The indexes of the version before this one's listing index.
    RunSql(path_, "DROP INDEX charts_listed; CREATE INDEX charts_by_name ON charts(folded_name, "
                  "id); CREATE INDEX charts_by_search ON charts(search, id); "
                  "PRAGMA user_version = 2;");
    const std::string readOnlyPath = folder_.PathOf("read-only.sqlite").string();
    fs::copy_file(path_, readOnlyPath);
    fs::permissions(readOnlyPath,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string readOnlyBytes = testing::FileBytes(readOnlyPath);
    LetOrdinaryUsersPassThroughTheFolder();

    // By name (accents and case folded), namesakes by id; a query meets name, place or country.
    const std::string all = "2 Lima;3 Lima;4 ;1 Zürich;";
    const pid_t reader = Child([&] {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(3);
        const ChartLibrary library(readOnlyPath, LibraryAccess::Read);
        if (!library.IsReadOnly() || IdsAndPlaces(library.Listing()) != all) _exit(4);
    });
    EXPECT_EQ(ExitStatusOf(reader), 0) << "3: no ordinary user; 4: not read as it is";
    EXPECT_EQ(testing::FileBytes(readOnlyPath), readOnlyBytes);

    const ChartLibrary library(path_, LibraryAccess::Read);
    EXPECT_EQ(IdsAndPlaces(library.Listing()), all);
    EXPECT_EQ(IdsAndPlaces(library.Listing("zurich")), "1 Zürich;");
    EXPECT_EQ(IdsAndPlaces(library.Listing("PERU")), "2 Lima;3 Lima;");
    EXPECT_EQ(IdsAndPlaces(library.Listing("emile r")), "1 Zürich;");
    // The listing shows the records the whole charts hold.
    const std::vector<KeptChart> whole = library.List();
    const std::vector<ListedChart> listed = library.Listing();
    ASSERT_EQ(whole.size(), listed.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const ChartRecord &a = whole[i].record, &b = listed[i].record;
        EXPECT_EQ(std::tie(a.ChartName, a.ChartDate, a.ChartTime, a.ChartEra, a.EraText,
                           a.ChartLatitude, a.ChartLongitude),
                  std::tie(b.ChartName, b.ChartDate, b.ChartTime, b.ChartEra, b.EraText,
                           b.ChartLatitude, b.ChartLongitude));
    }
}

} // namespace
} // namespace astrodesk
