// astrodesk: the desktop astrology program.

#include "desktop.hpp"
#include "qt_platform.hpp"

#include <QApplication>
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
    astrodesk::Desktop desktop({clock, dialogs, dataFiles});
    if (!desktop.Start()) return 1;
    return QApplication::exec();
}
