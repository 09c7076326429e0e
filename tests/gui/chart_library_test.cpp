// The entry form's OPEN CHART and SAVE CHART driven from the keyboard, over a real library file
// in the test's scratch folder, written and read back through the library's own API as the
// command line would at the same time.

#include "chart_library_dialog.hpp"
#include "keyboard_driver.hpp"
#include "support/files_and_processes.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

using namespace astrodesk;
using namespace astrodesk::testing;

namespace {

KeptChart Kept(const char* name, const char* date, const char* time, const char* latitude,
               const char* longitude, const char* place) {
    KeptChart chart;
    chart.record = {name, date, time, latitude, longitude, "A.D.", 0};
    chart.placeName = place;
    return chart;
}

struct LibraryProgram : Program {
    std::string path = dataFiles.PathOf("charts.sqlite").string();

    void Keep(const std::vector<KeptChart>& charts) const {
        ChartLibrary(path, LibraryAccess::Write).AddAll(charts);
    }
    std::vector<KeptChart> KeptCharts() const {
        return ChartLibrary(path, LibraryAccess::Read).List();
    }
    QStringList EntryTexts() { return testing::EntryTexts(desktop.entrymen()); }
};

QStringList Names(ChartLibraryDialog& dialog) {
    QStringList names;
    auto& list = Child<QTreeWidget>(dialog, "Charts");
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        names << list.topLevelItem(row)->text(0);
    return names;
}
QString Message(ChartLibraryDialog& dialog) {
    return Child<QLabel>(dialog, "Message").text();
}

// Presses OPEN CHART (Alt+C) and runs `use` on the CHART LIBRARY dialog; then the entry form
// has the keyboard again (as a window manager gives it back; the offscreen platform does not).
void UseLibrary(Program& program, const std::function<void(ChartLibraryDialog&)>& use) {
    QVERIFY(UseDialog(Qt::Key_C, use));
    program.desktop.entrymen().activateWindow();
    QVERIFY(BecomesActive(&program.desktop.entrymen()));
}

const std::vector<KeptChart> kCharts = {
    Kept("ANNA", "12-03-1950", "04:15:00", "48N51", "002E21", "Paris"),
    Kept("BRUNO", "01-11-1972", "23:40:10", "45N28", "009E11", "Milano"),
    Kept("CLARA", "30-06-2001", "12:00:00", "51N30", "000W07", "London"),
};

} // namespace

class ChartLibraryTest : public QObject {
    Q_OBJECT

  private slots:
    // The search filters by name or place as it is typed; Down picks the next chart and Return
    // enters it into the record as typed answers would (the clock stops at the chart's moment).
    // A chart the command line keeps while the form is open is listed the next time.
    void typingFiltersAndReturnOpensTheChosenChart() {
        LibraryProgram program;
        program.Keep(kCharts);
        QVERIFY(OpenEntryForm(program));
        UseLibrary(program, [](ChartLibraryDialog& dialog) {
            QCOMPARE(Names(dialog), (QStringList{"ANNA", "BRUNO", "CLARA"}));
            Type("lon");
            QCOMPARE(Names(dialog), QStringList{"CLARA"});
            Erase(3);
            Type("ar"); // in Paris and in CLARA
            QCOMPARE(Names(dialog), (QStringList{"ANNA", "CLARA"}));
            Type("zz");
            QVERIFY(Names(dialog).isEmpty());
            QVERIFY(Message(dialog).contains(QStringLiteral("\"arzz\"")));
            Erase(2);
            Press(Qt::Key_Down);
            Press(Qt::Key_Return);
        });
        QCOMPARE(program.EntryTexts(),
                 (QStringList{"CLARA", "30-06-2001", "12:00:00", "51N30", "000W07", "A.D."}));
        const ProgramState& state = program.desktop.shell().state;
        QCOMPARE(state.record.ChartName, std::string("CLARA"));
        QCOMPARE(state.record.ChartLongitude, std::string("000W07"));
        QCOMPARE(state.options.ClockOn, 0);

        program.Keep({Kept("DORA", "05-05-0044", "06:00:00", "41N54", "012E30", "Roma")});
        UseLibrary(program, [](ChartLibraryDialog& dialog) {
            QCOMPARE(Names(dialog), (QStringList{"ANNA", "BRUNO", "CLARA", "DORA"}));
        });
    }

