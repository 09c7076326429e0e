// astrodesk: the desktop astrology program.

#include "atlas/system_atlas.hpp"
#include "desktop.hpp"
#include "library/chart_library.hpp"
#include "qt_platform.hpp"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <iostream>
#include <string_view>

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

constexpr std::string_view kUsage =
    "Usage: astrodesk [--help] [--version]\n"
    "The desktop astrology program: enter a birth record, then see its horoscope listing,\n"
    "chart wheel, written interpretation and maps, and the predictive techniques and the\n"
    "relationship chart, on a window of its own. The hard copy goes to a printer, or to a\n"
    "PDF file in the documents folder when none is installed. The entry form's OPEN CHART\n"
    "and SAVE CHART use the chart library of astrodesk-cli: $ASTRODESK_LIBRARY, else\n"
    "$XDG_DATA_HOME/astrodesk/charts.sqlite, else ~/.local/share/astrodesk/charts.sqlite.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Print this help message and exit\n"
    "  --version      Print the version and exit\n"
    "\n"
    "The program needs a display (DISPLAY or WAYLAND_DISPLAY); astrodesk-cli computes the\n"
    "same charts without one.\n";

// --help and --version answer without a display, as a terminal user and the manual page's
// generator expect; any other argument is left to Qt.
bool AnsweredInformationOption(int argc, char* argv[]) {
    if (argc != 2) return false;
    const std::string_view option = argv[1];
    if (option == "-h" || option == "--help")
        std::cout << kUsage;
    else if (option == "--version")
        std::cout << "astrodesk " ASTRODESK_VERSION "\n";
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnsweredInformationOption(argc, argv)) return 0;
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
    astrodesk::Desktop desktop({clock, dialogs, dataFiles, &printer}, atlas,
                               astrodesk::LibraryPath());
    if (!desktop.Start()) return 1;
    return QApplication::exec();
}
