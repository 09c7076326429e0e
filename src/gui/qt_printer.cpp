#include "qt_printer.hpp"

#include "qt_text.hpp"

#include <QDateTime>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>

namespace astrodesk {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPrintPointSize = 10.0;
constexpr double kLeftMargin = 20.0; // millimetres
constexpr double kTopMargin = 12.0;
constexpr double kRightMargin = 10.0;
constexpr double kBottomMargin = 10.0;

} // namespace

QtPrinter::QtPrinter(Dialogs& dialogs, QString pdfFolder)
    : dialogs_(&dialogs), pdfFolder_(std::move(pdfFolder)),
      font_(QStringLiteral("DejaVu Sans Mono"), static_cast<int>(kPrintPointSize)) {}

QtPrinter::QtPrinter(QString pdfFile)
    : fixedPdfFile_(std::move(pdfFile)),
      font_(QStringLiteral("DejaVu Sans Mono"), static_cast<int>(kPrintPointSize)) {}

QtPrinter::~QtPrinter() {
    if (painter_ && painter_->isActive()) painter_->end();
}

void QtPrinter::BeginDoc() {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdfFile_ = fixedPdfFile_;
    if (pdfFile_.isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
        const QString stamp =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        pdfFile_ = QDir(pdfFolder_).absoluteFilePath(QStringLiteral("astrodesk-%1.pdf").arg(stamp));
    }
    if (!pdfFile_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfFile_);
    }
    // A4 whatever the locale's default: the lowest line starts 270 mm down the printable area
    // and needs about 4 mm more.
    printer_->setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kLeftMargin, kTopMargin, kRightMargin, kBottomMargin), QPageLayout::Millimeter));
    painter_ = std::make_unique<QPainter>();
    failed_ = !painter_->begin(printer_.get());
    if (!failed_) painter_->setFont(font_);
    y_ = 0.0;
    column_ = 0;
}

double QtPrinter::PixelsPerMillimetre() const {
    return printer_->resolution() / kMillimetresPerInch;
}

// Places text from the current column on, continuing on the next line past the last column.
void QtPrinter::PrintText(const QString& text) {
    if (!painter_) BeginDoc();
    const QFontMetricsF metrics(font_, printer_.get());
    const double advance = metrics.horizontalAdvance(QLatin1Char('M')); // fixed pitch
    // A column a character (code point), so that a line never ends inside one.
    const QList<uint> characters = text.toUcs4();
    for (qsizetype start = 0; start < characters.size();) {
        if (column_ >= kPrinterColumns) EndLine();
        const qsizetype piece =
            std::min<qsizetype>(characters.size() - start, kPrinterColumns - column_);
        if (painter_->isActive())
            painter_->drawText(
                QPointF(column_ * advance, y_ + metrics.ascent()),
                QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data() + start),
                                  piece));
        column_ += static_cast<int>(piece);
        start += piece;
    }
}

void QtPrinter::EndLine() {
    y_ += QFontMetricsF(font_, printer_.get()).lineSpacing();
    column_ = 0;
}

void QtPrinter::PrintLine(const std::string& text) {
    PrintText(FromUtf8(text));
    EndLine();
}

void QtPrinter::PrintJoined(const std::string& text) {
    PrintText(FromUtf8(text));
}

double QtPrinter::CurrentY() const {
    return painter_ ? y_ / PixelsPerMillimetre() : 0.0;
}

// Measured on the printer once the document has begun; before, on the screen, in the same
// physical units.
double QtPrinter::LineHeight() const {
    if (printer_) return QFontMetricsF(font_, printer_.get()).lineSpacing() / PixelsPerMillimetre();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInchY() : 96.0;
    return QFontMetricsF(font_).lineSpacing() * kMillimetresPerInch / dotsPerInch;
}

void QtPrinter::NewPage() {
    if (!painter_) BeginDoc();
    if (painter_->isActive()) printer_->newPage();
    y_ = 0.0;
    column_ = 0;
}

void QtPrinter::EndDoc() {
    if (!painter_) return;
    if (painter_->isActive()) painter_->end();
    painter_.reset();
    printer_.reset();
    if (dialogs_ == nullptr || pdfFile_.isEmpty()) return;
    const std::string file = QDir::toNativeSeparators(pdfFile_).toStdString();
    dialogs_->MessageBox(failed_ ? "HARD COPY COULD NOT BE WRITTEN TO " + file
                                 : "HARD COPY WRITTEN TO " + file,
                         "PRINTER STATUS", MessageButtons::Ok);
}

} // namespace astrodesk
