#include "app/shell_fixture.hpp"
#include "ephemeris/coefficient_files.hpp"
#include "support/paper.hpp"
#include "support/text_layout.hpp"

#include <gmock/gmock.h>
#include <tuple>

namespace astrodesk::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

using MainMenuTest = ShellTest;

constexpr Choice kChartChoices[] = {Choice::ChartWheel, Choice::Interpret, Choice::DrawMaps,
                                    Choice::Techniques};

TEST_F(MainMenuTest, StartUpHoldsThePresentMomentAndDisablesTheChartChoices) {
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_EQ(std::tie(record.ChartName, record.ChartDate, record.ChartTime),
              std::tuple("current time", "10-02-1993", "20:15:30"));
    EXPECT_EQ(forms.entryTexts[EntryField::Latitude], "53N28");
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "A.D.");
    for (Choice choice : kChartChoices)
        EXPECT_FALSE(forms.Enabled(choice));
    EXPECT_TRUE(forms.Enabled(Choice::Horoscope));
}

TEST_F(MainMenuTest, AMissingOrShortCoefficientFileStopsStartUpBeforeTheMenu) {
    FakeForms freshForms;
    Shell fresh{Services{clock, dialogs, dataFiles}, freshForms, output};
    const auto start = [&fresh] { fresh.mainMenu.Main(); };
    dataFiles.Write("MOONBITS.FIL", 104 * 8 - 1);
    EXPECT_THAT(start, ThrowsMessage<DataFileError>(HasSubstr("MOONBITS.FIL")));
    dataFiles.Remove("PERTURBS.FIL");
    EXPECT_THAT(start, ThrowsMessage<DataFileError>(HasSubstr("PERTURBS.FIL")));
    EXPECT_FALSE(freshForms.menuVisible);
}

TEST_F(MainMenuTest, HoroscopeEnablesTheChartChoicesAndTheWheelDrawsItsChart) {
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    EXPECT_TRUE(output.Pages().empty()) << "no chart yet";
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    EXPECT_EQ(state.working.ChartReady, 1);
    for (Choice choice : kChartChoices)
        EXPECT_TRUE(forms.Enabled(choice));
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    ASSERT_EQ(output.Pages().size(), 2u);
    EXPECT_FALSE(output.Pages()[1].screenItems.empty());
    EXPECT_TRUE(forms.menuVisible);
}

TEST_F(MainMenuTest, InterpretReadsTheLastChartOnScreenAndOnPaper) {
    for (const TextFileLayout& file : InterpretationTextFiles())
        dataFiles.Write(file.name, file.blocks.back().last);
    Paper paper;
    FakeForms printingForms;
    Shell printing{Services{clock, dialogs, dataFiles, &paper}, printingForms, output};
    printing.mainMenu.Main();
    printing.mainMenu.Command1_Click(Choice::Interpret);
    ASSERT_EQ(dialogs.messageBoxes.size(), 1u);
    EXPECT_EQ(dialogs.messageBoxes[0].text, "INTERPRETATION ONLY AVAILABLE FOR GEOCENTRIC CHARTS");

    printing.mainMenu.Command1_Click(Choice::Horoscope);
    printing.state.options.HardCopy = 1;
    const std::size_t listingPages = output.Pages().size();
    printing.mainMenu.Command1_Click(Choice::Interpret);
    EXPECT_GT(output.Pages().size(), listingPages + 20);
    EXPECT_EQ(output.Pages().back().screenText[0], "THIS IS THE END OF THE INTERPRETATION");
    EXPECT_EQ(paper.AllLines().front(), "NAME = current time");
    EXPECT_EQ(paper.documentsEnded, 1);
    EXPECT_EQ(printing.state.bodies.BodyAbbrev[5], "EAR");
    EXPECT_TRUE(printingForms.menuVisible);
    EXPECT_EQ(dialogs.messageBoxes.size(), 1u);
}

TEST_F(MainMenuTest, NewChartResetsTheModesButKeepsTheChartOptions) {
    options = {.CentreBody = 0,
               .OrbDegrees = 9,
               .HouseSystem = 4,
               .ClockOn = 0,
               .MapArea = 8,
               .MapType = 2,
               .MapProjection = 1,
               .Technique = 3,
               .Zodiac = 1,
               .TimesArrow = 1,
               .RelationshipChart = 1};
    record.ChartEra = 1;
    shell.mainMenu.Command1_Click(Choice::NewChart);

    EXPECT_EQ(std::tie(options.CentreBody, options.OrbDegrees, options.HouseSystem, options.MapArea,
                       options.MapType, options.MapProjection),
              std::tuple(0, 9, 4, 8, 2, 1));
    EXPECT_EQ(std::tie(options.Technique, options.Zodiac, options.TimesArrow,
                       options.RelationshipChart, options.ClockOn, record.ChartEra),
              std::tuple(0, 0, 0, 0, 1, 0));
    EXPECT_EQ(record.ChartName, "CURRENT TIME");
    EXPECT_EQ(forms.entryTexts[EntryField::Name], "CURRENT TIME");
    EXPECT_FALSE(forms.menuVisible);
    EXPECT_TRUE(forms.entryVisible);
}

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
    EXPECT_EQ(dialogs.messageBoxes[0].text, "DO YOU WANT HARD COPY?");
    EXPECT_EQ(dialogs.messageBoxes[0].title, "PRINTER STATUS");
    EXPECT_EQ(dialogs.messageBoxes[1].text, "DO YOU ALSO WANT TO USE THE PRINTSCREEN KEY?");
    EXPECT_EQ(dialogs.messageBoxes[1].title, "OUTPUT.SCREEN.PRINT GRAPHICS");
}

TEST_F(MainMenuTest, QuitAnsweredCancelChangesNothing) {
    const ChartRecord before = record;
    dialogs.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    shell.mainMenu.Command1_Click(Choice::Quit);
    EXPECT_FALSE(forms.quit);
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_EQ(record.ChartName, before.ChartName);
    EXPECT_EQ(dialogs.messageBoxes.at(0).text, "OK to Exit?");
    EXPECT_EQ(dialogs.messageBoxes.at(0).title, "");

    shell.mainMenu.Command1_Click(Choice::Quit);
    EXPECT_TRUE(forms.quit);
}

} // namespace
} // namespace astrodesk::testing
