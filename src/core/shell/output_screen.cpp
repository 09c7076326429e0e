#include "shell/output_screen.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace astrodesk {

namespace {

// Positions that fall a rounding error short of a column or row boundary still count as on it.
constexpr double kGridTolerance = 1e-6;
// Cells this far from the origin lie outside any page (and NaN lands there too).
constexpr double kFarCell = 1e6;

// The column or row of a pixel position, for cells of cellSize pixels.
int GridIndex(double pixels, double cellSize) {
    const double index = std::floor(pixels / cellSize + kGridTolerance);
    if (!(index < kFarCell)) return static_cast<int>(kFarCell); // NaN included
    return static_cast<int>(std::max(index, -kFarCell));
}

// Room for any printed number: a blank or minus, 15 digits, a point, "E+308" and a blank.
using NumberChars = std::array<char, 32>;

constexpr int kSignificantDigits = 15;

// Writes the general number format from `first` on and returns the end of the text.
char* WriteGeneralNumber(double value, char* first, char* last) {
    if (!std::isfinite(value)) {
        constexpr std::string_view kUndefined = "UNDEFINED";
        return std::copy(kUndefined.begin(), kUndefined.end(), first);
    }
    if (value == 0.0) { // also for -0, which has no sign of its own
        *first = '0';
        return first + 1;
    }
    // The general format with 15 digits: fixed notation for the decimal exponents -4..14 of the
    // rounded value, else the exponent form, trailing zeros dropped, halves rounded to even.
    char* end =
        std::to_chars(first, last, value, std::chars_format::general, kSignificantDigits).ptr;
    char* const digits = value < 0.0 ? first + 1 : first;
    if (*digits == '0') end = std::copy(digits + 1, end, digits); // ".5", not "0.5"
    std::replace(digits, end, 'e', 'E');
    return end;
}

// The printed form written into `chars`: " 1.5 " or "-.25 ", the minus in the blank's place.
std::string_view WritePrintedNumber(double value, NumberChars& chars) {
    chars[0] = ' ';
    char* const end = WriteGeneralNumber(value, chars.data() + 1, chars.data() + chars.size());
    *end = ' ';
    const char* const start = chars[1] == '-' ? chars.data() + 1 : chars.data();
    return {start, end + 1};
}

} // namespace

Rgb PaletteRgb(int colour) {
    // 0xRRGGBB: black, blue, green, cyan, red, magenta, brown, light grey, then the bright forms.
    static constexpr std::array<std::uint32_t, 16> kPalette{
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    const std::uint32_t rgb = kPalette[static_cast<std::size_t>((colour % 16 + 16) % 16)];
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb)};
}

namespace {

// Relative luminance of an sRGB colour: each channel linearised, then weighted by the eye's
// sensitivity (ITU-R BT.709 primaries), as the accessibility guidelines define it.
double RelativeLuminance(Rgb rgb) {
    const auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb.r) + 0.7152 * linear(rgb.g) + 0.0722 * linear(rgb.b);
}

} // namespace

double ContrastRatio(int colour1, int colour2) {
    const double l1 = RelativeLuminance(PaletteRgb(colour1));
    const double l2 = RelativeLuminance(PaletteRgb(colour2));
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

std::string GeneralNumberText(double value) {
    NumberChars chars;
    return std::string(chars.data(),
                       WriteGeneralNumber(value, chars.data(), chars.data() + chars.size()));
}

std::string PrintedNumber(double value) {
    NumberChars chars;
    return std::string(WritePrintedNumber(value, chars));
}

PictureBox::PictureBox(double widthPixels, double heightPixels, int columns)
    : Width(widthPixels), Height(heightPixels), columns_(columns), scaleRight_(widthPixels),
      scaleBottom_(heightPixels) {}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    if (x1 == x2 || y1 == y2) return; // no area: the user coordinates would be undefined
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleRight_ = x2;
    scaleBottom_ = y2;
    leftCursor_.reset();
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
    for (DisplayItem& item : items_)
        if (auto* text = std::get_if<TextItem>(&item)) spareTexts_.push_back(std::move(text->text));
    items_.clear();
    printedRows_ = 0;
    CurrentX = scaleLeft_;
    CurrentY = scaleTop_;
}

int PictureBox::VisibleRows() const {
    return static_cast<int>(std::ceil(Height / kLineHeight));
}

PictureBox::TextCursor PictureBox::CursorAtCurrentPosition() const {
    if (leftCursor_ && leftCursor_->x == CurrentX && leftCursor_->y == CurrentY &&
        leftCursor_->width == Width && leftCursor_->height == Height)
        return leftCursor_->cursor;
    const double pixelX = ToPixelX(CurrentX);
    const double pixelY = ToPixelY(CurrentY);
    return {pixelX, pixelY, GridIndex(pixelX, CellWidth()), GridIndex(pixelY, kLineHeight)};
}

