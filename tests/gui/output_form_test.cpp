// The output form's page cycle and picture, and the painter of display lists, on the offscreen
// platform.

#include "display_list_painter.hpp"
#include "keyboard_driver.hpp"
#include "output_form.hpp"

#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace astrodesk;
using astrodesk::testing::Child;

namespace {

// Every pixel of the image in the given rectangle has this colour.
bool AllPixels(const QImage& image, const QRect& area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != colour) return false;
    return true;
}

// Columns of the image with any pixel that is not black.
QList<int> InkedColumns(const QImage& image) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (!AllPixels(image, QRect(x, 0, 1, image.height()), Qt::black)) columns << x;
    return columns;
}

} // namespace

class OutputFormTest : public QObject {
    Q_OBJECT

  private slots:
    void continueEndsExactlyOneWait() {
        OUTPUT output;
        output.Show();
        auto& continueButton = Child<QPushButton>(output, "Command1");
        QStringList events;
        for (const char* page : {"FIRST", "SECOND"}) {
            output.Screen.Print(page);
            output.SetContinueVisible(true);
            QTimer::singleShot(50, &output, [&, page] {
                events << QStringLiteral("waiting on %1").arg(QLatin1String(page));
                QTest::mouseClick(&continueButton, Qt::LeftButton);
                QTest::mouseClick(&continueButton, Qt::LeftButton); // a second press
            });
            output.WaitForContinue();
            events << QStringLiteral("after %1").arg(QLatin1String(page));
            QVERIFY(output.Screen.Items().empty());
        }
        QCOMPARE(events, (QStringList{"waiting on FIRST", "after FIRST", "waiting on SECOND",
                                      "after SECOND"}));
    }

    void aClickOnScreenWritesTheBlackBackgroundPicture() {
        const QString previousFolder = QDir::currentPath();
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        QFile::remove(QStringLiteral("test.bmp"));
        OUTPUT output;
        output.Show();
        output.Screen.Print("A PAGE");
        QTest::mouseClick(&Child<QWidget>(output, "Screen"), Qt::LeftButton);
        const QImage picture(QStringLiteral("test.bmp"));
        QDir::setCurrent(previousFolder);

        QCOMPARE(picture.size(), QSize(800, 600));
        QVERIFY(AllPixels(picture, picture.rect(), Qt::black));
        QCOMPARE(output.Screen.TextLines(), std::vector<std::string>{"A PAGE"});
    }

    void textSitsInItsColumnsInItsColour() {
        PictureBox box(640.0, 30.0); // 8 pixels a column, 16 at the scale below
        box.Print("          X");    // column 11
        box.ForeColour = kYellow;
        box.Print(std::string(79, ' ') + "Ω"); // a two-byte character in the last column
        const QImage image = RenderPictureBox(box, 2.0);
        QCOMPARE(image.size(), QSize(1280, 60));
        const QList<int> inked = InkedColumns(image.copy(0, 0, 1280, 30));
        QVERIFY(!inked.isEmpty());
        QVERIFY(inked.first() >= 160 && inked.last() < 176);
        const QImage secondLine = image.copy(0, 30, 1280, 30);
        QVERIFY(InkedColumns(secondLine).first() >= 1264);
        bool yellow = false;
        for (int x = 1264; x < 1280; ++x)
            for (int y = 0; y < 30; ++y)
                yellow = yellow || secondLine.pixelColor(x, y) == PaletteColour(kYellow);
        QVERIFY(yellow);
        // A backing fills the text's cells, and only those.
        PictureBox backed(640.0, 30.0);
        backed.TextBackColour = kLightGrey;
        backed.Print("AB");
        const QImage withBacking = RenderPictureBox(backed, 1.0);
        QCOMPARE(withBacking.pixelColor(0, 0), PaletteColour(kLightGrey));
        QCOMPARE(withBacking.pixelColor(15, 13), PaletteColour(kLightGrey));
        QCOMPARE(withBacking.pixelColor(17, 5), PaletteColour(kBlack));
    }

    void glyphSetBitsArePaintedAtTheScaleAndClearBitsLeaveWhatIsBeneath() {
        PictureBox box(64.0, 64.0);
        box.Line(0, 0, 63, 63, kLightRed);
        Glyph rows{};
        rows[0] = 0x8000; // top-left pixel set, all others clear
        box.PaintPicture(rows, 8, 8);
        const QImage image = RenderPictureBox(box, 3.0);
        QVERIFY(AllPixels(image, QRect(24, 24, 3, 3), Qt::white));
        // The line runs on beneath the glyph's clear pixels, and the black around it stays.
        QCOMPARE(image.pixelColor(45, 45), PaletteColour(kLightRed));
        QCOMPARE(image.pixelColor(60, 30), PaletteColour(kBlack));
    }
};

QTEST_MAIN(OutputFormTest)
#include "output_form_test.moc"
