#pragma once

// The output screen: picture boxes that record what is printed and drawn on them as a display
// list, and the form that shows a page and waits for CONTINUE. The desktop renders the display
// list in a window; the command line writes it out; tests inspect it.
//
// Text is UTF-8 (shell/utf8_text.hpp); columns count characters, and text that runs past the
// last column wraps between characters, never inside one.

#include "shell/utf8_text.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace astrodesk {

// Palette indices 0..15 of the standard 16-colour palette.
enum PaletteColour : int {
    kBlack = 0,
    kBlue,
    kGreen,
    kCyan,
    kRed,
    kMagenta,
    kBrown,
    kLightGrey,
    kDarkGrey,
    kLightBlue,
    kLightGreen,
    kLightCyan,
    kLightRed,
    kLightMagenta,
    kYellow,
    kWhite
};
struct Rgb {
    std::uint8_t r, g, b;
};
Rgb PaletteRgb(int colour); // colour taken modulo 16
// The contrast ratio of two palette colours, 1 to 21: (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances, the lighter first (W3C, Web Content Accessibility Guidelines 2.1, 2018).
double ContrastRatio(int colour1, int colour2);
// No colour: text cells show what lies beneath.
inline constexpr int kNoBackground = -1;

// A 16 x 16 one-bit picture: rows top to bottom, the most significant bit is the leftmost pixel;
// a set bit is painted white, a clear bit leaves what lies beneath.
using Glyph = std::array<std::uint16_t, 16>;

// Display-list items, in the picture box's own pixels (origin top left, y down).
struct TextItem {
    double x, y;      // top-left corner of the first character cell
    std::string text; // UTF-8, one character a column
    int colour;
    int background = kNoBackground; // palette colour filling the text's cells
};
struct LineItem {
    double x1, y1, x2, y2;
    int colour;
};
struct CircleItem {
    double cx, cy, radius;
    int colour;
};
struct DotItem {
    double x, y;
    int colour;
};
struct GlyphItem {
    double x, y; // top-left corner
    Glyph rows;
};
using DisplayItem = std::variant<TextItem, LineItem, CircleItem, DotItem, GlyphItem>;

// How a printed item is followed: by a line end, by a move to the next 14-column print zone
// (a comma in the listings), or by nothing (a semicolon: the next item joins on).
enum class After { LineEnd, NextZone, Join };

// A picture box with a fixed-pitch text grid of Columns() columns across its width (kColumns
// unless it is made with another count), a user coordinate system set by its corner values, a
// current position and a foreground colour.
class PictureBox {
  public:
    static constexpr int kColumns = 80;
    static constexpr int kZoneWidth = 14;
    // Pixels a line: the 23 lines of a horoscope listing stay above the CONTINUE button, whose
    // top edge is 336 pixels down the output screen.
    static constexpr double kLineHeight = 14.0;

    PictureBox(double widthPixels, double heightPixels, int columns = kColumns);

    // Geometry on the output form, pixels.
    double Left = 0.0;
    double Width;
    double Height;
    bool Visible = true;

    // User coordinates: (x1, y1) at the top-left corner, (x2, y2) at the bottom-right; y grows
    // upward when y2 < y1. Corners that coincide on an axis leave the scale unchanged.
    void Scale(double x1, double y1, double x2, double y2);
    // Pixels per character column.
    double CellWidth() const { return Width / columns_; }

    // Clears text and drawing; the print position returns to the top-left corner.
    void Cls();

    // Prints at the current position. Text that runs past the last column wraps to the next
    // line; a line end after text that fills the line exactly starts just one new line.
    void Print(std::string_view text, After after = After::LineEnd);
    // A number in the general format: blank or minus before, one blank after.
    void PrintNumber(double value, After after = After::LineEnd);
    void PrintEmptyLine() { Print("", After::LineEnd); }