void PictureBox::MoveToColumn(TextCursor& cursor, int column) const {
    cursor.column = column;
    cursor.pixelX = column * CellWidth();
}

void PictureBox::NewLine(TextCursor& cursor) const {
    MoveToColumn(cursor, 0);
    cursor.pixelY += kLineHeight;
    ++cursor.row;
}

void PictureBox::MarkRowPrinted(int row) {
    if (row >= printedRows_ && row < VisibleRows()) printedRows_ = row + 1;
}

void PictureBox::PlaceText(std::string_view text, TextCursor& cursor) {
    MarkRowPrinted(cursor.row); // an empty text still makes its row part of the page
    while (!text.empty()) {
        if (cursor.column >= columns_) {
            NewLine(cursor);
            MarkRowPrinted(cursor.row);
        }
        const std::string_view piece =
            FirstCharacters(text, static_cast<std::size_t>(columns_ - cursor.column));
        items_.emplace_back(std::in_place_type<TextItem>, cursor.pixelX, cursor.pixelY,
                            SpareText(piece), ForeColour, TextBackColour);
        MoveToColumn(cursor, cursor.column + static_cast<int>(CharacterCount(piece)));
        text.remove_prefix(piece.size());
    }
}

std::string PictureBox::SpareText(std::string_view text) {
    if (spareTexts_.empty()) return std::string(text);
    std::string spare = std::move(spareTexts_.back());
    spareTexts_.pop_back();
    spare.assign(text);
    return spare;
}

void PictureBox::Print(std::string_view text, After after) {
    const TextCursor start = CursorAtCurrentPosition();
    TextCursor cursor = start;
    PlaceText(text, cursor);
    switch (after) {
    case After::LineEnd:
        NewLine(cursor);
        break;
    case After::NextZone: {
        const int nextZone = (std::max(cursor.column, 0) / kZoneWidth + 1) * kZoneWidth;
        if (nextZone < columns_)
            MoveToColumn(cursor, nextZone);
        else
            NewLine(cursor);
        break;
    }
    case After::Join:
        break;
    }
    // A position set by drawing stays exactly as it was until text moves it.
    if (cursor.pixelX != start.pixelX) CurrentX = ToUserX(cursor.pixelX);
    if (cursor.pixelY != start.pixelY) CurrentY = ToUserY(cursor.pixelY);
    leftCursor_ = LeftCursor{cursor, CurrentX, CurrentY, Width, Height};
}

void PictureBox::PrintNumber(double value, After after) {
    NumberChars chars;
    Print(WritePrintedNumber(value, chars), after);
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
    // One character per cell, so that a later item overwrites whole characters.
    std::vector<std::vector<std::string_view>> cells(static_cast<std::size_t>(printedRows_));
    for (const DisplayItem& item : items_) {
        const auto* text = std::get_if<TextItem>(&item);
        if (text == nullptr) continue;
        const int row = GridIndex(text->y, kLineHeight);
        const int column = GridIndex(text->x, CellWidth());
        if (row < 0 || row >= printedRows_ || column < 0) continue; // off the visible page
        std::vector<std::string_view>& line = cells[static_cast<std::size_t>(row)];
        auto cell = static_cast<std::size_t>(column);
        for (std::string_view rest = text->text; !rest.empty(); ++cell) {
            const std::size_t length = BytesOfCharacters(rest, 1);
            if (line.size() <= cell) line.resize(cell + 1, " ");
            line[cell] = rest.substr(0, length);
            rest.remove_prefix(length);
        }
    }
    std::vector<std::string> lines;
    lines.reserve(cells.size());
    for (const auto& line : cells) {
        std::string& joined = lines.emplace_back();
        for (const std::string_view character : line)
            joined += character;
        joined.erase(joined.find_last_not_of(' ') + 1);
    }
    return lines;
}

ShownBoxes OutputScreen::Shown() const {
    ShownBoxes shown;
    for (const PictureBox* box : {&Screen, &TEXT}) {
        if (!box->Visible) continue;
        shown.boxes.push_back(box);
        shown.width = std::max(shown.width, box->Left + box->Width);
        shown.height = std::max(shown.height, box->Height);
    }
    return shown;
}

void OutputScreen::WaitForContinue() {
    ContinueFlag = 0;
    leaveRequested_ = false;
    while (ContinueFlag == 0)
        AwaitContinue();
}

void OutputScreen::Command1_Click() {
    ContinueFlag = 1;
    Screen.Cls();
}

void OutputScreen::LeaveOutput() {
    leaveRequested_ = true;
    Command1_Click();
}

void RecordingOutputScreen::AwaitContinue() {
    pages_.push_back(Page{Screen.Items(), Screen.TextLines(), TEXT.Items()});
    Command1_Click();
}

} // namespace astrodesk