    // Delete asks first: Cancel keeps the chart, OK removes it from the file. Escape then leaves
    // the record as it was.
    void deleteRemovesAfterTheQuestionAndEscapeChangesNothing() {
        LibraryProgram program;
        program.Keep(kCharts);
        QVERIFY(OpenEntryForm(program));
        const QStringList before = program.EntryTexts();
        program.dialogs.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
        UseLibrary(program, [](ChartLibraryDialog& dialog) {
            Type("bru");
            Press(Qt::Key_Delete);
            QCOMPARE(Names(dialog), QStringList{"BRUNO"});
            Press(Qt::Key_Delete);
            QVERIFY(Names(dialog).isEmpty());
            Press(Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(program.dialogs.messageBoxes.size(), std::size_t{2});
        QVERIFY(program.dialogs.messageBoxes[0].text.find("\"BRUNO\"") != std::string::npos);
        QCOMPARE(program.KeptCharts().size(), std::size_t{2});
        QCOMPARE(program.EntryTexts(), before);
    }

    // SAVE asks for the name with the record's filled in, keeps the record and says where; the
    // same chart saved again is not kept twice, and the message says so. No library file yet:
    // the dialog says the library is empty and reading does not create the file.
    void saveKeepsTheRecordOnceAndSaysWhere() {
        LibraryProgram program;
        QVERIFY(OpenEntryForm(program));
        UseLibrary(program, [](ChartLibraryDialog& dialog) {
            QVERIFY(Names(dialog).isEmpty());
            QVERIFY(Message(dialog).contains(QStringLiteral("empty")));
        });
        QVERIFY(!std::filesystem::exists(program.path));

        program.dialogs.inputAnswers = {"ELSA", "ELSA"};
        Press(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(program.dialogs.messageBoxes.size(), std::size_t{1});
        Press(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(program.dialogs.messageBoxes.size(), std::size_t{2});
        QCOMPARE(program.dialogs.inputBoxes[0].prefill, std::string("CURRENT TIME"));
        const std::string& saved = program.dialogs.messageBoxes[0].text;
        QVERIFY2(saved.find("Saved") != std::string::npos &&
                     saved.find(program.path) != std::string::npos,
                 saved.c_str());
        QVERIFY(program.dialogs.messageBoxes[1].text.find("already kept") != std::string::npos);
        const std::vector<KeptChart> kept = program.KeptCharts();
        QCOMPARE(kept.size(), std::size_t{1});
        const ChartRecord& record = program.desktop.shell().state.record;
        QCOMPARE(kept[0].record.ChartName, std::string("ELSA"));
        QCOMPARE(kept[0].record.ChartDate, record.ChartDate);
        QCOMPARE(kept[0].record.ChartTime, record.ChartTime);
        QCOMPARE(kept[0].record.ChartLatitude, record.ChartLatitude);
    }

    // Tab goes from FIND PLACE to OPEN CHART and SAVE CHART. Both FIND PLACE and OPEN CHART are
    // off while a place option button is (a found or kept place could not enter), as when the
    // name and place are held fixed for a second moment.
    void theButtonsFollowFindPlaceAndAreOffWhileThePlaceIsHeld() {
        LibraryProgram program;
        QVERIFY(OpenEntryForm(program));
        Entrymen& entry = program.desktop.entrymen();
        auto& findPlace = Child<QPushButton>(entry, "Command3");
        auto& openChart = Child<QPushButton>(entry, "Command4");
        findPlace.setFocus();
        QStringList visited;
        for (int step = 0; step < 2; ++step) {
            Press(Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"Command4", "Command5"}));
        entry.Option(EntryField::Latitude).setEnabled(false);
        entry.Option(EntryField::Longitude).setEnabled(false);
        QVERIFY(!findPlace.isEnabled());
        entry.Option(EntryField::Latitude).setEnabled(true);
        QVERIFY(!findPlace.isEnabled() && !openChart.isEnabled());
        entry.Option(EntryField::Longitude).setEnabled(true);
        QVERIFY(findPlace.isEnabled());
        program.desktop.shell().entryForm.LockNameAndPlace(true);
        QVERIFY(!findPlace.isEnabled() && !openChart.isEnabled());
        QVERIFY(Child<QPushButton>(entry, "Command5").isEnabled());
        program.desktop.shell().entryForm.LockNameAndPlace(false);
        QVERIFY(findPlace.isEnabled() && openChart.isEnabled());
    }

    // A file at the library's place that is no library: the dialog names it, SAVE refuses, and
    // the file keeps every byte.
    void aDamagedLibraryIsNamedAndLeftAsItIs() {
        LibraryProgram program;
        const std::string garbage(4096, '\x5a');
        std::ofstream(program.path, std::ios::binary) << garbage;
        QVERIFY(OpenEntryForm(program));
        UseLibrary(program, [&program](ChartLibraryDialog& dialog) {
            QVERIFY(Names(dialog).isEmpty());
            QVERIFY(Message(dialog).contains(QString::fromStdString(program.path)));
        });
        program.dialogs.inputAnswers = {"FRIDA"};
        Press(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(program.dialogs.messageBoxes.size(), std::size_t{1});
        QVERIFY(program.dialogs.messageBoxes[0].text.find("not saved") != std::string::npos);
        QCOMPARE(FileBytes(program.path), garbage);
    }
};

QTEST_MAIN(ChartLibraryTest)
#include "chart_library_test.moc"
