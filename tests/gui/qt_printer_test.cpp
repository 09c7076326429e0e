// Hard copy where no printer is installed: a PDF file, positions in millimetres.

#include "app/shell_doubles.hpp"
#include "qt_platform.hpp"

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
            QCOMPARE(printer.CurrentY(), 0.0);
            printer.PrintLine("FIRST LINE °");
            const double oneLine = printer.CurrentY();
            QVERIFY2(oneLine > 3.0 && oneLine < 6.0, "a 10-point line is about 4 mm");
            for (int line = 0; line < 9; ++line)
                printer.PrintLine("MORE");
            QVERIFY(qAbs(printer.CurrentY() - 10 * oneLine) < 1e-6);
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
};

QTEST_MAIN(QtPrinterTest)
#include "qt_printer_test.moc"
