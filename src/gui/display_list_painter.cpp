#include "display_list_painter.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <cmath>

namespace astrodesk {

namespace {

constexpr int kGlyphSize = 16; // pixels square

// Text sits in a grid of fixed cells: each character is placed at its own column so that the
// print zones line up whatever the font's own advance is after hinting.
void PaintText(QPainter& painter, const TextItem& item, const QFont& font, double cellWidth,
               double scale) {
    // One character (code point, perhaps two UTF-16 units) per column.
    const QList<uint> characters =
        QString::fromUtf8(item.text.data(), std::ssize(item.text)).toUcs4();
    if (item.background != kNoBackground)
        painter.fillRect(QRectF(item.x * scale, item.y * scale, characters.size() * cellWidth,
                                PictureBox::kLineHeight * scale),
                         PaletteColour(item.background));
    painter.setFont(font);
    painter.setPen(PaletteColour(item.colour));
    const double baseline = item.y * scale + QFontMetricsF(font).ascent();
    for (qsizetype column = 0; column < characters.size(); ++column) {
        const char32_t character = characters[column];
        if (character != U' ')
            painter.drawText(QPointF(item.x * scale + column * cellWidth, baseline),
                             QString::fromUcs4(&character, 1));
    }
}

QImage GlyphImage(const Glyph& rows) {
    QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32);
    for (int y = 0; y < kGlyphSize; ++y) {
        for (int x = 0; x < kGlyphSize; ++x) {
            const bool set = (rows[static_cast<std::size_t>(y)] >> (kGlyphSize - 1 - x)) & 1U;
            image.setPixel(x, y, set ? qRgba(255, 255, 255, 255) : qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

// Lines and circles keep one picture-box pixel of width at every scale.
QPen OutlinePen(int colour, double scale) {
    QPen pen(PaletteColour(colour));
    pen.setWidthF(scale);
    return pen;
}

struct ItemPainter {
    QPainter& painter;
    double scale;
    double cellWidth; // device pixels
    QFont font;

    void operator()(const TextItem& item) const {
        PaintText(painter, item, font, cellWidth, scale);
    }
    void operator()(const LineItem& item) const {
        painter.setPen(OutlinePen(item.colour, scale));
        painter.drawLine(QPointF(item.x1, item.y1) * scale, QPointF(item.x2, item.y2) * scale);
    }
    void operator()(const CircleItem& item) const {
        painter.setPen(OutlinePen(item.colour, scale));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(item.cx, item.cy) * scale, item.radius * scale,
                            item.radius * scale);
    }
    void operator()(const DotItem& item) const {
        painter.fillRect(QRectF(item.x * scale, item.y * scale, scale, scale),
                         PaletteColour(item.colour));
    }
    void operator()(const GlyphItem& item) const {
        // Unsmoothed: every set bit becomes a solid white square, clear bits stay transparent.
        const QRectF target(item.x * scale, item.y * scale, kGlyphSize * scale, kGlyphSize * scale);
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(target, GlyphImage(item.rows));
        painter.restore();
    }
};

} // namespace

QColor PaletteColour(int colour) {
    const Rgb rgb = PaletteRgb(colour);
    return QColor(rgb.r, rgb.g, rgb.b);
}

QFont FixedPitchFont(double cellWidth) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Scale a reference size so that one character advance equals the cell width.
    constexpr double kReferencePixels = 100.0;
    font.setPixelSize(static_cast<int>(kReferencePixels));
    const double advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    font.setPixelSize(
        std::max(1, static_cast<int>(std::floor(kReferencePixels * cellWidth / advance))));
    return font;
}

void PaintDisplayList(QPainter& painter, const PictureBox& box, double scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double cellWidth = box.CellWidth() * scale;
    const ItemPainter paintItem{painter, scale, cellWidth, FixedPitchFont(cellWidth)};
    for (const DisplayItem& item : box.Items())
        std::visit(paintItem, item);
    painter.restore();
}

QImage RenderPictureBox(const PictureBox& box, double scale, int background) {
    QImage image(static_cast<int>(std::lround(box.Width * scale)),
                 static_cast<int>(std::lround(box.Height * scale)), QImage::Format_RGB32);
    image.fill(PaletteColour(background));
    QPainter painter(&image);
    PaintDisplayList(painter, box, scale);
    return image;
}

QImage RenderOutputScreen(const OutputScreen& output, double scale) {
    const ShownBoxes shown = output.Shown();
    QImage image(static_cast<int>(std::lround(shown.width * scale)),
                 static_cast<int>(std::lround(shown.height * scale)), QImage::Format_RGB32);
    image.fill(PaletteColour(kBlack));
    QPainter painter(&image);
    for (const PictureBox* box : shown.boxes) {
        painter.save();
        painter.translate(box->Left * scale, 0.0);
        painter.setClipRect(QRectF(0.0, 0.0, box->Width * scale, box->Height * scale));
        PaintDisplayList(painter, *box, scale);
        painter.restore();
    }
    return image;
}

} // namespace astrodesk
