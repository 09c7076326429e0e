// Hard copy where no printer is installed: a PDF file, positions in millimetres.

#include "app/shell_doubles.hpp"
#include "qt_printer.hpp"

#include <QPrinterInfo>
#include <QtTest>

using namespace astrodesk;
using namespace astrodesk::testing;

class QtPrinterTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutAPrinterHardCopyGoesToANamedPdfFile() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: the document would go to it");
        QTemporaryDir folder;
        ScriptedDialogs dialogs;
        {
            QtPrinter printer(dialogs, folder.path());
            printer.PrintLine("FIRST LINE °");
            QVERIFY2(printer.CurrentY() > 3.0 && printer.CurrentY() < 6.0,
                     "a 10-point line is about 4 mm");
            printer.NewPage();
            QCOMPARE(printer.CurrentY(), 0.0);
            printer.PrintLine("SECOND PAGE");
            printer.EndDoc();

            QVERIFY(printer.PdfFile().startsWith(folder.path()));
            QFile pdf(printer.PdfFile());
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.read(5) == "%PDF-");
            QCOMPARE(dialogs.messageBoxes.size(), std::size_t{1});
            QVERIFY(dialogs.messageBoxes[0].text.find(printer.PdfFile().toStdString()) !=
                    std::string::npos);
        }
        QCOMPARE(dialogs.messageBoxes.size(), std::size_t{1}); // nothing more as it goes
    }

    // A line holds 80 characters as the output screen's does: a full line printed without its
    // line end is ended by the next print, or continued on the next line; longer text wraps.
    void aFullLineJoinsTheNextOnAnA4Page() {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("joined.pdf"));
        QtPrinter printer(file);
        const double lineBeforeTheDocument = printer.LineHeight();
        printer.PrintLine("FIRST");
        const double line = printer.CurrentY();
        QCOMPARE(printer.LineHeight(), line);
        QVERIFY2(std::abs(lineBeforeTheDocument - line) < 0.05 * line, "as the screen measures it");
        const auto linesDown = [&printer, line] { return printer.CurrentY() / line; };
        printer.PrintJoined(std::string(80, 'X'));
        QCOMPARE(qRound(linesDown() * 1000), 1000); // still on the full line
        printer.PrintLine("");
        QCOMPARE(qRound(linesDown() * 1000), 2000); // which the empty print only ends
        printer.PrintJoined(std::string(80, 'Y'));
        printer.PrintLine("NEXT");
        QCOMPARE(qRound(linesDown() * 1000), 4000);
        printer.PrintLine(std::string(100, 'Z'));
        QCOMPARE(qRound(linesDown() * 1000), 6000);
        printer.EndDoc();
        QVERIFY(!printer.Failed());
        QCOMPARE(printer.PdfFile(), file);
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().contains("/MediaBox [0 0 595.000000 842.000000]")); // A4 in points
    }

    void aPdfFileThatCannotBeWrittenFails() {
        QtPrinter printer(QStringLiteral("/no/such/folder/hard-copy.pdf"));
        printer.PrintLine("LOST");
        printer.NewPage();
        printer.EndDoc();
        QVERIFY(printer.Failed());
    }
};

QTEST_MAIN(QtPrinterTest)
#include "qt_printer_test.moc"
