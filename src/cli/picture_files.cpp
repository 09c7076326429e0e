#include "picture_files.hpp"

#include "display_list_painter.hpp"
#include "present/svg_export.hpp"
#include "record_options.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QString>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

namespace astrodesk::cli {

namespace {

// Scale factors of the picture: from a thumbnail to poster size.
constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 10.0;

enum class PictureFormat { Png, Svg };

std::optional<PictureFormat> FormatOf(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") return PictureFormat::Png;
    if (extension == ".svg") return PictureFormat::Svg;
    return std::nullopt;
}

bool WriteSvg(const OutputScreen& output, double scale, const std::string& fileName) {
    std::ofstream file(fileName, std::ios::binary);
    file << OutputScreenSvg(output, scale);
    return static_cast<bool>(file.flush());
}

// Qt paints without a display on its offscreen platform, whose complaints about a missing
// desktop session (runtime folder, input methods) mean nothing for a picture file.
bool WritePng(const OutputScreen& output, double scale, const std::string& fileName) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    int argc = 1;
    char programName[] = "astrodesk-cli";
    char* argv[] = {programName, nullptr};
    const QGuiApplication application(argc, argv);
    return RenderOutputScreen(output, scale).save(QString::fromStdString(fileName), "PNG");
}

} // namespace

void CheckPictureArguments(const std::string& fileName, double scale) {
    if (!FormatOf(fileName))
        RefuseArgument("refused -o \"" + fileName +
                       "\": expected a file name ending in .png or .svg");
    if (!(scale >= kMinScale && scale <= kMaxScale))
        RefuseArgument("refused --scale: expected a factor from 0.1 to 10");
}

void WriteOutputPicture(const OutputScreen& output, double scale, const std::string& fileName) {
    CheckPictureArguments(fileName, scale);
    const bool written = FormatOf(fileName) == PictureFormat::Png
                             ? WritePng(output, scale, fileName)
                             : WriteSvg(output, scale, fileName);
    if (!written) RefuseArgument("cannot write the picture file \"" + fileName + "\"");
}

} // namespace astrodesk::cli
