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
constexpr std::string_view kFontFamily = "DejaVu Sans Mono, monospace";

// A coordinate with at most three decimals and no trailing zeros.
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

void WriteRect(std::ostream& out, double x, double y, double width, double height, int colour) {
    out << "<rect x=\"" << Number(x) << "\" y=\"" << Number(y) << "\" width=\"" << Number(width)
        << "\" height=\"" << Number(height) << "\" fill=\"" << ColourText(colour) << "\"/>\n";
}

struct SvgItemWriter {
    std::ostream& out;
    double fontSize; // picture-box pixels

    void operator()(const TextItem& item) const {
        out << "<text x=\"" << Number(item.x) << "\" y=\"" << Number(item.y + kAscentEm * fontSize)
            << "\" font-family=\"" << kFontFamily << "\" font-size=\"" << Number(fontSize)
            << "\" fill=\"" << ColourText(item.colour) << "\">"
            << EscapedXml(Latin1ToUtf8(item.text)) << "</text>\n";
    }
    void operator()(const LineItem& item) const {
        out << "<line x1=\"" << Number(item.x1) << "\" y1=\"" << Number(item.y1) << "\" x2=\""
            << Number(item.x2) << "\" y2=\"" << Number(item.y2) << "\" stroke=\""
            << ColourText(item.colour) << "\"/>\n";
    }
    void operator()(const CircleItem& item) const {
        out << "<circle cx=\"" << Number(item.cx) << "\" cy=\"" << Number(item.cy) << "\" r=\""
            << Number(item.radius) << "\" fill=\"none\" stroke=\"" << ColourText(item.colour)
            << "\"/>\n";
    }
    void operator()(const DotItem& item) const {
        WriteRect(out, item.x, item.y, 1, 1, item.colour);
    }
    // A black square, then one white rectangle for each run of set bits in a row.
    void operator()(const GlyphItem& item) const {
        out << "<g shape-rendering=\"crispEdges\">\n";
        WriteRect(out, item.x, item.y, kGlyphSize, kGlyphSize, kBlack);
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
                WriteRect(out, item.x + start, item.y + row, end - start, 1, kWhite);
                start = end;
            }
        }
        out << "</g>\n";
    }
};

} // namespace

std::string PictureBoxSvg(const PictureBox& box, double scale) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(box.Width * scale)
        << "\" height=\"" << Number(box.Height * scale) << "\" viewBox=\"0 0 " << Number(box.Width)
        << ' ' << Number(box.Height) << "\" xml:space=\"preserve\">\n";
    WriteRect(out, 0, 0, box.Width, box.Height, kBlack);
    const SvgItemWriter writeItem{out, box.CellWidth() / kAdvanceEm};
    for (const DisplayItem& item : box.Items())
        std::visit(writeItem, item);
    out << "</svg>\n";
    return out.str();
}

} // namespace astrodesk
