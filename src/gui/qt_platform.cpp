#include "qt_platform.hpp"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

namespace astrodesk {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPrintPointSize = 10.0;
constexpr int kInputBoxWidth = 560; // pixels

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A message box without a title of its own carries the program's name.
QString WindowTitle(const std::string& title) {
    return title.empty() ? QCoreApplication::applicationName().toUpper() : FromUtf8(title);
}

QMessageBox::StandardButtons ButtonSet(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer Answer(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default: // Cancel, or the box closed by its window frame
        return MessageAnswer::Cancel;
    }
}

} // namespace

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& prefill) {
    QDialog box;
    box.setWindowTitle(WindowTitle(title));
    box.setFixedWidth(kInputBoxWidth);
    auto* message = new QLabel(FromUtf8(prompt)); // wrapped, as the long prompts need
    message->setWordWrap(true);
    auto* answer = new QLineEdit(FromUtf8(prefill));
    answer->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    auto* layout = new QVBoxLayout(&box);
    for (QWidget* part : {static_cast<QWidget*>(message), static_cast<QWidget*>(answer),
                          static_cast<QWidget*>(buttons)})
        layout->addWidget(part);
    if (box.exec() != QDialog::Accepted) return {};
    // Text stays single-byte inside the program; characters beyond Latin-1 become '?'.
    return answer->text().toStdString();
}

bool QtDialogs::Attended() const {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

MessageAnswer QtDialogs::MessageBox(const std::string& text, const std::string& title,
                                    MessageButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, WindowTitle(title), FromUtf8(text), ButtonSet(buttons));
    return Answer(box.exec());
}

QtPrinter::QtPrinter(Dialogs& dialogs, QString pdfFolder)
    : dialogs_(dialogs), pdfFolder_(std::move(pdfFolder)),
      font_(QStringLiteral("DejaVu Sans Mono"), static_cast<int>(kPrintPointSize)) {}

QtPrinter::~QtPrinter() {
    if (painter_) painter_->end();
}

void QtPrinter::BeginDoc() {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString stamp =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        pdfFile_ = QDir(pdfFolder_).absoluteFilePath(QStringLiteral("astrodesk-%1.pdf").arg(stamp));
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfFile_);
    } else {
        pdfFile_.clear();
    }
    painter_ = std::make_unique<QPainter>(printer_.get());
    painter_->setFont(font_);
    y_ = 0.0;
}

double QtPrinter::PixelsPerMillimetre() const {
    return printer_->resolution() / kMillimetresPerInch;
}

void QtPrinter::PrintLine(const std::string& text) {
    if (!painter_) BeginDoc();
    const QFontMetricsF metrics(font_, printer_.get());
    painter_->drawText(QPointF(0.0, y_ + metrics.ascent()), FromUtf8(text));
    y_ += metrics.lineSpacing();
}

double QtPrinter::CurrentY() const {
    return painter_ ? y_ / PixelsPerMillimetre() : 0.0;
}

void QtPrinter::NewPage() {
    if (!painter_) BeginDoc();
    printer_->newPage();
    y_ = 0.0;
}

void QtPrinter::EndDoc() {
    if (!painter_) return;
    painter_->end();
    painter_.reset();
    printer_.reset();
    if (!pdfFile_.isEmpty())
        dialogs_.MessageBox("HARD COPY WRITTEN TO " +
                                QDir::toNativeSeparators(pdfFile_).toStdString(),
                            "PRINTER STATUS", MessageButtons::Ok);
}

} // namespace astrodesk
