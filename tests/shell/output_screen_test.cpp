#include "shell/output_screen.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace astrodesk {
namespace {

using Lines = std::vector<std::string>;

// 80 columns of 8 pixels, 4.5 rows.
TEST(PictureBoxTextTest, ZonesJoinsLineEndsAndWrapping) {
    PictureBox box(640.0, 4.5 * PictureBox::kLineHeight);
    box.Print("PLANET", After::NextZone);
    box.Print("", After::NextZone);                   // an empty item skips a zone
    box.Print(std::string(14, 'x'), After::NextZone); // ends on a zone start: on to the next
    box.PrintNumber(-0.25, After::Join);
    box.Print("B", After::Join);
    box.PrintEmptyLine(); // ends the open line, then an empty line
    box.PrintEmptyLine();
    box.Print(std::string(80, 'a')); // a line end after a full line adds no empty line
    box.Print(std::string(70, 'b'), After::NextZone); // past the last zone: a new line
    box.Print(std::string(75, 'c'), After::Join);     // runs over the edge and wraps
    box.Print("0123456789");                          // below the bottom edge from "56789"
    EXPECT_EQ(box.TextLines(),
              (Lines{"PLANET                      xxxxxxxxxxxxxx              -.25 B", "",
                     std::string(80, 'a'), std::string(70, 'b'), std::string(75, 'c') + "01234"}));
    box.Cls();
    EXPECT_TRUE(box.Items().empty());
    box.Print("TOP");
    EXPECT_EQ(box.TextLines(), Lines{"TOP"});
}

TEST(PictureBoxCoordinatesTest, UserUnitsByCornerValues) {
    PictureBox box(640.0, 450.0);
    box.Scale(-100.0, 100.0, 100.0, -100.0); // y grows upward
    box.Cls();
    box.Print("AB", After::Join); // two columns of 8 pixels = 5 user units
    EXPECT_DOUBLE_EQ(box.CurrentX, -95.0);
    EXPECT_DOUBLE_EQ(box.CurrentY, 100.0);
    box.PrintEmptyLine();
    EXPECT_DOUBLE_EQ(box.CurrentY, 100.0 - 200.0 * PictureBox::kLineHeight / 450.0);

    box.Line(-100.0, 100.0, 0.0, 0.0, kRed);
    box.Circle(0.0, 50.0, 10.0, kGreen); // radius along x: 10 units = 32 pixels
    box.Scale(0.0, 0.0, 0.0, 10.0);      // no area: ignored
    box.Dot(100.0, -100.0, kYellow);
    EXPECT_DOUBLE_EQ(box.CurrentX, 100.0);
    const auto& line = std::get<LineItem>(box.Items()[1]);
    EXPECT_EQ((std::array{line.x1, line.y1, line.x2, line.y2}),
              (std::array{0.0, 0.0, 320.0, 225.0}));
    const auto& circle = std::get<CircleItem>(box.Items()[2]);
    EXPECT_EQ((std::array{circle.cy, circle.radius}), (std::array{112.5, 32.0}));
    const auto& dot = std::get<DotItem>(box.Items()[3]);
    EXPECT_EQ((std::array{dot.x, dot.y}), (std::array{640.0, 450.0}));
}

// Top-left corner of display item k, a text, in pixels.
std::array<double, 2> TextCorner(const PictureBox& box, std::size_t k) {
    const auto& text = std::get<TextItem>(box.Items()[k]);
    return {text.x, text.y};
}

// Printing goes on where the last print ended only while nothing else has moved the current
// position or changed how user units map to pixels.
TEST(PictureBoxCoordinatesTest, TextFollowsDrawingScalingAndResizing) {
    PictureBox box(640.0, 450.0); // 8 pixels a column; user units are pixels
    box.Print("A", After::Join);
    box.Line(0.0, 0.0, 100.0, 33.0, kRed); // the position moves to the line's end
    box.Print("B", After::Join);
    EXPECT_EQ(TextCorner(box, 2), (std::array{100.0, 33.0}));
    EXPECT_EQ(box.CurrentX, 104.0); // after column 12, the one that holds pixel 100

    box.Scale(0.0, 0.0, 320.0, 225.0); // two pixels a unit
    box.Print("C", After::Join);
    EXPECT_EQ(TextCorner(box, 3), (std::array{208.0, 66.0}));
    EXPECT_EQ(box.CurrentX, 108.0);

    box.Width = 320.0; // one pixel a unit across, four a column
    box.Print("D", After::Join);
    EXPECT_EQ(TextCorner(box, 4), (std::array{108.0, 66.0}));

    // Printing nothing leaves a position between columns as it is (user units to pixels and
    // back are not exact here).
    PictureBox page(638.0, 428.0);
    page.Scale(0.0, 0.0, 640.0, 455.0);
    page.CurrentX = 0.013;
    page.Print("", After::Join);
    EXPECT_EQ(page.CurrentX, 0.013);
    page.Print("E");
    EXPECT_EQ(TextCorner(page, 0)[0], 0.013 * 638.0 / 640.0);
    EXPECT_EQ(page.CurrentX, 0.0);
}

// Names in any script: zones, wraps and overprints count characters, and never cut one.
TEST(PictureBoxTextTest, ColumnsCountCharactersOfUtf8) {
    PictureBox box(640.0, 450.0);
    box.Print("Zoë", After::NextZone);
    box.Print("Ñ");
    std::string greek;
    for (int i = 0; i < 9; ++i)
        greek += "Παπαδόπουλ"; // 90 characters, 180 bytes
    box.Print(greek);
    box.CurrentX = 0.0;
    box.CurrentY = 0.0;
    box.Print("ü", After::Join); // over the Z
    const std::string eighty = greek.substr(0, 160);
    EXPECT_EQ(box.TextLines(), (Lines{"üoë           Ñ", eighty, "Παπαδόπουλ"}));
    EXPECT_EQ(CharacterCount(eighty), 80u);
    EXPECT_EQ(FirstCharacters("Zoë Müller", 3), "Zoë");
    EXPECT_EQ(FirstCharacters("ab", 5), "ab");
}

// A user who looks twice before pressing CONTINUE, or before leaving on the wanted page.
class HesitantOutputScreen : public OutputScreen {
  public:
    int looks = 0;
    int leaveOnPage = 0;

