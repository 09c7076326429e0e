#include "shell/output_screen.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace astrodesk {
namespace {

using Lines = std::vector<std::string>;

TEST(PrintedNumberTest, GeneralFormat) {
    const std::pair<double, const char*> cases[] = {
        {0.5, " .5 "},
        {-0.25, "-.25 "},
        {1.5, " 1.5 "},
        {12.0, " 12 "},
        {-0.0, " 0 "},
        {1.0 / 3.0, " .333333333333333 "},
        {1e15, " 1E+15 "},
        {1e16, " 1E+16 "},
        {123456789012345.0, " 123456789012345 "},
        {0.0001, " .0001 "},
        {0.00001, " 1E-05 "},
        {-1.5e-7, "-1.5E-07 "},
        {std::numeric_limits<double>::quiet_NaN(), " UNDEFINED "}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(PrintedNumber(value), text) << value;
}

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

TEST(PaletteAndTextTest, ColoursRepeat) {
    for (auto [colour, rgb] :
         {std::pair{int{kBrown}, 0x808000}, {kLightGrey + 16, 0xC0C0C0}, {-1, 0xFFFFFF}}) {
        const Rgb found = PaletteRgb(colour);
        EXPECT_EQ(found.r << 16 | found.g << 8 | found.b, rgb) << colour;
    }
}

// Names in any script: zones, wraps and overprints count characters, and never cut one.
TEST(PaletteAndTextTest, ColumnsCountCharactersOfUtf8) {
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

TEST(OutputScreenTest, EachContinueEndsOneWaitOnAClearScreen) {
    HesitantOutputScreen hesitant;
    hesitant.Command1_Click(); // a press before the wait does not end it
    hesitant.Screen.Print("PAGE");
    hesitant.WaitForContinue();
    EXPECT_EQ(hesitant.looks, 2);
    EXPECT_TRUE(hesitant.Screen.Items().empty());

    RecordingOutputScreen recording;
    for (const char* page : {"PAGE 1", "PAGE 2"}) {
        recording.Screen.Print(page);
        recording.WaitForContinue();
        EXPECT_EQ(recording.ContinueFlag, 1);
    }
    ASSERT_EQ(recording.Pages().size(), 2u);
    EXPECT_EQ(recording.Pages()[1].screenText, Lines{"PAGE 2"});
}

TEST(OutputScreenTest, LeavingEndsTheWaitAndIsForgottenByTheNextOne) {
    HesitantOutputScreen leaving;
    leaving.leaveOnPage = 1;
    leaving.Screen.Print("PAGE 1");
    leaving.WaitForContinue();
    EXPECT_TRUE(leaving.LeaveRequested());
    EXPECT_EQ(leaving.ContinueFlag, 1);
    EXPECT_TRUE(leaving.Screen.Items().empty());
    leaving.WaitForContinue();
    EXPECT_FALSE(leaving.LeaveRequested());
}

} // namespace
} // namespace astrodesk
