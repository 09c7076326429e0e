// The command line's Qt module: PNG pictures painted by the desktop's display-list painter and
// the PDF hard copy printed by the desktop's printer, each with Qt's application object on the
// offscreen platform for as long as it works.

#include "display_list_painter.hpp"
#include "offscreen_qt.hpp"
#include "qt_pictures.hpp"
#include "qt_printer.hpp"

#include <QImage>
#include <QImageWriter>
#include <QString>

namespace astrodesk::cli {

namespace {

// PNG's deflate at its fastest level (quality 80 is zlib's level 1): at scale 4 the default
// level spent three quarters of a picture's time compressing, for files about a third smaller.
constexpr int kPngQuality = 80;

bool WritePng(const OutputScreen& output, double scale, const std::string& fileName) {
    const auto application = StartOffscreenQt();
    QImageWriter writer(QString::fromStdString(fileName), "png");
    writer.setQuality(kPngQuality);
    return writer.write(RenderOutputScreen(output, scale));
}

class QtPdfPrinter final : public PdfPrinter {
  public:
    explicit QtPdfPrinter(const std::string& fileName)
        : application_(StartOffscreenQt()), printer_(QString::fromStdString(fileName)) {}

    void PrintLine(const std::string& text) override { printer_.PrintLine(text); }
    void PrintJoined(const std::string& text) override { printer_.PrintJoined(text); }
    double CurrentY() const override { return printer_.CurrentY(); }
    double LineHeight() const override { return printer_.LineHeight(); }
    void NewPage() override { printer_.NewPage(); }
    void EndDoc() override { printer_.EndDoc(); }
    bool Failed() const override { return printer_.Failed(); }

  private:
    std::unique_ptr<QGuiApplication> application_; // made before the printer, gone after it
    QtPrinter printer_;
};

std::unique_ptr<PdfPrinter> OpenPdf(const std::string& fileName) {
    return std::make_unique<QtPdfPrinter>(fileName);
}

constexpr QtPictures kPictures = {WritePng, OpenPdf};

} // namespace

} // namespace astrodesk::cli

extern "C" const astrodesk::cli::QtPictures* AstrodeskQtPictures() {
    return &astrodesk::cli::kPictures;
}
