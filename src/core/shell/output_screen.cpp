#include "shell/output_screen.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace astrodesk {

namespace {

// Positions that fall a rounding error short of a column or row boundary still count as on it.
constexpr double kGridTolerance = 1e-6;
// Cells this far from the origin lie outside any page (and NaN lands there too).
constexpr double kFarCell = 1e6;

// The column or row of a pixel position, for cells of cellSize pixels.
int GridIndex(double pixels, double cellSize) {
    const double index = std::floor(pixels / cellSize + kGridTolerance);
    return static_cast<int>(std::fmax(std::fmin(index, kFarCell), -kFarCell));
}

} // namespace

std::string Latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

Rgb PaletteRgb(int colour) {
    // 0xRRGGBB: black, blue, green, cyan, red, magenta, brown, light grey, then the bright forms.
    static constexpr std::array<std::uint32_t, 16> kPalette{
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    const std::uint32_t rgb = kPalette[static_cast<std::size_t>((colour % 16 + 16) % 16)];
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb)};
}

std::string GeneralNumberText(double value) {
    if (!std::isfinite(value)) return "UNDEFINED";
    if (value == 0.0) return "0"; // also for -0, which has no sign of its own
    // %G with 15 digits switches to the exponent form below 1E-04 and from 1E+15 on, and drops
    // trailing zeros, as the general format does.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    const std::size_t digitsStart = text[0] == '-' ? 1 : 0;
    if (text.compare(digitsStart, 2, "0.") == 0) text.erase(digitsStart, 1); // ".5", not "0.5"
    return text;
}

std::string PrintedNumber(double value) {
    const std::string digits = GeneralNumberText(value);
    return (digits[0] == '-' ? "" : " ") + digits + " ";
}

PictureBox::PictureBox(double widthPixels, double heightPixels)
    : Width(widthPixels), Height(heightPixels), scaleRight_(widthPixels),
      scaleBottom_(heightPixels) {}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    if (x1 == x2 || y1 == y2) return; // no area: the user coordinates would be undefined
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleRight_ = x2;
    scaleBottom_ = y2;
}

double PictureBox::ToPixelX(double x) const {
    return (x - scaleLeft_) * Width / (scaleRight_ - scaleLeft_);
}
double PictureBox::ToPixelY(double y) const {
    return (y - scaleTop_) * Height / (scaleBottom_ - scaleTop_);
}
double PictureBox::ToUserX(double px) const {
    return scaleLeft_ + px * (scaleRight_ - scaleLeft_) / Width;
}
double PictureBox::ToUserY(double py) const {
    return scaleTop_ + py * (scaleBottom_ - scaleTop_) / Height;
}

void PictureBox::Cls() {
    items_.clear();
    printedRows_ = 0;
    CurrentX = scaleLeft_;
    CurrentY = scaleTop_;
}

int PictureBox::VisibleRows() const {
    return static_cast<int>(std::ceil(Height / kLineHeight));
}

int PictureBox::CurrentColumn() const {
    return GridIndex(ToPixelX(CurrentX), CellWidth());
}

void PictureBox::MoveToColumn(int column) {
    CurrentX = ToUserX(column * CellWidth());
}

void PictureBox::NewLine() {
    CurrentX = scaleLeft_;
    CurrentY = ToUserY(ToPixelY(CurrentY) + kLineHeight);
}

void PictureBox::MarkRowPrinted() {
    const int row = GridIndex(ToPixelY(CurrentY), kLineHeight);
    if (row < VisibleRows()) printedRows_ = std::max(printedRows_, row + 1);
}

void PictureBox::PlaceText(std::string_view text) {
    MarkRowPrinted(); // an empty text still makes its row part of the page
    while (!text.empty()) {
        if (CurrentColumn() >= kColumns) {
            NewLine();
            MarkRowPrinted();
        }
        const int column = CurrentColumn();
        const std::string_view piece = text.substr(0, static_cast<std::size_t>(kColumns - column));
        items_.emplace_back(std::in_place_type<TextItem>, ToPixelX(CurrentX), ToPixelY(CurrentY),
                            std::string(piece), ForeColour);
        MoveToColumn(column + static_cast<int>(piece.size()));
        text.remove_prefix(piece.size());
    }
}

void PictureBox::Print(std::string_view text, After after) {
    PlaceText(text);
    switch (after) {
    case After::LineEnd:
        NewLine();
        break;
    case After::NextZone: {
        const int nextZone = (std::max(CurrentColumn(), 0) / kZoneWidth + 1) * kZoneWidth;
        if (nextZone < kColumns)
            MoveToColumn(nextZone);
        else
            NewLine();
        break;
    }
    case After::Join:
        break;
    }
}

void PictureBox::PrintNumber(double value, After after) {
    Print(PrintedNumber(value), after);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, int colour) {
    items_.emplace_back(std::in_place_type<LineItem>, ToPixelX(x1), ToPixelY(y1), ToPixelX(x2),
                        ToPixelY(y2), colour);
    CurrentX = x2;
    CurrentY = y2;
}

void PictureBox::Circle(double cx, double cy, double radius, int colour) {
    const double pixelRadius = std::abs(radius * Width / (scaleRight_ - scaleLeft_));
    items_.emplace_back(std::in_place_type<CircleItem>, ToPixelX(cx), ToPixelY(cy), pixelRadius,
                        colour);
    CurrentX = cx;
    CurrentY = cy;
}

void PictureBox::Dot(double x, double y, int colour) {
    items_.emplace_back(std::in_place_type<DotItem>, ToPixelX(x), ToPixelY(y), colour);
    CurrentX = x;
    CurrentY = y;
}

void PictureBox::PaintPicture(const Glyph& glyph, double x, double y) {
    items_.emplace_back(std::in_place_type<GlyphItem>, ToPixelX(x), ToPixelY(y), glyph);
}

std::vector<std::string> PictureBox::TextLines() const {
    std::vector<std::string> lines(static_cast<std::size_t>(printedRows_));
    for (const DisplayItem& item : items_) {
        const auto* text = std::get_if<TextItem>(&item);
        if (text == nullptr) continue;
        const int row = GridIndex(text->y, kLineHeight);
        const int column = GridIndex(text->x, CellWidth());
        if (row < 0 || row >= printedRows_ || column < 0) continue; // off the visible page
        std::string& line = lines[static_cast<std::size_t>(row)];
        const std::size_t start = static_cast<std::size_t>(column);
        line.resize(std::max(line.size(), start + text->text.size()), ' ');
        line.replace(start, text->text.size(), text->text);
    }
    for (std::string& line : lines)
        line.erase(line.find_last_not_of(' ') + 1);
    return lines;
}

void OutputScreen::WaitForContinue() {
    ContinueFlag = 0;
    while (ContinueFlag == 0)
        AwaitContinue();
}

void OutputScreen::Command1_Click() {
    ContinueFlag = 1;
    Screen.Cls();
}

void RecordingOutputScreen::AwaitContinue() {
    pages_.push_back(Page{Screen.Items(), Screen.TextLines(), TEXT.Items()});
    Command1_Click();
}

} // namespace astrodesk
