#pragma once

// What the command line draws with Qt: PNG pictures and the PDF hard copy. Qt lives in a module
// of its own (libastrodesk-cli-qt.so), loaded the first time a picture or a PDF is asked for,
// so that the commands that print text or JSON start without loading Qt at all.

#include "shell/output_screen.hpp"
#include "shell/platform.hpp"

#include <memory>
#include <string>

namespace astrodesk::cli {

// A hard copy into a PDF file, written when EndDoc ends the document.
class PdfPrinter : public Printer {
  public:
    // True when the document could not be begun (a PDF file that cannot be written).
    virtual bool Failed() const = 0;
};

// The module's functions, with Qt's application object started and ended inside them.
struct QtPictures {
    // The output screen's picture at `scale` as a PNG file; false when it could not be written.
    bool (*writePng)(const OutputScreen& output, double scale, const std::string& fileName);
    // A printer into the PDF file `fileName`.
    std::unique_ptr<PdfPrinter> (*openPdf)(const std::string& fileName);
};

// The module, loaded on first use from beside the program, else from the installed module
// folder. A module that cannot be loaded ends the command with the loader's message, status 1.
const QtPictures& LoadedQtPictures();

} // namespace astrodesk::cli

// The module's one entry point.
extern "C" const astrodesk::cli::QtPictures* AstrodeskQtPictures();
