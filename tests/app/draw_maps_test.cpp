// DRAW MAPS from the main menu: the legend panel beside the narrowed Screen while the map waits,
// the full Screen back afterwards (not after a refusal), the refusals in order, and a damaged
// map file named.

#include "app/shell_doubles.hpp"
#include "maps/draw_maps.hpp"

#include <gtest/gtest.h>
#include <tuple>

namespace astrodesk::testing {
namespace {

// Remembers the layout of the output form at each wait.
class LayoutRecordingOutput : public RecordingOutputScreen {
  public:
    std::vector<std::tuple<bool, double, double>> layouts; // TEXT shown, Screen left and width

  protected:
    void AwaitContinue() override {
        layouts.emplace_back(TEXT.Visible, Screen.Left, Screen.Width);
        RecordingOutputScreen::AwaitContinue();
    }
};

struct DrawMapsTest : ::testing::Test {
    FakeForms forms;
    ScriptedDialogs dialogs;
    SettableClock clock;
    ScratchDataFiles dataFiles;
    LayoutRecordingOutput output;
    Shell shell{Services{clock, dialogs, dataFiles}, forms, output};
    ProgramState& state = shell.state;

    void SetUp() override {
        shell.mainMenu.Main();
        dataFiles.Write("UKG.MAP", 2 * kMapRecords);
        state.options.MapArea = 1; // U.K., gnomic
    }
    void ComputeChart(std::int16_t centre) {
        state.options.CentreBody = centre;
        shell.mainMenu.Command1_Click(Choice::Horoscope);
    }
    void ExpectFullScreen() const {
        EXPECT_FALSE(output.TEXT.Visible);
        EXPECT_EQ(output.Screen.Left, 0.0);
        EXPECT_EQ(output.Screen.Width, 638.0);
        EXPECT_EQ(output.Screen.ForeColour, kWhite);
        EXPECT_TRUE(forms.menuVisible);
    }
};

TEST_F(DrawMapsTest, MapWaitsBesideItsLegendAndLeavesTheWholeScreen) {
    ComputeChart(3);
    state.options.MapType = 2; // pair lines
    shell.mainMenu.Command1_Click(Choice::DrawMaps);
    ASSERT_EQ(output.layouts.size(), 2u) << "the listing, then the map";
    EXPECT_EQ(output.layouts[1], std::tuple(true, 217.0, 421.0));
    EXPECT_FALSE(output.Pages()[1].legendItems.empty());
    EXPECT_TRUE(dialogs.messageBoxes.empty());
    EXPECT_EQ(state.maps.LoadedMapFile, "UKG.MAP");
    ExpectFullScreen();
}

TEST_F(DrawMapsTest, RefusalsComeInOrderAndDrawNothing) {
    ComputeChart(0); // heliocentric
    state.options.MapArea = kWorldArea;
    state.options.MapProjection = 0;
    shell.mainMenu.Command1_Click(Choice::DrawMaps);
    ASSERT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_EQ(dialogs.messageBoxes[0].title, kNotGeocentricTitle);
    EXPECT_EQ(dialogs.messageBoxes[0].text, kNotGeocentricText);
    EXPECT_EQ(dialogs.messageBoxes[1].title, kGnomicWorldTitle);
    EXPECT_EQ(dialogs.messageBoxes[1].text, kGnomicWorldText);
    EXPECT_EQ(output.layouts.size(), 1u) << "only the listing waited";

    // Without a chart a geocentric centre and an allowed map are refused without a word; the
    // legend panel and the narrowed Screen stay laid out.
    state.working.ChartReady = 0;
    state.working.ChartCentre = 3;
    state.options.MapArea = 1;
    shell.mainMenu.Command1_Click(Choice::DrawMaps);
    EXPECT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_EQ(output.layouts.size(), 1u);
    EXPECT_TRUE(output.TEXT.Visible);
    EXPECT_EQ(output.Screen.Left, 217.0);
    EXPECT_EQ(output.Screen.Width, 421.0);
}

TEST_F(DrawMapsTest, DamagedMapFileIsNamedAndNoMapIsDrawn) {
    ComputeChart(3);
    dataFiles.Write("UKG.MAP", 101);
    shell.mainMenu.Command1_Click(Choice::DrawMaps);
    ASSERT_EQ(dialogs.messageBoxes.size(), 1u);
    EXPECT_EQ(dialogs.messageBoxes[0].title, kMapFileErrorTitle);
    EXPECT_NE(dialogs.messageBoxes[0].text.find("UKG.MAP ends in record 51"), std::string::npos)
        << dialogs.messageBoxes[0].text;
    EXPECT_EQ(output.layouts.size(), 1u);
    EXPECT_EQ(state.maps.LoadedMapFile, "");
    ExpectFullScreen();
}

} // namespace
} // namespace astrodesk::testing
