#include "shell/output_screen.hpp"

#include <array>
#include <gtest/gtest.h>

namespace astrodesk {
namespace {

// Top-left corner of display item k, a text, in pixels.
std::array<double, 2> TextCorner(const PictureBox& box, std::size_t k) {
    const auto& text = std::get<TextItem>(box.Items()[k]);
    return {text.x, text.y};
}

// Printing goes on where the last print ended only while nothing else has moved the current
// position or changed how user units map to pixels.
TEST(PrintPositionTest, TextFollowsDrawingScalingAndResizing) {
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
}

TEST(PrintPositionTest, PrintingNothingLeavesAPositionBetweenColumnsAsItIs) {
    PictureBox box(638.0, 428.0);
    box.Scale(0.0, 0.0, 640.0, 455.0); // user units to pixels and back are not exact
    box.CurrentX = 0.013;
    box.Print("", After::Join);
    EXPECT_EQ(box.CurrentX, 0.013);
    box.Print("E");
    EXPECT_EQ(std::get<TextItem>(box.Items()[0]).x, 0.013 * 638.0 / 640.0);
    EXPECT_EQ(box.CurrentX, 0.0);
}

} // namespace
} // namespace astrodesk
