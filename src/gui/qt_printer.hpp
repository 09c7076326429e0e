#pragma once

// Hard copy through Qt Print Support (into a PDF file where no printer is installed): Qt Gui and
// Print Support only, so that the command line's PDF needs no widgets.

#include "shell/platform.hpp"

#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace astrodesk {

// Lines of text down an A4 page in a fixed-pitch font, 80 columns wide; positions in
// millimetres from the top of the printable area. The document starts with the first print and
// ends with EndDoc.
class QtPrinter final : public Printer {
  public:
    // The system printer; where none is installed, a PDF file in pdfFolder whose name `dialogs`
    // tells the user when the document ends.
    QtPrinter(Dialogs& dialogs, QString pdfFolder);
    // Always this PDF file, without telling anyone (the command line's hard copy).
    explicit QtPrinter(QString pdfFile);
    ~QtPrinter() override;

    void PrintLine(const std::string& text) override;
    void PrintJoined(const std::string& text) override;
    double CurrentY() const override;
    double LineHeight() const override;
    void NewPage() override;
    void EndDoc() override;

    // The file of the last document sent to PDF (empty while none or on a real printer).
    const QString& PdfFile() const { return pdfFile_; }
    // True when the last document could not be started (a PDF file that cannot be written);
    // its lines went nowhere.
    bool Failed() const { return failed_; }

  private:
    void BeginDoc();
    void PrintText(const QString& text);
    void EndLine();
    double PixelsPerMillimetre() const;

    Dialogs* dialogs_ = nullptr;
    QString pdfFolder_;
    QString fixedPdfFile_;
    QString pdfFile_;
    QFont font_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool failed_ = false;
    double y_ = 0.0; // device pixels from the top of the printable area
    int column_ = 0; // characters already on the current line
};

} // namespace astrodesk
