// astrodesk: the desktop astrology program.

#include "atlas/system_atlas.hpp"
#include "desktop.hpp"
#include "qt_platform.hpp"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("astrodesk"));
    // The program ends through its exit question, not when a window happens to close last.
    QApplication::setQuitOnLastWindowClosed(false);

    astrodesk::SystemClock clock;
    astrodesk::QtDialogs dialogs;
    const astrodesk::InstalledDataFiles dataFiles(
        QCoreApplication::applicationDirPath().toStdString());
    const astrodesk::SystemAtlas atlas;
    astrodesk::Desktop desktop({clock, dialogs, dataFiles}, atlas);
    if (!desktop.Start()) return 1;
    return QApplication::exec();
}