    // Drawing is in user units and leaves the current position at the end point, the centre
    // or the dot.
    void Line(double x1, double y1, double x2, double y2, int colour);
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColour); }
    void Circle(double cx, double cy, double radius, int colour); // radius measured along x
    void Dot(double x, double y, int colour);
    void PaintPicture(const Glyph& glyph, double x, double y); // top-left corner, user units

    int ForeColour = kWhite;
    int TextBackColour = kNoBackground; // behind the cells of printed text
    double CurrentX = 0.0;              // user units
    double CurrentY = 0.0;

    const std::vector<DisplayItem>& Items() const { return items_; }
    // The printed text as screen lines, print zones expanded to spaces, trailing blanks cut;
    // rows below the bottom edge are not on the page.
    std::vector<std::string> TextLines() const;

  private:
    // Where printed text goes next: its pixel position (off the column grid where drawing or
    // the caller has put it) and its text cell.
    struct TextCursor {
        double pixelX, pixelY;
        int column, row;
    };

    double ToPixelX(double x) const;
    double ToPixelY(double y) const;
    double ToUserX(double px) const;
    double ToUserY(double py) const;
    int VisibleRows() const;
    TextCursor CursorAtCurrentPosition() const;
    void MoveToColumn(TextCursor& cursor, int column) const;
    void NewLine(TextCursor& cursor) const;
    void MarkRowPrinted(int row);
    void PlaceText(std::string_view text, TextCursor& cursor);
    std::string SpareText(std::string_view text);

    int columns_;
    double scaleLeft_ = 0.0, scaleTop_ = 0.0, scaleRight_, scaleBottom_;
    std::vector<DisplayItem> items_;
    // The texts of the items a clearing removed, kept with their storage: a page printed again
    // reuses them instead of allocating a string per item.
    std::vector<std::string> spareTexts_;
    int printedRows_ = 0; // text rows reached by printing, an empty print included
    // The cursor the last print left, with the position and size it belongs to: a print that
    // starts there takes it without converting coordinates again. A new scale forgets it.
    struct LeftCursor {
        TextCursor cursor;
        double x, y, width, height;
    };
    std::optional<LeftCursor> leftCursor_;
};

// General number format of printed numbers: up to 15 significant digits, no zero before the
// decimal point of values below 1, exponent form "1E+16" for very large or small values;
// "UNDEFINED" for a value that is not finite.
std::string GeneralNumberText(double value);
// The printed form: " 1.5 " or "-.25 ".
std::string PrintedNumber(double value);

// The visible picture boxes of the output form in painting order, and the width and height they
// cover from the form's top-left corner (pixels).
struct ShownBoxes {
    std::vector<const PictureBox*> boxes;
    double width = 0.0;
    double height = 0.0;
};

// The output form: the `Screen` picture box, the `TEXT` legend box and the CONTINUE button.
class OutputScreen {
  public:
    OutputScreen() { TEXT.Visible = false; } // shown beside a map only
    virtual ~OutputScreen() = default;

    PictureBox Screen{638.0, 428.0};
    // The map legend beside the Screen, with character cells as wide as the Screen's.
    PictureBox TEXT{216.0, 428.0, 27};
    std::int16_t ContinueFlag = 1;

    virtual void Show() {}
    virtual void Refresh() {}
    virtual void SetContinueVisible(bool) {}
    ShownBoxes Shown() const;

    // Lets the page be seen until CONTINUE is pressed; returns with `Screen` cleared.
    void WaitForContinue();
    // CONTINUE: ends the wait and clears `Screen` for the next page.
    void Command1_Click();
    // The user closed the output window or pressed Escape during a wait: the wait ends as on
    // CONTINUE, and a producer of many pages learns that the user wants to leave it.
    void LeaveOutput();
    // True when the last wait was ended by LeaveOutput.
    bool LeaveRequested() const { return leaveRequested_; }

  protected:
    // Lets window events run until Command1_Click has set ContinueFlag (the desktop pumps its
    // event loop; a headless screen hands the page on and presses CONTINUE itself). Called
    // again while ContinueFlag is still 0.
    virtual void AwaitContinue() = 0;

  private:
    bool leaveRequested_ = false;
};

// A headless output form that keeps every page it was asked to wait on.
class RecordingOutputScreen : public OutputScreen {
  public:
    struct Page {
        std::vector<DisplayItem> screenItems;
        std::vector<std::string> screenText;
        std::vector<DisplayItem> legendItems;
    };
    const std::vector<Page>& Pages() const { return pages_; }

  protected:
    void AwaitContinue() override;

  private:
    std::vector<Page> pages_;
};

} // namespace astrodesk
