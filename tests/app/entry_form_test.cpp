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

// A refused answer asks again, pre-filled with the text the form shows; an accepted one is kept
// as typed and shown (a name cut to 25 characters); an empty answer (or Cancel) gives the field
// up, leaving in the record what the form shows.
TEST_F(EntryFormTest, TheInputBoxAsksUntilAnAnswerIsAcceptedOrGivenUp) {
    Enter(EntryField::Date, {"32-01-2000", "10/02/1993", "29-02-1999"});
    ASSERT_EQ(dialogs.inputBoxes.size(), 3u);
    for (const auto& box : dialogs.inputBoxes)
        EXPECT_EQ(box.prefill, "10-02-1993");
    EXPECT_EQ(record.ChartDate, "29-02-1999");
    EXPECT_EQ(forms.entryTexts[EntryField::Date], "29-02-1999");
    EXPECT_TRUE(dialogs.messageBoxes.empty()) << "a refusal shows no message";
    Enter(EntryField::Latitude, {"90N00", "51n32"});
    EXPECT_EQ(record.ChartLatitude, "51n32") << "kept in the case typed";

    const std::string name = "ALEXANDRA CONSTANTINOPOULOU-SMITH";
    Enter(EntryField::Name, {name});
    EXPECT_EQ(record.ChartName, name);
    EXPECT_EQ(forms.entryTexts[EntryField::Name], name.substr(0, 25));
    Enter(EntryField::Name, {""});
    EXPECT_EQ(dialogs.inputBoxes[0].prefill, name.substr(0, 25));
    EXPECT_EQ(record.ChartName, name.substr(0, 25));
    record.ChartDate = "01-01-2001";
    Enter(EntryField::Date, {"99-99-9999", ""});
    EXPECT_EQ(dialogs.inputBoxes.size(), 2u);
    EXPECT_EQ(record.ChartDate, "29-02-1999");
}

// The clock shows the present moment (in the A.D. era) until a date, a time or the B.C. era is
// entered, or the time box is answered at all (OK on the time it shows, or Cancel).
TEST_F(EntryFormTest, TheClockFollowsNowUntilATimeOrBeforeChristIsEntered) {
    Enter(EntryField::Date, {""});
    EXPECT_EQ(options.ClockOn, 1) << "a date given up leaves the clock running";
    Enter(EntryField::Time, {""});
    EXPECT_EQ(options.ClockOn, 0);
    options.ClockOn = 1;
    Enter(EntryField::Era, {"a.d.", "B"});
    EXPECT_EQ(std::tie(record.EraText, record.ChartEra, options.ClockOn), std::tuple("B.C.", 1, 0));
    options.ClockOn = 1;
    clock.reading = {2024, 7, 4, 9, 5, 1};
    entry.Timer1_Timer();
    EXPECT_EQ(forms.entryTexts[EntryField::Time], "09:05:01");
    EXPECT_EQ(forms.entryTexts[EntryField::Date], "04-07-2024");
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "A.D.");
    EXPECT_EQ(record.ChartEra, 0);

    Enter(EntryField::Time, {"09:05:01"}); // OK on the pre-filled box
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
    EXPECT_TRUE(forms.menuVisible && !forms.entryVisible);
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
