#include "app/chart_page.hpp"
#include "app/shell_fixture.hpp"
#include "maps/draw_maps.hpp"
#include "support/text_layout.hpp"

#include <gmock/gmock.h>
#include <tuple>

namespace astrodesk::testing {
namespace {

using MainMenuTest = ShellTest;

TEST_F(MainMenuTest, TheChartChoicesWaitForTheFirstHoroscopeOfThePresentMoment) {
    const Choice chartChoices[] = {Choice::ChartWheel, Choice::Interpret, Choice::DrawMaps,
                                   Choice::Techniques};
    EXPECT_EQ(std::tie(record.ChartName, record.ChartDate, record.ChartTime),
              std::tuple("current time", "10-02-1993", "20:15:30"));
    for (Choice choice : chartChoices)
        EXPECT_FALSE(forms.Enabled(choice));
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    EXPECT_TRUE(output.Pages().empty()) << "no chart yet";

    shell.mainMenu.Command1_Click(Choice::Horoscope);
    for (Choice choice : chartChoices)
        EXPECT_TRUE(forms.Enabled(choice));
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    ASSERT_EQ(output.Pages().size(), 2u);
    EXPECT_FALSE(output.Pages()[1].screenItems.empty());
    EXPECT_TRUE(forms.menuVisible);
}

// A chart outside 1600 to 2400 A.D. is told in one message box while its listing is on screen;
// the listing is the one the command line prints, and the wheel of that chart tells nothing more.
TEST_F(MainMenuTest, AChartOutsideTheSeriesSpanIsToldOnceOverItsListing) {
    const auto boxesAfterHoroscope = [&](const std::string& date, std::int16_t era) {
        std::tie(record.ChartDate, record.ChartEra) = std::tuple(date, era);
        dialogs.messageBoxes.clear();
        shell.mainMenu.Command1_Click(Choice::Horoscope);
        return dialogs.messageBoxes;
    };
    EXPECT_TRUE(boxesAfterHoroscope("01-01-1600", 0).empty());
    EXPECT_TRUE(boxesAfterHoroscope("31-12-2399", 0).empty());
    const auto boxes = boxesAfterHoroscope("15-06-1500", 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_THAT(boxes[0].text,
                ::testing::HasSubstr("15-06-1500 A.D. LIES OUTSIDE 1600 TO 2400 A.D."));
    RecordingOutputScreen headless;
    ShowChartPage(state, headless);
    EXPECT_EQ(output.Pages().back().screenText, headless.Pages().back().screenText);
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    EXPECT_EQ(dialogs.messageBoxes.size(), 1u);
    EXPECT_THAT(boxesAfterHoroscope("15-06-0044", 1).at(0).text,
                ::testing::HasSubstr("15-06-0044 B.C."));
    EXPECT_EQ(boxesAfterHoroscope("01-01-2401", 0).size(), 1u);
}

// With hard copy on, the reading also goes to the printer the program was given.
TEST_F(MainMenuTest, InterpretReadsTheChartOnScreenAndOnPaper) {
    for (const TextFileLayout& file : InterpretationTextFiles())
        dataFiles.Write(file.name, file.blocks.back().last);
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    options.HardCopy = 1;
    shell.mainMenu.Command1_Click(Choice::Interpret);
    EXPECT_EQ(output.Pages().back().screenText[0], "THIS IS THE END OF THE INTERPRETATION");
    EXPECT_EQ(paper.pages.at(0).at(0), "NAME = current time");
    EXPECT_EQ(paper.documentsEnded, 1);
    EXPECT_TRUE(forms.menuVisible);
}

// A map that cannot be drawn (a gnomic World, a chart not seen from the Earth, a damaged map
// file) is told in a message box, and the output screen is laid out for the listing again: the
// whole Screen, the legend panel hidden with nothing left in it.
TEST_F(MainMenuTest, ARefusedMapIsToldAndRestoresTheOutputScreen) {
    using ::testing::Eq;
    using ::testing::HasSubstr;
    struct Case {
        // Area 1 the U.K., 2 the World; projection 0 gnomic; centre 0 the Sun.
        std::int16_t area, projection, centre;
        const char* title;
        ::testing::Matcher<std::string> text;
    };
    const std::int16_t geocentric = options.CentreBody;
    const Case cases[] = {
        {2, 0, geocentric, kGnomicWorldTitle, Eq(kGnomicWorldText)},
        {1, 0, 0, kNotGeocentricTitle, Eq(kNotGeocentricText)},
        {1, 0, geocentric, kMapFileErrorTitle, HasSubstr("UKG.MAP ends in record 51")}};
    dataFiles.Write("UKG.MAP", 101);
    for (const Case& c : cases) {
        std::tie(options.MapArea, options.MapProjection, options.CentreBody) =
            std::tuple(c.area, c.projection, c.centre);
        shell.mainMenu.Command1_Click(Choice::Horoscope);
        output.TEXT.Print("SUN-LSP"); // a legend of an earlier map
        const std::size_t pages = output.Pages().size();
        dialogs.messageBoxes.clear();
        shell.mainMenu.Command1_Click(Choice::DrawMaps);
        ASSERT_EQ(dialogs.messageBoxes.size(), 1u) << c.title;
        EXPECT_EQ(dialogs.messageBoxes[0].title, c.title);
        EXPECT_THAT(dialogs.messageBoxes[0].text, c.text);
        EXPECT_EQ(output.Pages().size(), pages) << "no map page";
        EXPECT_EQ(state.maps.LoadedMapFile, "");
        EXPECT_FALSE(output.TEXT.Visible);
        EXPECT_TRUE(output.TEXT.Items().empty());
        EXPECT_EQ(std::tie(output.Screen.Left, output.Screen.Width), std::tuple(0.0, 638.0));
        EXPECT_TRUE(forms.menuVisible);
    }
}

TEST_F(MainMenuTest, NewChartResetsTheModesButKeepsTheChartOptions) {
    auto kept = std::tie(options.CentreBody, options.OrbDegrees, options.HouseSystem,
                         options.MapArea, options.MapType, options.MapProjection);
    auto reset = std::tie(options.Technique, options.Zodiac, options.TimesArrow,
                          options.RelationshipChart, options.ClockOn, record.ChartEra);
    kept = std::tuple(0, 9, 4, 8, 2, 1);
    reset = std::tuple(3, 1, 1, 1, 0, 1);
    shell.mainMenu.Command1_Click(Choice::NewChart);
    EXPECT_EQ(kept, std::tuple(0, 9, 4, 8, 2, 1));
    EXPECT_EQ(reset, std::tuple(0, 0, 0, 0, 1, 0));
    EXPECT_EQ(forms.entryTexts[EntryField::Name], "CURRENT TIME");
    EXPECT_TRUE(forms.entryVisible && !forms.menuVisible);
}

// The hard-copy question, then (after Yes) the print-screen question; Cancel changes nothing.
TEST_F(MainMenuTest, PrinterAnswersSetTheHardCopyFlags) {
    using enum MessageAnswer;
    struct Case {
        std::vector<MessageAnswer> answers;
        int hardCopy, printScreenKey; // expected, starting from 0 and the given key
        std::int16_t keyBefore;
    };
    const Case cases[] = {{{No}, 0, 0, 1},      {{Cancel}, 0, 1, 1},  {{Yes, Yes}, 1, 1, 0},
                          {{Yes, No}, 1, 1, 1}, {{Yes, No}, 1, 0, 0}, {{Yes, Cancel}, 1, 0, 0}};
    for (const Case& c : cases) {
        options.HardCopy = 0;
        options.PrintScreenKey = c.keyBefore;
        dialogs.messageAnswers.assign(c.answers.begin(), c.answers.end());
        dialogs.messageBoxes.clear();
        shell.mainMenu.Command1_Click(Choice::Printer);
        EXPECT_EQ(std::tie(options.HardCopy, options.PrintScreenKey),
                  std::tuple(c.hardCopy, c.printScreenKey));
        EXPECT_EQ(dialogs.messageBoxes.size(), c.answers.size());
        EXPECT_TRUE(forms.menuVisible);
    }
}

TEST_F(MainMenuTest, QuitAnsweredCancelChangesNothing) {
    dialogs.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    shell.mainMenu.Command1_Click(Choice::Quit);
    EXPECT_EQ(dialogs.messageBoxes.at(0).text, "OK to Exit?");
    EXPECT_FALSE(forms.quit);
    EXPECT_TRUE(forms.menuVisible);
    shell.mainMenu.Command1_Click(Choice::Quit);
    EXPECT_TRUE(forms.quit);
}

} // namespace
} // namespace astrodesk::testing
