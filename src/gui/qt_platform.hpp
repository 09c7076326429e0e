#pragma once

// The desktop's platform: modal input and message boxes, and hard copy through Qt Print
// Support (into a PDF file where no printer is installed).

#include "shell/platform.hpp"

#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace astrodesk {

class QtDialogs final : public Dialogs {
  public:
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& prefill) override;
    MessageAnswer MessageBox(const std::string& text, const std::string& title,
                             MessageButtons buttons) override;
    // False on the offscreen and minimal platforms, which draw into memory only.
    bool Attended() const override;
};

// Lines of text down the page in a fixed-pitch font; positions in millimetres from the top of
// the printable area. The document starts with the first line and ends with EndDoc.
class QtPrinter final : public Printer {
  public:
    // Where no printer is installed, hard copy goes to a PDF file in pdfFolder; `dialogs`
    // tells the user its name when the document ends.
    QtPrinter(Dialogs& dialogs, QString pdfFolder);
    ~QtPrinter() override;

    void PrintLine(const std::string& text) override;
    double CurrentY() const override;
    void NewPage() override;
    void EndDoc() override;

    // The file of the last document sent to PDF (empty while none or on a real printer).
    const QString& PdfFile() const { return pdfFile_; }

  private:
    void BeginDoc();
    double PixelsPerMillimetre() const;

    Dialogs& dialogs_;
    QString pdfFolder_;
    QString pdfFile_;
    QFont font_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    double y_ = 0.0; // device pixels from the top of the printable area
};

} // namespace astrodesk
