// astrodesk: the desktop astrology program.

#include "atlas/system_atlas.hpp"
#include "desktop.hpp"
#include "qt_platform.hpp"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <iostream>

namespace {

// True when the windowing system can be reached: an X or Wayland display, or a platform chosen
// outright (the offscreen one of the tests).
bool DisplayAvailable() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(variable); value && *value) return true;
    return false;
}

// Where hard copy goes as a PDF file when no printer is installed: the user's documents folder,
// or the home folder where there is none.
QString HardCopyFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

int main(int argc, char* argv[]) {
    if (!DisplayAvailable()) {
        std::cerr << "astrodesk: no display to show the program on (DISPLAY is not set); "
                     "astrodesk-cli computes charts without one\n";
        return 1;
    }
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
