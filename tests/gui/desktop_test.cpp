// The desktop program's forms driven as a user drives them, on the offscreen platform; every
// input and message box is answered through the dialog interface.

#include "form_metrics.hpp"
#include "keyboard_driver.hpp"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace astrodesk;
using namespace astrodesk::testing;

namespace {

// Selects a main-menu choice and presses "&ACTION".
void Act(Desktop& desktop, Choice choice) {
    desktop.mainmenu().Option(choice).setChecked(true);
    QTest::mouseClick(&Child<QPushButton>(desktop.mainmenu(), "Command1"), Qt::LeftButton);
}

// Acts on a choice and answers each page of its output with CONTINUE, or at page `leaveAt`
// (counting from 1) with `leave`; returns the number of pages answered.
int ActAndContinue(Program& program, Choice choice, int leaveAt = 0,
                   const std::function<void(OUTPUT&)>& leave = {}) {
    OUTPUT& output = program.desktop.output();
    int pages = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &output, [&] {
        if (!output.Waiting()) return;
        if (++pages == leaveAt)
            leave(output);
        else
            QTest::mouseClick(&Child<QPushButton>(output, "Command1"), Qt::LeftButton);
    });
    answer.start(1);
    Act(program.desktop, choice);
    return pages;
}

// Acts on a choice of one page, runs `look` while that page waits, then presses CONTINUE.
void ActAndLook(Program& program, Choice choice, const std::function<void(OUTPUT&)>& look) {
    QCOMPARE(ActAndContinue(program, choice, 1,
                            [&look](OUTPUT& form) {
                                look(form);
                                QTest::mouseClick(&Child<QPushButton>(form, "Command1"),
                                                  Qt::LeftButton);
                            }),
             1);
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void aBrokenCoefficientFileIsNamedAndStopsTheStart() {
        Program program;
        program.dataFiles.Write("MOONBITS.FIL", 12);
        QVERIFY(!program.desktop.Start());
        QVERIFY(!program.desktop.mainmenu().isVisible());
        QCOMPARE(program.dialogs.messageBoxes.size(), std::size_t{1});
        QVERIFY(program.dialogs.messageBoxes[0].text.find("MOONBITS.FIL") != std::string::npos);
    }

    // Run on screens of 1366 x 768 and larger: a form shown again stands where it stood, or is
    // brought wholly onto the screen when it stood partly off it; the output window is on
    // screen while its page waits and gone once the page has ended.
    void everyFormComesBackWhollyOnScreenAndTheOutputGoesWithItsPage() {
        Program program;
        QVERIFY(program.desktop.Start());
        Mainmenu& menu = program.desktop.mainmenu();
        OUTPUT& output = program.desktop.output();
        const QRect area = menu.screen()->availableGeometry();
        QVERIFY2(area.width() >= 1366 && area.height() >= 768, "a screen of 1366 x 768 or more");
        const auto wholly = [&area](const QWidget& form) {
            return form.isVisible() && area.contains(form.frameGeometry());
        };
        QVERIFY(wholly(menu));

        const QPoint placed = area.topLeft() + QPoint(40, 30);
        menu.move(placed);
        bool outputOnScreen = false;
        const auto lookAtOutput = [&](OUTPUT& form) { outputOnScreen = wholly(form); };
        ActAndLook(program, Choice::Horoscope, lookAtOutput);
        QVERIFY(outputOnScreen);
        QCOMPARE(menu.pos(), placed);
        QVERIFY(!output.isVisible());

        for (const QPoint corner : {area.bottomRight() - QPoint(100, 50), QPoint(-300, -200)}) {
            menu.move(corner);
            output.move(corner);
            outputOnScreen = false;
            ActAndLook(program, Choice::ChartWheel, lookAtOutput);
            QVERIFY(outputOnScreen);
            QVERIFY(wholly(menu));
            QVERIFY(!output.isVisible());
        }
        Act(program.desktop, Choice::Settings);
        QVERIFY(program.desktop.general() && wholly(*program.desktop.general()));
        // Every form has a fixed size and offers no maximise button.
        for (QWidget* form : std::initializer_list<QWidget*>{&menu, &program.desktop.entrymen(),
                                                             &output, program.desktop.general()}) {
            QVERIFY2(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint),
                     qPrintable(form->objectName()));
            QCOMPARE(form->minimumSize(), form->maximumSize());
        }
    }

    // A mnemonic selects only an enabled choice. Return presses ACTION on the main menu, BEGIN on
    // the option form, ALL DONE on the entry form and CONTINUE on a waiting page; on a focused
    // button it presses that button.
    void theMainMenuFromTheKeyboard() {
        Program program;
        program.desktop.Start();
        Mainmenu& menu = program.desktop.mainmenu();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        QTest::keyClick(&menu, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(menu.Option(Choice::Horoscope).isChecked());
        QTest::keyClick(&menu, Qt::Key_C, Qt::AltModifier); // CHARTWHEEL needs a chart first
        QTest::qWait(200);
        QVERIFY(menu.Option(Choice::Horoscope).isChecked());

        menu.Option(Choice::Settings).setChecked(true);
        menu.Option(Choice::Settings).setFocus();
        QTest::keyClick(&menu.Option(Choice::Settings), Qt::Key_Return);
        QTRY_VERIFY(program.desktop.general() && program.desktop.general()->isVisible());
        QTest::keyClick(program.desktop.general(), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY(menu.isVisible());

        Act(program.desktop, Choice::NewChart);
        Entrymen& entry = program.desktop.entrymen();
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        Child<QPushButton>(entry, "Command1").setFocus(); // ENTER
        program.dialogs.inputAnswers = {"ZOË"};
        QTest::keyClick(&Child<QPushButton>(entry, "Command1"), Qt::Key_Return);
        QTRY_COMPARE(entry.Text(EntryField::Name).text(), QStringLiteral("ZOË"));
        QVERIFY(entry.isVisible());
        entry.Option(EntryField::Name).setFocus();
        QTest::keyClick(&entry.Option(EntryField::Name), Qt::Key_Return);
        QTRY_VERIFY(!entry.isVisible() && menu.isVisible());

        QTimer::singleShot(100, &program.desktop.output(),
                           [&] { QTest::keyClick(&program.desktop.output(), Qt::Key_Return); });
        Act(program.desktop, Choice::Horoscope); // returns once the page has ended
        QVERIFY(!program.desktop.output().LeaveRequested());
        QCOMPARE(program.desktop.shell().state.record.ChartName, std::string("ZOË"));
    }

    // The clock runs on the form's timer. A text box passes the focus to its option button.
    // "&DATE" and "ALL &DONE" share Alt+D: each press moves the focus between the two without
    // pressing either, and the field it lands on is the one ENTER edits.
    void theEntryFormFromTheKeyboard() {
        Program program;
        program.desktop.Start();
        Act(program.desktop, Choice::NewChart);
        Entrymen& entry = program.desktop.entrymen();
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        program.clock.reading = {2031, 5, 6, 7, 8, 9};
        QTRY_COMPARE_WITH_TIMEOUT(entry.Text(EntryField::Time).text(), QStringLiteral("07:08:09"),
                                  1000);

        entry.Text(EntryField::Latitude).setFocus();
        QTRY_VERIFY(entry.Option(EntryField::Latitude).hasFocus());
        QVERIFY(entry.Option(EntryField::Latitude).isChecked());

        QTest::keyClick(&entry, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(entry.Option(EntryField::Date).hasFocus());
        QVERIFY(entry.Option(EntryField::Date).isChecked());
        QTest::keyClick(&entry, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(Child<QPushButton>(entry, "Command2").hasFocus());
        QVERIFY(entry.isVisible());
        program.dialogs.inputAnswers = {"01-02-2003"};
        QTest::keyClick(&entry, Qt::Key_E, Qt::AltModifier); // ENTER edits the date
        QTRY_COMPARE(entry.Text(EntryField::Date).text(), QStringLiteral("01-02-2003"));
    }

    void mapOptionsHidesTheButtonsOutsideItsFrames() {
        Program program;
        program.desktop.Start();
        Act(program.desktop, Choice::MapOptions);
        GENERAL* general = program.desktop.general();
        QVERIFY(general && general->isVisible());
        QVERIFY(!program.desktop.mainmenu().isVisible());
        const auto shown = [general](const QRadioButton* option) {
            return option->isVisibleTo(general);
        };
        // None of the longer groups of SETTINGS, and no fourth group.
        QCOMPARE(std::ranges::count_if(general->findChildren<QRadioButton*>(), shown), 9 + 3 + 2);

        QTest::mouseClick(&Child<QRadioButton>(*general, "Option3_1"),
                          Qt::LeftButton); // cylindrical
        QCOMPARE(program.desktop.shell().state.options.MapProjection, 1);
        QTest::mouseClick(&Child<QPushButton>(*general, "Command1"), Qt::LeftButton); // BEGIN
        QVERIFY(!general->isVisible());
        QVERIFY(program.desktop.mainmenu().isVisible());
    }

    // The check boxes beside Progressions and Solar Returns answer their Alt letters.
    void techniqueVariantsFromTheKeyboard() {
        Program program;
        program.desktop.Start();
        QCOMPARE(ActAndContinue(program, Choice::Horoscope), 1);
        Act(program.desktop, Choice::Techniques);
        GENERAL* general = program.desktop.general();
        QVERIFY(general && QTest::qWaitForWindowActive(general));
        const Options& options = program.desktop.shell().state.options;
        QTest::keyClick(general, Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(options.ReturnMoment, std::int16_t{1});
        QTest::keyClick(general, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(options.ProgressedAngles, std::int16_t{1});
        const auto& mean = Child<QCheckBox>(*general, "Toggle1");
        QVERIFY(mean.isChecked() && mean.isVisibleTo(general));
        QTest::keyClick(general, Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(options.ReturnMoment, std::int16_t{0});
    }

    // Closing the window or pressing Escape while a page waits ends that page as CONTINUE does:
    // the chart is kept and the main menu comes back, with no exit question skipped.
    void leavingTheOutputWhileAPageWaitsReturnsToTheMenu() {
        Program program;
        QVERIFY(program.desktop.Start());
        const ProgramState& state = program.desktop.shell().state;
        OUTPUT& output = program.desktop.output();
        const std::function<void(OUTPUT&)> leaves[] = {
            [](OUTPUT& form) { form.close(); },
            [](OUTPUT& form) { QTest::keyClick(&form, Qt::Key_Escape); }};
        for (const auto& leave : leaves) {
            QCOMPARE(ActAndContinue(program, Choice::Horoscope, 1, leave), 1);
            QVERIFY(!program.desktop.Quitting());
            QVERIFY(output.LeaveRequested() && !output.Waiting());
            QVERIFY(program.desktop.mainmenu().isVisible());
            QCOMPARE(state.working.ChartReady, 1);
        }
        QVERIFY(program.dialogs.messageBoxes.empty());
    }

    // The target of a technique is entered on the modal entry form, whose name and place
    // choices are disabled meanwhile; the chart follows, and the choices come back.
    void aTechniqueTakesItsTargetOnTheModalEntryForm() {
        Program program;
        program.desktop.Start();
        ProgramState& state = program.desktop.shell().state;
        QCOMPARE(ActAndContinue(program, Choice::Horoscope), 1); // natal, 10-02-1993 20:15:30
        state.options.Technique = 1;                             // progressions
        Entrymen& entry = program.desktop.entrymen();
        bool shownAsExpected = false; // modal, alone, locked, the date picked instead of the name
        QTimer::singleShot(50, [&] {  // once the modal form waits
            shownAsExpected = entry.isModal() && !program.desktop.mainmenu().isVisible() &&
                              !entry.Option(EntryField::Name).isEnabled() &&
                              !entry.Option(EntryField::Longitude).isEnabled() &&
                              entry.Option(EntryField::Date).isChecked();
            program.dialogs.inputAnswers = {"10-02-2023"};
            QTest::mouseClick(&Child<QPushButton>(entry, "Command1"), Qt::LeftButton); // ENTER
            QTest::mouseClick(&Child<QPushButton>(entry, "Command2"), Qt::LeftButton); // ALL DONE
        });
        QCOMPARE(ActAndContinue(program, Choice::Horoscope), 1);
        QVERIFY(shownAsExpected);
        QCOMPARE(state.record.ChartDate, std::string("12-03-1993"));
        QVERIFY(entry.Option(EntryField::Name).isEnabled() && !entry.isModal());
        QVERIFY(program.desktop.mainmenu().isVisible());
    }

    // While a map waits the legend panel stands at the left and the Screen beside it; CONTINUE
    // gives the whole form back to the Screen.
    void aMapWaitsBesideItsLegendPanel() {
        Program program;
        program.desktop.Start();
        program.dataFiles.Write("UKG.MAP", 2 * 3234);
        program.desktop.shell().state.options.MapArea = 1;
        OUTPUT& output = program.desktop.output();
        auto* screen = &Child<QWidget>(output, "Screen");
        auto* legend = &Child<QWidget>(output, "TEXT");
        QCOMPARE(ActAndContinue(program, Choice::Horoscope), 1);
        QRect screenDuringMap, legendDuringMap;
        ActAndLook(program, Choice::DrawMaps, [&](OUTPUT&) {
            QVERIFY(legend->isVisible());
            screenDuringMap = screen->geometry();
            legendDuringMap = legend->geometry();
        });
        QCOMPARE(legendDuringMap.left(), 0);
        QCOMPARE(screenDuringMap.left(), qRound(217 * kFormScale));
        QVERIFY(std::abs(screenDuringMap.right() + 1 - 638 * kFormScale) <= 1.0); // to the rim
        QVERIFY(!legend->isVisible());
        QCOMPARE(screen->geometry().left(), 0);
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
