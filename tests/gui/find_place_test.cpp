// "FIND PLACE" driven from the keyboard alone: the entry form's button and the dialog's controls
// are reached by their mnemonics, Tab and the arrow keys. The atlas is the system's (gazetteer and
// tzdata); places are told apart by zone and position, which do not change with the language of the
// names.

#include "find_place_dialog.hpp"
#include "keyboard_driver.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace astrodesk;
using namespace astrodesk::testing;

namespace {

// The local date and time typed over what their boxes hold (a mnemonic selects the box's text).
void TypeLocalMoment(const char* date, const char* time) {
    Press(Qt::Key_D, Qt::AltModifier);
    Type(date);
    Press(Qt::Key_T, Qt::AltModifier);
    Type(time);
}

QString Shown(QWidget& dialog, const char* label) {
    return Child<QLabel>(dialog, label).text();
}

// Presses FIND PLACE (Alt+P) and runs `use` on its dialog.
void UseFindPlace(const std::function<void(FindPlaceDialog&)>& use) {
    QVERIFY(UseDialog(Qt::Key_P, use));
}

} // namespace

class FindPlaceTest : public QObject {
    Q_OBJECT

  private slots:
    // Manchester at 06:30 local time on 6 June 1944 kept British double summer time: 04:30 GMT.
    void aPlaceAndALocalTimeTypedEnterTheGreenwichBirth() {
        Program program;
        QVERIFY(OpenEntryForm(program));
        Entrymen& entry = program.desktop.entrymen();
        program.dialogs.inputAnswers = {"ALAN"};
        Press(Qt::Key_E, Qt::AltModifier); // ENTER on NAME
        QTRY_COMPARE(entry.Text(EntryField::Name).text(), QStringLiteral("ALAN"));

        UseFindPlace([&entry](FindPlaceDialog& dialog) {
            QCOMPARE(Child<QLineEdit>(dialog, "LocalDate").text(),
                     entry.Text(EntryField::Date).text());
            Type("Manchester");
            TypeLocalMoment("06-06-1944", "06:30:00");
            QTRY_COMPARE(Shown(dialog, "Offset"), QStringLiteral("+02:00  BDST"));

            // Tab goes once round every control, back to the search field.
            QStringList visited;
            Press(Qt::Key_M, Qt::AltModifier);
            for (int step = 0; step < 8; ++step) {
                visited << QApplication::focusWidget()->objectName();
                Press(Qt::Key_Tab);
            }
            QCOMPARE(visited, (QStringList{"Matches", "LocalDate", "Era", "LocalTime", "Zone", "OK",
                                           "Cancel", "Search"}));
            Press(Qt::Key_Return); // OK, from the search field
        });

        QCOMPARE(EntryTexts(entry),
                 (QStringList{"ALAN", "06-06-1944", "04:30:00", "53N29", "002W14", "A.D."}));
        QCOMPARE(program.desktop.shell().state.record.ChartTime, std::string("04:30:00"));
        QCOMPARE(program.desktop.shell().state.options.ClockOn, 0);
        QCOMPARE(program.dialogs.inputBoxes.size(), std::size_t{1}); // NAME's, and no other
    }

    // Down in the search field picks the next match, whose zone replaces the last one; the hour
    // skipped when the clocks went forward is refused (OK stays off); a zone typed over the
    // place's and the era are used; Escape leaves the entry form as it was.
    void aMatchPickedByArrowKeysWithAnotherZoneAndEra() {
        Program program;
        QVERIFY(OpenEntryForm(program));
        Entrymen& entry = program.desktop.entrymen();
        const QString latitude = entry.Text(EntryField::Latitude).text();
        UseFindPlace([](FindPlaceDialog& dialog) {
            Type("Manchester");
            QTRY_COMPARE(Child<QLineEdit>(dialog, "Zone").text(), QStringLiteral("Europe/London"));
            Press(Qt::Key_Down); // from England to New Hampshire
            QCOMPARE(Child<QLineEdit>(dialog, "Zone").text(), QStringLiteral("America/New_York"));
            TypeLocalMoment("14-03-2021", "02:30:00");
            QVERIFY(!Child<QPushButton>(dialog, "OK").isEnabled() && !dialog.Birth());
            QVERIFY(Shown(dialog, "Message").contains(QStringLiteral("does not exist")));

            TypeLocalMoment("06-06-1944", "06:30:00");
            Press(Qt::Key_Z, Qt::AltModifier);
            Type("Asia/Kathmandu");
            QCOMPARE(Shown(dialog, "Offset"), QStringLiteral("+05:30  +0530"));
            QCOMPARE(Shown(dialog, "Greenwich"), QStringLiteral("06-06-1944  01:00:00  A.D."));
            Press(Qt::Key_E, Qt::AltModifier);
            Press(Qt::Key_Down); // B.C.
            QVERIFY(Shown(dialog, "Greenwich").endsWith(QStringLiteral("B.C.")));
            Press(Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(entry.Text(EntryField::Latitude).text(), latitude);
        QCOMPARE(program.desktop.shell().state.options.ClockOn, 1);
    }
};

QTEST_MAIN(FindPlaceTest)
#include "find_place_test.moc"
