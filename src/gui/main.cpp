// astrodesk: the desktop astrology program.

#include "atlas/system_atlas.hpp"
#include "desktop.hpp"
#include "qt_platform.hpp"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

// Where hard copy goes as a PDF file when no printer is installed: the user's documents folder,
// or the home folder where there is none.
QString HardCopyFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("astrodesk"));
    // The program ends through its exit question, not when a window happens to close last.
    QApplication::setQuitOnLastWindowClosed(false);

    astrodesk::SystemClock clock;
    astrodesk::QtDialogs dialogs;
    const astrodesk::InstalledDataFiles dataFiles(
        QCoreApplication::applicationDirPath().toStdString());
    astrodesk::QtPrinter printer(dialogs, HardCopyFolder());
    const astrodesk::SystemAtlas atlas;
    astrodesk::Desktop desktop({clock, dialogs, dataFiles, &printer}, atlas);
    if (!desktop.Start()) return 1;
    return QApplication::exec();
}
