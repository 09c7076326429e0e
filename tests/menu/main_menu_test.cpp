#include "ephemeris/coefficient_files.hpp"
#include "menu/shell_fixture.hpp"

#include <tuple>

namespace astrodesk::testing {
namespace {

using MainMenuTest = ShellTest;

TEST_F(MainMenuTest, StartUpHoldsThePresentMomentAndDisablesTheChartChoices) {
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_EQ(record.ChartName, "current time");
    EXPECT_EQ(record.ChartDate, "10-02-1993");
    EXPECT_EQ(record.ChartTime, "20:15:30");
    EXPECT_EQ(forms.entryTexts[EntryField::Latitude], "53N28");
    EXPECT_EQ(forms.entryTexts[EntryField::Longitude], "002W13");
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "A.D.");
    EXPECT_EQ(state.bodies.BodyName[1], "THE SUN  ");
    for (Choice choice :
         {Choice::ChartWheel, Choice::Interpret, Choice::DrawMaps, Choice::Techniques})
        EXPECT_FALSE(forms.Enabled(choice));
    EXPECT_TRUE(forms.Enabled(Choice::Horoscope));
    EXPECT_EQ(MainMenuCaption(state), "ASTRODESK 1.0 MAIN MENU");
}

TEST_F(MainMenuTest, AMissingOrShortCoefficientFileStopsStartUpBeforeTheMenu) {
    const std::pair<const char*, int> files[] = {{"PERTURBS.FIL", 503 * 9},
                                                 {"MOONBITS.FIL", 104 * 8}};
    for (const auto& [broken, count] : files) {
        FakeForms freshForms;
        Shell fresh{Services{clock, dialogs, dataFiles}, freshForms, output};
        dataFiles.Write(broken, count - 1);
        EXPECT_THROW(fresh.mainMenu.Main(), DataFileError) << broken;
        dataFiles.Remove(broken);
        try {
            fresh.mainMenu.Main();
            ADD_FAILURE() << broken << " missing, yet started";
        } catch (const DataFileError& error) {
            EXPECT_NE(std::string(error.what()).find(broken), std::string::npos) << error.what();
        }
        EXPECT_FALSE(freshForms.menuVisible);
        dataFiles.Write(broken, count);
    }
}

TEST_F(MainMenuTest, HoroscopeListsAChartAndEnablesTheChartChoices) {
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    ASSERT_EQ(output.Pages().size(), 1u);
    EXPECT_EQ(state.working.ChartReady, 1);
    EXPECT_TRUE(forms.menuVisible);
    for (Choice choice :
         {Choice::ChartWheel, Choice::Interpret, Choice::DrawMaps, Choice::Techniques})
        EXPECT_TRUE(forms.Enabled(choice));
}

TEST_F(MainMenuTest, ChartWheelDrawsTheLastChartOnly) {
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    EXPECT_TRUE(output.Pages().empty()) << "no chart yet";
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    shell.mainMenu.Command1_Click(Choice::ChartWheel);
    ASSERT_EQ(output.Pages().size(), 2u);
    EXPECT_FALSE(output.Pages()[1].screenItems.empty());
    EXPECT_TRUE(forms.menuVisible);
}

TEST_F(MainMenuTest, TechniquesAndRelationshipChartsAreNotInThisVersion) {
    for (auto [technique, relationship] : {std::pair{2, 0}, std::pair{0, 1}}) {
        options.Technique = static_cast<std::int16_t>(technique);
        options.RelationshipChart = static_cast<std::int16_t>(relationship);
        shell.mainMenu.Command1_Click(Choice::Horoscope);
    }
    for (Choice later : {Choice::Interpret, Choice::DrawMaps})
        shell.mainMenu.Command1_Click(later);
    EXPECT_TRUE(output.Pages().empty());
    ASSERT_EQ(dialogs.messageBoxes.size(), 4u);
    EXPECT_EQ(dialogs.messageBoxes[0].text, kNotInThisVersion);
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_EQ(state.working.ChartReady, 0);
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
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "A.D.");
    EXPECT_FALSE(forms.menuVisible);
    EXPECT_TRUE(forms.entryVisible);
}

TEST_F(MainMenuTest, PrinterAnswersSetTheHardCopyFlags) {
    using enum MessageAnswer;
    struct Case {
        std::vector<MessageAnswer> answers;
        int hardCopy, printScreenKey; // expected, starting from 0 and 1
    };
    const Case cases[] = {{{No}, 0, 0},
                          {{Cancel}, 0, 1},
                          {{Yes, Yes}, 1, 1},
                          {{Yes, No}, 1, 1},
                          {{Yes, Cancel}, 1, 1}};
    for (const Case& c : cases) {
        options.HardCopy = 0;
        options.PrintScreenKey = 1;
        dialogs.messageAnswers.assign(c.answers.begin(), c.answers.end());
        dialogs.messageBoxes.clear();
        shell.mainMenu.Command1_Click(Choice::Printer);
        EXPECT_EQ(options.HardCopy, c.hardCopy);
        EXPECT_EQ(options.PrintScreenKey, c.printScreenKey);
        EXPECT_EQ(dialogs.messageBoxes.size(), c.answers.size());
        EXPECT_TRUE(forms.menuVisible);
    }
    EXPECT_EQ(dialogs.messageBoxes[0].text, "DO YOU WANT HARD COPY?");
    EXPECT_EQ(dialogs.messageBoxes[0].title, "PRINTER STATUS");
    EXPECT_EQ(dialogs.messageBoxes[1].text, "DO YOU ALSO WANT TO USE THE PRINTSCREEN KEY?");
    EXPECT_EQ(dialogs.messageBoxes[1].title, "OUTPUT.SCREEN.PRINT GRAPHICS");

    options.HardCopy = 0;
    dialogs.messageAnswers = {Yes, No};
    shell.mainMenu.Command1_Click(Choice::Printer);
    EXPECT_EQ(options.PrintScreenKey, 1) << "a No to the second question keeps the earlier value";
}

TEST_F(MainMenuTest, QuitAnsweredCancelChangesNothing) {
    const ChartRecord before = record;
    dialogs.messageAnswers = {MessageAnswer::Cancel};
    shell.mainMenu.Command1_Click(Choice::Quit);
    EXPECT_FALSE(forms.quit);
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_EQ(record.ChartName, before.ChartName);
    EXPECT_EQ(dialogs.messageBoxes.at(0).text, "OK to Exit?");
    EXPECT_EQ(dialogs.messageBoxes.at(0).title, "");

    dialogs.messageAnswers = {MessageAnswer::Ok};
    shell.mainMenu.Command1_Click(Choice::Quit);
    EXPECT_TRUE(forms.quit);
}

TEST_F(MainMenuTest, OptionChoicesOpenTheirPage) {
    for (Choice page : {Choice::Settings, Choice::MapOptions, Choice::Techniques}) {
        forms.ShowMainMenu();
        shell.mainMenu.Command1_Click(page);
        EXPECT_EQ(options.MenuChoice, static_cast<int>(page));
        EXPECT_EQ(forms.page.menuChoice, static_cast<int>(page));
        EXPECT_TRUE(forms.optionFormOpen);
        EXPECT_FALSE(forms.menuVisible);
    }
}

} // namespace
} // namespace astrodesk::testing
