#include "present/svg_export.hpp"

#include <cstdio>
#include <sstream>
#include <string_view>

namespace astrodesk {

namespace {

constexpr int kGlyphSize = 16; // pixels square
// Metrics of the fixed-pitch font, in ems: one character advance, and the ascent from the top
// of the character cell to the baseline.
constexpr double kAdvanceEm = 0.602;
constexpr double kAscentEm = 0.928;
constexpr std::string_view kFontFamily = "DejaVu Sans Mono";

// A length with at most three decimals and no trailing zeros.
std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string ColourText(int colour) {
    const Rgb rgb = PaletteRgb(colour);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
    return buffer;
}

std::string EscapedXml(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// Writes picture-box items with every length times `scale` (no coordinate transform, which
// simple renderers handle poorly); outlines keep one picture-box pixel of width.
struct SvgItemWriter {
    std::ostream& out;
    double scale;
    double fontSize; // picture-box pixels

    std::string At(double length) const { return Number(length * scale); }
    std::string Stroke(int colour) const {
        return "fill=\"none\" stroke=\"" + ColourText(colour) + "\" stroke-width=\"" +
               Number(scale) + "\"";
    }

    void Rect(double x, double y, double width, double height, int colour) const {
        out << "<rect x=\"" << At(x) << "\" y=\"" << At(y) << "\" width=\"" << At(width)
            << "\" height=\"" << At(height) << "\" fill=\"" << ColourText(colour) << "\"/>\n";
    }

    void operator()(const TextItem& item) const {
        if (item.background != kNoBackground)
            Rect(item.x, item.y,
                 fontSize * kAdvanceEm * static_cast<double>(CharacterCount(item.text)),
                 PictureBox::kLineHeight, item.background);
        out << "<text x=\"" << At(item.x) << "\" y=\"" << At(item.y + kAscentEm * fontSize)
            << "\" font-family=\"" << kFontFamily << "\" font-size=\"" << At(fontSize)
            << "\" fill=\"" << ColourText(item.colour) << "\">" << EscapedXml(item.text)
            << "</text>\n";
    }
    void operator()(const LineItem& item) const {
        out << "<line x1=\"" << At(item.x1) << "\" y1=\"" << At(item.y1) << "\" x2=\""
            << At(item.x2) << "\" y2=\"" << At(item.y2) << "\" " << Stroke(item.colour) << "/>\n";
    }
    void operator()(const CircleItem& item) const {
        out << "<circle cx=\"" << At(item.cx) << "\" cy=\"" << At(item.cy) << "\" r=\""
            << At(item.radius) << "\" " << Stroke(item.colour) << "/>\n";
    }
    void operator()(const DotItem& item) const { Rect(item.x, item.y, 1, 1, item.colour); }
    // One white rectangle for each run of set bits in a row; clear bits leave what lies beneath.
    void operator()(const GlyphItem& item) const {
        for (int row = 0; row < kGlyphSize; ++row) {
            const unsigned bits = item.rows[static_cast<std::size_t>(row)];
            const auto isSet = [bits](int column) {
                return column < kGlyphSize && ((bits >> (kGlyphSize - 1 - column)) & 1U) != 0;
            };
            for (int start = 0; start < kGlyphSize; ++start) {
                if (!isSet(start)) continue;
                int end = start;
                while (isSet(end))
                    ++end;
                Rect(item.x + start, item.y + row, end - start, 1, kWhite);
                start = end;
            }
        }
    }
};

} // namespace

namespace {

void WriteHeader(std::ostream& out, double width, double height) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(width) << "\" height=\""
        << Number(height) << "\" xml:space=\"preserve\">\n";
}

void WriteItems(std::ostream& out, const PictureBox& box, double scale) {
    const SvgItemWriter writer{out, scale, box.CellWidth() / kAdvanceEm};
    for (const DisplayItem& item : box.Items())
        std::visit(writer, item);
}

} // namespace

std::string PictureBoxSvg(const PictureBox& box, double scale) {
    std::ostringstream out;
    WriteHeader(out, box.Width * scale, box.Height * scale);
    const SvgItemWriter background{out, scale, 0.0};
    background.Rect(0, 0, box.Width, box.Height, kBlack);
    WriteItems(out, box, scale);
    out << "</svg>\n";
    return out.str();
}

std::string OutputScreenSvg(const OutputScreen& output, double scale) {
    const ShownBoxes shown = output.Shown();
    std::ostringstream out;
    WriteHeader(out, shown.width * scale, shown.height * scale);
    const SvgItemWriter background{out, scale, 0.0};
    background.Rect(0, 0, shown.width, shown.height, kBlack);
    for (const PictureBox* box : shown.boxes) {
        // A nested picture clips what is drawn beyond the box's edges.
        out << "<svg x=\"" << background.At(box->Left) << "\" y=\"0\" width=\""
            << background.At(box->Width) << "\" height=\"" << background.At(box->Height) << "\">\n";
        WriteItems(out, *box, scale);
        out << "</svg>\n";
    }
    out << "</svg>\n";
    return out.str();
}

} // namespace astrodesk
