#include "present/glyphs.hpp"
#include "present/svg_export.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace astrodesk {
namespace {

using ::testing::HasSubstr;

// The published pictures: sixteen rows of four hex digits, the leftmost pixel the top bit.
constexpr std::array<const char*, 12> kSignRows{
    "0000 781E FC3F 8C31 0C30 0C30 0660 0660 0660 0660 0660 03C0 03C0 0180 0180 0180",
    "8001 F00F 7FFE 0FF0 1C38 300C 300C 6006 6006 6006 6006 300C 300C 1C38 0FF0 03C0",
    "0000 300C 3FFC 0FF0 0660 0660 0660 0660 0660 0660 0660 0660 0FF0 3FFC 300C 0000",
    "0000 0000 FFF0 CFFE 860E 8400 CC00 FC00 003F 0033 0021 7061 7FF3 0FFF 0000 0000",
    "0FF0 3FF8 301C 600C 600C 600C 701C 3818 7E18 6618 4238 4230 6630 7E30 0070 0060",
    "0000 9CEF FFFB 631B 631B 631E 631C 6318 6338 6338 6378 6358 6358 6318 6318 6318",
    "0000 0000 03C0 0FF0 FFFF FC3F F00F 0000 0000 0000 FFFF FFFF FFFF 0000 0000 0000",
    "0000 9CE0 FFF8 6318 6318 6318 6318 6318 6318 6318 6318 6319 6319 631B 631F 631E",
    "001F 001F 000F 001F 003B 0070 00E0 19C0 1F80 0F00 0F00 1F80 3980 7000 E000 C000",
    "001E E033 E3F3 67FE 673C 6638 6618 660C 660C 6606 6606 6606 660C 7E18 3C38 0000",
    "0000 0000 0000 2222 7776 DDDC 8888 0000 2222 7776 DDDC 8888 0000 0000 0000 0000",
    "381C 1818 0C30 0C30 0660 0660 0660 0FF0 0FF0 0660 0660 0660 0C30 0C30 1818 381C",
};
constexpr std::array<const char*, 12> kBodyRows{
    "07E0 1FF8 3C3C 700E 6006 E007 C003 C183 C183 C003 E007 6006 700E 3C3C 1FF8 07E0",
    "03F8 01FE 00CE 00C7 0063 0063 0063 0063 0063 0063 0063 0063 00C7 00CE 01FE 03F8",
    "0000 1008 1818 0FF0 0660 0420 0420 0420 0660 07E0 0180 0180 07E0 07E0 0180 0180",
    "03C0 0FF0 1C38 1818 1818 1818 1818 1C38 0FF0 07E0 0180 0180 07E0 07E0 0180 0180",
    "07E0 1FF8 3DBC 718E 6186 E187 C183 FFFF FFFF C183 E187 6186 718E 3DBC 1FF8 07E0",
    "007F 007F 000F 001F 003B 0073 01E3 7FC0 FFC0 E380 C180 C180 C180 E380 FF80 7F00",
    "3C00 7E00 C60C 860C 060C 0C0C 0C0C 180C 180C 300C 300C 600C 7FFF 7FFF 000C 000C",
    "3000 7800 7800 3000 3000 3000 33C0 37E0 3E60 3C60 3860 3060 30E0 00C0 01C0 0180",
    "E007 E187 E187 E187 E187 FFFF FFFF E187 E187 E187 E187 0180 03C0 0240 0240 03C0",
    "6186 F3CF 6186 6186 6186 6186 73CE 7FFE 3FFC 0180 0180 0180 0180 03C0 03C0 0180",
    "FF00 FF80 E380 C180 C180 E380 FF80 FF00 C000 C000 C000 C000 C000 E060 FFE0 FFE0",
    "3FFC 3FFC 001C 001C 0038 0070 00E0 01C0 0380 0700 0E00 1C00 3800 3800 3FFC 3FFC",
};

using Bitmap = std::array<std::string, 16>; // '#' set, '.' clear

Bitmap FromHexRows(const char* rows) {
    Bitmap bitmap;
    std::istringstream in(rows);
    for (std::string& line : bitmap) {
        unsigned bits = 0;
        in >> std::hex >> bits;
        for (int mask = 0x8000; mask != 0; mask >>= 1)
            line += (bits & static_cast<unsigned>(mask)) ? '#' : '.';
    }
    return bitmap;
}

// The white pixels of a picture painted at the origin, read back from its SVG rectangles.
Bitmap Rendered(const Glyph& glyph) {
    PictureBox box(16.0, 16.0);
    box.PaintPicture(glyph, 0.0, 0.0);
    const std::string svg = PictureBoxSvg(box, 1.0);
    Bitmap bitmap;
    bitmap.fill(std::string(16, '.'));
    const std::regex white(
        R"re(<rect x="(\d+)" y="(\d+)" width="(\d+)" height="1" fill="#FFFFFF"/>)re");
    for (std::sregex_iterator it(svg.begin(), svg.end(), white), end; it != end; ++it)
        bitmap[std::stoul((*it)[2])].replace(std::stoul((*it)[1]), std::stoul((*it)[3]),
                                             std::stoul((*it)[3]), '#');
    return bitmap;
}

TEST(WheelGlyphs, EachPictureRendersItsPublishedRowsTopToBottom) {
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(Rendered(signicon(i)), FromHexRows(kSignRows[i - 1])) << "sign " << i;
        EXPECT_EQ(Rendered(planicon(i)), FromHexRows(kBodyRows[i - 1])) << "body slot " << i;
    }
}

TEST(SvgExport, DrawsTheDisplayListOnBlackAtTheRequestedScale) {
    PictureBox box(638.0, 428.0);
    box.Print(std::string("12") + kDegreeSign + " & <");
    box.Line(0.0, 0.0, 10.0, 20.0, kLightGreen);
    box.Circle(100.0, 50.0, 30.0, kWhite);
    const std::string svg = PictureBoxSvg(box, 2.5);
    EXPECT_THAT(svg, HasSubstr(R"(width="1595" height="1070")"));
    EXPECT_THAT(svg, HasSubstr(R"(<rect x="0" y="0" width="1595" height="1070" fill="#000000"/>)"));
    EXPECT_THAT(svg, HasSubstr("fill=\"#FFFFFF\">12\u00B0 &amp; &lt;</text>"));
    EXPECT_THAT(svg,
                HasSubstr(R"(<line x1="0" y1="0" x2="25" y2="50" fill="none" stroke="#00FF00")"));
    EXPECT_THAT(svg, HasSubstr(R"(<circle cx="250" cy="125" r="75" fill="none" stroke="#FFFFFF")"));
}

} // namespace
} // namespace astrodesk