  protected:
    void AwaitContinue() override {
        if (++looks % 2 != 0) return;
        if (looks / 2 == leaveOnPage)
            LeaveOutput();
        else
            Command1_Click();
    }
};

// CONTINUE, or leaving the output (closing its window), ends exactly one wait and clears the
// page; a press before the wait does not end it, and leaving is forgotten by the next wait.
TEST(OutputScreenTest, EachContinueOrLeaveEndsOneWaitOnAClearScreen) {
    HesitantOutputScreen output;
    output.leaveOnPage = 2;
    output.Command1_Click();
    for (int page = 1; page <= 3; ++page) {
        output.Screen.Print("PAGE");
        output.WaitForContinue();
        EXPECT_EQ(output.looks, 2 * page);
        EXPECT_EQ(output.LeaveRequested(), page == 2) << page;
        EXPECT_EQ(output.ContinueFlag, 1);
        EXPECT_TRUE(output.Screen.Items().empty());
    }
}

// The general format by an independent route: the C library's "%.15G", then the zero before
// the point dropped.
std::string LibraryGeneralText(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15G", value);
    std::string general = text;
    const std::size_t digits = general[0] == '-' ? 1 : 0;
    if (general.compare(digits, 2, "0.") == 0) general.erase(digits, 1);
    return general;
}

// Contrast ratios of the palette by the published definition: white on black is the greatest,
// 21:1; navy, maroon and purple on black are about 1.3, 1.9 and 2.2 to 1, grey 5.3 to 1.
TEST(ContrastRatioTest, ThePaletteOnBlack) {
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kGreen, kGreen), 1.0);
    EXPECT_NEAR(ContrastRatio(kBlue, kBlack), 1.31, 0.01);
    EXPECT_NEAR(ContrastRatio(kRed, kBlack), 1.92, 0.01);
    EXPECT_NEAR(ContrastRatio(kMagenta, kBlack), 2.23, 0.01);
    EXPECT_NEAR(ContrastRatio(kDarkGrey, kBlack), 5.32, 0.01);
}

// Random magnitudes, the edges of the fixed notation, and exact halves: a sixteenth significant
// digit that is exactly 5 rounds the fifteenth to even, and a carry can reach a new leading digit
// or the exponent form.
TEST(GeneralNumberTextTest, AgreesWithTheLibraryFromTinyToHugeAndRoundsHalvesToEven) {
    std::mt19937_64 random(1993);
    std::uniform_real_distribution<double> decade(-7.0, 17.0);
    for (int n = 0; n < 200000; ++n) {
        const double value = std::copysign(std::pow(10.0, decade(random)), n % 2 - 0.5);
        ASSERT_EQ(GeneralNumberText(value), LibraryGeneralText(value)) << value;
    }
    for (const double value : {1e-4, std::nextafter(1e-4, 0.0), 1e15, std::nextafter(1e15, 0.0),
                               999999999999999.4, 0.1 + 0.2, 5e-324, 1.7e308, 100000000000000.5,
                               100000000000001.5, -10000000000000.25, 999999999999999.5})
        EXPECT_EQ(GeneralNumberText(value), LibraryGeneralText(value)) << value;
    // q / 2^j is exact; with q x 5^j a sixteen-digit odd number it ends in that 5.
    for (int j = 1; j <= 20; ++j) {
        const double five = std::pow(5.0, j);
        const double lowest = std::ceil(1e15 / five), highest = std::floor(9.99e15 / five);
        std::uniform_real_distribution<double> pick(lowest, highest);
        for (int n = 0; n < 500; ++n) {
            const double q = 2.0 * std::floor(pick(random) / 2.0) + 1.0;
            if (q > highest) continue;
            const double value = std::ldexp(q, -j);
            ASSERT_EQ(GeneralNumberText(value), LibraryGeneralText(value)) << q << " / 2^" << j;
        }
    }
}

// The printed form: a blank or the minus before the number, a blank after it.
TEST(GeneralNumberTextTest, PrintedWithItsSignPlace) {
    for (const auto& [value, text] : {std::pair{0.5, " .5 "},
                                      {-0.25, "-.25 "},
                                      {-0.0, " 0 "},
                                      {-1.5e-7, "-1.5E-07 "},
                                      {std::numeric_limits<double>::quiet_NaN(), " UNDEFINED "}})
        EXPECT_EQ(PrintedNumber(value), text) << value;
}

} // namespace
} // namespace astrodesk
