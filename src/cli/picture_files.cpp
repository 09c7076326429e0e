#include "picture_files.hpp"

#include "output_file.hpp"
#include "present/svg_export.hpp"
#include "qt_pictures.hpp"
#include "record_options.hpp"

#include <optional>

namespace astrodesk::cli {

namespace {

// Scale factors of the picture: from a thumbnail to poster size.
constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 10.0;

enum class PictureFormat { Png, Svg };

std::optional<PictureFormat> FormatOf(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    if (extension == ".png") return PictureFormat::Png;
    if (extension == ".svg") return PictureFormat::Svg;
    return std::nullopt;
}

void WritePng(const OutputScreen& output, double scale, const std::string& fileName) {
    ReplacingFile file(fileName);
    if (!LoadedQtPictures().writePng(output, scale, file.PartialName())) file.Fail();
    file.Commit();
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
    if (FormatOf(fileName) == PictureFormat::Png)
        WritePng(output, scale, fileName);
    else
        WriteWholeFile(fileName, OutputScreenSvg(output, scale));
}

} // namespace astrodesk::cli
