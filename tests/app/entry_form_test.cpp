#include "app/shell_fixture.hpp"

#include <tuple>

namespace astrodesk::testing {
namespace {

struct EntryFormTest : ShellTest {
    EntryForm& entry = shell.entryForm;

    void Enter(EntryField field, std::deque<std::string> answers) {
        dialogs.inputAnswers = std::move(answers);
        dialogs.inputBoxes.clear();
        entry.Command1_Click(field);
    }
};

TEST_F(EntryFormTest, ARefusedAnswerAsksAgainPrefilledWithTheShownText) {
    Enter(EntryField::Date, {"32-01-2000", "10/02/1993", "29-02-1999"});
    ASSERT_EQ(dialogs.inputBoxes.size(), 3u);
    for (const auto& box : dialogs.inputBoxes) {
        EXPECT_EQ(box.title, "PLEASE ENTER REQUIRED DATE (DD-MM-YYYY)");
        EXPECT_EQ(box.text, kEntryPrompt);
        EXPECT_EQ(box.prefill, "10-02-1993");
    }
    EXPECT_EQ(record.ChartDate, "29-02-1999");
    EXPECT_EQ(forms.entryTexts[EntryField::Date], "29-02-1999");
    EXPECT_EQ(options.ClockOn, 0);
    EXPECT_TRUE(dialogs.messageBoxes.empty()) << "a refusal shows no message";

    Enter(EntryField::Latitude, {"90N00", "51n32"});
    EXPECT_EQ(dialogs.inputBoxes[0].title, "PLEASE ENTER THE LATITUDE (DDSMM)");
    EXPECT_EQ(dialogs.inputBoxes[0].text,
              std::string(kEntryPrompt) + "  FOR EXAMPLE ENTER '51N32' OR '07S59'");
    EXPECT_EQ(record.ChartLatitude, "51n32") << "kept in the case typed";
    Enter(EntryField::Longitude, {"179w60"});
    EXPECT_EQ(dialogs.inputBoxes[0].title, "PLEASE ENTER THE LONGITUDE (DDDSMM)");
    EXPECT_EQ(forms.entryTexts[EntryField::Longitude], "179w60");
}

TEST_F(EntryFormTest, AnEmptyAnswerGivesTheFieldUpAndOnlyTheTimeStopsTheClock) {
    record.ChartDate = "01-01-2001"; // the record may differ from what the box shows
    Enter(EntryField::Date, {"99-99-9999", ""});
    EXPECT_EQ(dialogs.inputBoxes.size(), 2u);
    EXPECT_EQ(record.ChartDate, "10-02-1993");
    EXPECT_EQ(options.ClockOn, 1);

    Enter(EntryField::Time, {""});
    EXPECT_EQ(record.ChartTime, "20:15:30");
    EXPECT_EQ(options.ClockOn, 0);
}

TEST_F(EntryFormTest, TheNameIsKeptWholeAndShownCutTo25Characters) {
    const std::string name = "ALEXANDRA CONSTANTINOPOULOU-SMITH";
    Enter(EntryField::Name, {name});
    EXPECT_EQ(dialogs.inputBoxes[0].title, "PLEASE ENTER THE REQUIRED NAME");
    EXPECT_EQ(record.ChartName, name);
    EXPECT_EQ(forms.entryTexts[EntryField::Name], name.substr(0, 25));

    Enter(EntryField::Name, {""});
    EXPECT_EQ(dialogs.inputBoxes[0].prefill, name.substr(0, 25));
    EXPECT_EQ(record.ChartName, name.substr(0, 25)) << "given up: the name is what the box shows";
}

TEST_F(EntryFormTest, TheEraIsNormalisedAndBeforeChristStopsTheClock) {
    Enter(EntryField::Era, {"ANNO"});
    EXPECT_EQ(dialogs.inputBoxes[0].title, "PLEASE ENTER 'A.D.' OR 'B.C.'");
    EXPECT_EQ(std::tie(record.EraText, record.ChartEra, options.ClockOn), std::tuple("A.D.", 0, 1));
    Enter(EntryField::Era, {"a.d.", "B"});
    EXPECT_EQ(std::tie(record.EraText, record.ChartEra, options.ClockOn), std::tuple("B.C.", 1, 0));
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "B.C.");
}

TEST_F(EntryFormTest, TheClockFollowsNowUntilOkOnThePrefilledTimeStopsIt) {
    Enter(EntryField::Era, {"B"});
    options.ClockOn = 1;
    clock.reading = {2024, 7, 4, 9, 5, 1};
    entry.Timer1_Timer();
    EXPECT_EQ(forms.entryTexts[EntryField::Time], "09:05:01");
    EXPECT_EQ(forms.entryTexts[EntryField::Date], "04-07-2024");
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "A.D.");
    EXPECT_EQ(record.ChartEra, 0);

    Enter(EntryField::Time, {"09:05:01"}); // OK on the pre-filled box
    EXPECT_EQ(dialogs.inputBoxes[0].title, "PLEASE ENTER REQUIRED TIME (HH:MM:SS)");
    EXPECT_EQ(options.ClockOn, 0);
    clock.reading.second = 7;
    entry.Timer1_Timer();
    EXPECT_EQ(forms.entryTexts[EntryField::Time], "09:05:01");
    EXPECT_EQ(record.ChartTime, "09:05:01");
}

TEST_F(EntryFormTest, AllDoneTakesTheDateAndTimeShown) {
    shell.mainMenu.Command1_Click(Choice::NewChart);
    entry.Timer1_Timer();
    record.ChartTime = "203000"; // whatever the record holds, the boxes win
    entry.Command2_Click();
    EXPECT_EQ(record.ChartTime, "20:15:30");
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_FALSE(forms.entryVisible);
}

TEST_F(EntryFormTest, AFoundBirthEntersThroughTheFieldRulesAndKeepsTheName) {
    Enter(EntryField::Name, {"ALAN"});
    dialogs.inputBoxes.clear();
    EXPECT_TRUE(entry.EnterFoundBirth("31-12-0044", "23:59:00", "41N54", "012E30", "B.C."));
    EXPECT_EQ(std::tie(record.ChartName, record.ChartDate, record.ChartTime, record.ChartLatitude,
                       record.ChartLongitude, record.EraText, record.ChartEra),
              std::tuple("ALAN", "31-12-0044", "23:59:00", "41N54", "012E30", "B.C.", 1));
    EXPECT_EQ(forms.entryTexts[EntryField::Longitude], "012E30");
    EXPECT_EQ(options.ClockOn, 0) << "a date entered stops the clock";
    EXPECT_TRUE(dialogs.inputBoxes.empty()) << "no input box is asked";

    EXPECT_FALSE(entry.EnterFoundBirth("01-01-2000", "12:00:00", "90N00", "000E00", "A.D."));
    EXPECT_EQ(record.ChartLatitude, "41N54") << "a refused text leaves its field as it was";
}

} // namespace
} // namespace astrodesk::testing
