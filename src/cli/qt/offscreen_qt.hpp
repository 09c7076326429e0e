#pragma once

// Qt for the command line: its painters and its printer work without a display on the offscreen
// platform.

#include <QGuiApplication>
#include <memory>

namespace astrodesk::cli {

// The application object Qt needs while it paints or prints; the offscreen platform's complaints
// about a missing desktop session (runtime folder, input methods) are kept quiet, since they
// mean nothing for a file.
std::unique_ptr<QGuiApplication> StartOffscreenQt();

} // namespace astrodesk::cli
