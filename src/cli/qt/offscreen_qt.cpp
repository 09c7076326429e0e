#include "offscreen_qt.hpp"

#include <QLoggingCategory>
#include <QString>

namespace astrodesk::cli {

std::unique_ptr<QGuiApplication> StartOffscreenQt() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    // The application keeps references to its arguments for its whole life.
    static int argc = 1;
    static char programName[] = "astrodesk-cli";
    static char* argv[] = {programName, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace astrodesk::cli
