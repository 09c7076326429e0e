#include "shell/output_screen.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace astrodesk {
namespace {

using Lines = std::vector<std::string>;

// A box of 80 columns of 8 pixels and 10 rows, in pixel coordinates.
PictureBox TextBox() {
    return PictureBox(640.0, 10 * PictureBox::kLineHeight);
}

TEST(PrintedNumberTest, FollowsTheGeneralFormat) {
    EXPECT_EQ(PrintedNumber(0.5), " .5 ");
    EXPECT_EQ(PrintedNumber(-0.25), "-.25 ");
    EXPECT_EQ(PrintedNumber(1.5), " 1.5 ");
    EXPECT_EQ(PrintedNumber(12.0), " 12 ");
    EXPECT_EQ(PrintedNumber(0.0), " 0 ");
    EXPECT_EQ(PrintedNumber(-0.0), " 0 ");
    EXPECT_EQ(GeneralNumberText(1.0 / 3.0), ".333333333333333");
    EXPECT_EQ(GeneralNumberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralNumberText(1e15), "1E+15");
    EXPECT_EQ(GeneralNumberText(1e16), "1E+16");
    EXPECT_EQ(GeneralNumberText(0.0001), ".0001");
    EXPECT_EQ(GeneralNumberText(0.00001), "1E-05");
    EXPECT_EQ(GeneralNumberText(-1.5e-7), "-1.5E-07");
    EXPECT_EQ(PrintedNumber(std::numeric_limits<double>::quiet_NaN()), " UNDEFINED ");
}

TEST(PictureBoxTextTest, ZonesJoinsAndEmptyLines) {
    PictureBox box = TextBox();
    box.Print("PLANET", After::NextZone);
    box.Print("LONGITUDE", After::NextZone);
    box.Print("", After::NextZone); // an empty item skips a zone
    box.Print("LATITUDE");
    box.PrintEmptyLine();
    box.Print("A", After::Join);
    box.PrintNumber(-0.25, After::Join);
    box.Print("B");
    box.Print(std::string(14, 'x'), After::NextZone); // already at a zone start: the next one
    box.Print("C");
    EXPECT_EQ(box.TextLines(), (Lines{"PLANET        LONGITUDE                   LATITUDE", "",
                                      "A-.25 B", "xxxxxxxxxxxxxx              C"}));
}

TEST(PictureBoxTextTest, WrapsAtTheLastColumn) {
    PictureBox box = TextBox();
    const std::string full(80, 'a');
    box.Print(full, After::Join);
    box.Print("next");
    box.Print(full); // the line end after a full line adds no empty line
    box.Print(std::string(75, 'b'), After::Join);
    box.Print("0123456789", After::NextZone);         // runs over; the rest is on the next line
    box.Print(std::string(60, 'c'), After::NextZone); // past the last zone: a new line
    box.Print("d");
    EXPECT_EQ(box.TextLines(), (Lines{full, "next", full, std::string(75, 'b') + "01234",
                                      "56789         " + std::string(60, 'c'), "d"}));
}

TEST(PictureBoxTextTest, OpenLineIsEndedByAnEmptyPrintAndClsStartsAfresh) {
    PictureBox box = TextBox();
    box.Print("CUSP 5", After::NextZone);
    box.PrintEmptyLine(); // ends the open line without an empty line of its own
    box.PrintEmptyLine();
    EXPECT_EQ(box.TextLines(), (Lines{"CUSP 5", ""}));
    box.Cls();
    EXPECT_TRUE(box.Items().empty());
    EXPECT_TRUE(box.TextLines().empty());
    box.Print("TOP");
    EXPECT_EQ(box.TextLines(), Lines{"TOP"});
}

TEST(PictureBoxTextTest, RowsBelowTheBottomEdgeAreNotOnThePage) {
    PictureBox box(640.0, 2.5 * PictureBox::kLineHeight);
    for (const char* text : {"1", "2", "3", "4"})
        box.Print(text);
    EXPECT_EQ(box.TextLines(), (Lines{"1", "2", "3"}));
}

TEST(PictureBoxCoordinatesTest, UserUnitsByCornerValues) {
    PictureBox box(640.0, 450.0);
    box.Scale(-100.0, 100.0, 100.0, -100.0); // y grows upward
    box.Cls();
    EXPECT_DOUBLE_EQ(box.CurrentX, -100.0);
    EXPECT_DOUBLE_EQ(box.CurrentY, 100.0);
    box.Print("AB", After::Join); // two columns of 8 pixels = 5 user units
    EXPECT_DOUBLE_EQ(box.CurrentX, -95.0);
    box.PrintEmptyLine();
    EXPECT_DOUBLE_EQ(box.CurrentY, 100.0 - 200.0 * PictureBox::kLineHeight / 450.0);

    box.Line(-100.0, 100.0, 0.0, 0.0, kRed);
    box.Circle(0.0, 50.0, 10.0, kGreen); // radius along x: 10 units = 32 pixels
    box.Dot(100.0, -100.0, kYellow);
    box.PaintPicture(Glyph{}, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(box.CurrentX, 100.0);
    EXPECT_DOUBLE_EQ(box.CurrentY, -100.0);

    const auto& items = box.Items();
    ASSERT_EQ(items.size(), 5u);
    const auto& line = std::get<LineItem>(items[1]);
    EXPECT_DOUBLE_EQ(line.x1, 0.0);
    EXPECT_DOUBLE_EQ(line.y1, 0.0);
    EXPECT_DOUBLE_EQ(line.x2, 320.0);
    EXPECT_DOUBLE_EQ(line.y2, 225.0);
    EXPECT_EQ(line.colour, kRed);
    const auto& circle = std::get<CircleItem>(items[2]);
    EXPECT_DOUBLE_EQ(circle.cy, 112.5);
    EXPECT_DOUBLE_EQ(circle.radius, 32.0);
    EXPECT_DOUBLE_EQ(std::get<DotItem>(items[3]).y, 450.0);
    EXPECT_DOUBLE_EQ(std::get<GlyphItem>(items[4]).x, 320.0);

    box.Scale(0.0, 0.0, 0.0, 10.0); // no area: ignored
    box.Dot(100.0, -100.0, kYellow);
    EXPECT_DOUBLE_EQ(std::get<DotItem>(box.Items().back()).x, 640.0);
}

TEST(PaletteTest, SixteenColoursRepeating) {
    const auto hex = [](int colour) {
        const Rgb rgb = PaletteRgb(colour);
        return (rgb.r << 16) | (rgb.g << 8) | rgb.b;
    };
    const std::vector<int> expected{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                    0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                    0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int colour = 0; colour < 16; ++colour)
        EXPECT_EQ(hex(colour), expected[static_cast<std::size_t>(colour)]) << colour;
    EXPECT_EQ(hex(kYellow + 16), 0xFFFF00);
    EXPECT_EQ(hex(-1), 0xFFFFFF);
}

TEST(Latin1ToUtf8Test, DegreeSignBecomesTwoBytes) {
    EXPECT_EQ(Latin1ToUtf8(std::string("15") + kDegreeSign + " AR"), "15\u00B0 AR");
    EXPECT_EQ(Latin1ToUtf8("plain"), "plain");
}

TEST(OutputScreenTest, EachContinueEndsOneWaitOnACleanScreen) {
    RecordingOutputScreen output;
    output.Screen.Print("PAGE 1");
    output.TEXT.Print("LEGEND");
    output.WaitForContinue();
    EXPECT_EQ(output.ContinueFlag, 1);
    EXPECT_TRUE(output.Screen.Items().empty());
    output.Screen.Print("PAGE 2");
    output.WaitForContinue();

    ASSERT_EQ(output.Pages().size(), 2u);
    EXPECT_EQ(output.Pages()[0].screenText, Lines{"PAGE 1"});
    EXPECT_EQ(output.Pages()[0].legendItems.size(), 1u);
    EXPECT_EQ(output.Pages()[1].screenText, Lines{"PAGE 2"});
}

// A screen whose user needs two looks before pressing CONTINUE; an early press does not count.
class HesitantOutputScreen : public OutputScreen {
  public:
    int looks = 0;

  protected:
    void AwaitContinue() override {
        if (++looks == 2) Command1_Click();
    }
};

TEST(OutputScreenTest, WaitsUntilContinueIsPressed) {
    HesitantOutputScreen output;
    output.Command1_Click(); // pressed before the page exists
    output.Screen.Print("PAGE");
    output.WaitForContinue();
    EXPECT_EQ(output.looks, 2);
    EXPECT_EQ(output.ContinueFlag, 1);
    EXPECT_TRUE(output.Screen.TextLines().empty());
}

} // namespace
} // namespace astrodesk
