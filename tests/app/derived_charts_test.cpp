// "&HOROSCOPE" for a technique or a relationship chart: the modal entry of the target or of the
// second person, the locked fields, the message boxes, and what the record and the entry form
// show afterwards.

#include "app/shell_fixture.hpp"
#include "chart/relationship.hpp"
#include "chart/techniques.hpp"

#include <tuple>

namespace astrodesk::testing {
namespace {

struct DerivedChartsTest : ShellTest {
    void SetUp() override {
        ShellTest::SetUp();
        record.ChartName = "ANN";
        record.ChartLatitude = "51N32";
        record.ChartLongitude = "000W08";
        shell.entryForm.ShowRecord();
        shell.mainMenu.Command1_Click(Choice::Horoscope); // the natal chart of 10-02-1993
    }
    // On the modal entry form: the answers typed into the fields given, then "ALL &DONE".
    void EnterOnModalForm(std::vector<std::pair<EntryField, std::string>> entries) {
        forms.modalEntry = [this, entries] {
            for (const auto& [field, answer] : entries) {
                dialogs.inputAnswers = {answer};
                shell.entryForm.Command1_Click(field);
            }
            shell.entryForm.Command2_Click();
            EXPECT_FALSE(forms.menuVisible) << "the menu stays hidden until the chart is done";
        };
    }
};

TEST_F(DerivedChartsTest, ATechniqueTakesItsTargetWithNameAndPlaceLocked) {
    options.Technique = kProgressions;
    record.ChartName = "SOMEONE ELSE";
    record.ChartLatitude = "00N00";
    std::map<EntryField, bool> enabledWhileEntered;
    EnterOnModalForm({{EntryField::Name, "EVE"}, {EntryField::Date, "10-02-2023"}});
    const auto enter = forms.modalEntry;
    forms.modalEntry = [&] {
        enabledWhileEntered = forms.entryChoiceEnabled;
        EXPECT_EQ(forms.entryTexts[EntryField::Latitude], "51N32") << "the base chart's place";
        enter();
    };
    shell.mainMenu.Command1_Click(Choice::Horoscope);

    for (EntryField field : {EntryField::Name, EntryField::Latitude, EntryField::Longitude}) {
        EXPECT_FALSE(enabledWhileEntered[field]);
        EXPECT_TRUE(forms.entryChoiceEnabled[field]) << "enabled again afterwards";
    }
    EXPECT_FALSE(enabledWhileEntered.contains(EntryField::Date));
    ASSERT_EQ(dialogs.inputBoxes.size(), 1u) << "no input box for the locked name";
    EXPECT_EQ(output.Pages().size(), 2u);
    // Thirty years progress by thirty days; name and place stay the natal chart's.
    EXPECT_EQ(std::tie(record.ChartName, record.ChartDate, record.ChartLatitude),
              std::tuple("ANN", "12-03-1993", "51N32"));
    EXPECT_EQ(forms.entryTexts[EntryField::Date], "10-02-2023") << "the box keeps the target";
    EXPECT_TRUE(forms.menuVisible);
}

TEST_F(DerivedChartsTest, TheTargetIsTheMomentTheBoxesShowEraIncluded) {
    options.Technique = kTransits;
    record.ChartEra = 1; // as a technique chart in the B.C. era leaves it
    EnterOnModalForm({});
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    EXPECT_EQ(std::tie(record.ChartDate, record.ChartTime, record.ChartEra, record.EraText),
              std::tuple("10-02-1993", "20:15:30", 0, "A.D."));
}

TEST_F(DerivedChartsTest, AMomentThatCannotBeChartedIsRefusedAndTheNatalChartKept) {
    const Snapshots natal = state.snapshots;
    options.Technique = kTransits;
    options.TimesArrow = 1;
    EnterOnModalForm({{EntryField::Date, "01-01-9999"}, {EntryField::Era, "B"}});
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    ASSERT_EQ(dialogs.messageBoxes.size(), 1u);
    EXPECT_EQ(dialogs.messageBoxes[0].text, TechniqueRefusal(TechniqueOutcome::OutsideEntryRange));
    EXPECT_EQ(output.Pages().size(), 1u);
    EXPECT_EQ(state.snapshots.NatalT, natal.NatalT);
    EXPECT_EQ(state.snapshots.NatalRecord.ChartDate, natal.NatalRecord.ChartDate);
    EXPECT_TRUE(forms.entryChoiceEnabled[EntryField::Name]);
    EXPECT_TRUE(forms.menuVisible);

    // Relationship mode without a relationship chart asks for no target at all.
    options.RelationshipChart = 1;
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    EXPECT_EQ(dialogs.messageBoxes.back().text,
              TechniqueRefusal(TechniqueOutcome::NoRelationshipBase));
    EXPECT_EQ(forms.modalEntries, 1);
}

TEST_F(DerivedChartsTest, TheRelationshipChartAsksForTheSecondPersonThenCombinesBoth) {
    options.RelationshipChart = 1;
    EnterOnModalForm({{EntryField::Name, "BOB"},
                      {EntryField::Date, "01-06-1990"},
                      {EntryField::Time, "06:00:00"},
                      {EntryField::Latitude, "40N43"},
                      {EntryField::Longitude, "074W00"}});
    dialogs.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok};
    shell.mainMenu.Command1_Click(Choice::Horoscope);

    ASSERT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_EQ(std::tie(dialogs.messageBoxes[0].text, dialogs.messageBoxes[0].title),
              std::tuple("ENTER DATA FOR SECOND PERSON", "RELATIONSHIP CHART"));
    EXPECT_EQ(std::tie(dialogs.messageBoxes[1].text, dialogs.messageBoxes[1].title),
              std::tuple("PRESS FOR RELATIONSHIP CHART", "GREAT CIRCLE METHOD"));
    EXPECT_EQ(output.Pages().size(), 3u) << "natal, second person, relationship";
    EXPECT_EQ(record.ChartName, "ANN & BOB ( REL. )");
    EXPECT_EQ(record.ChartDate, "07-10-1991");
    // The entry form shows the relationship record.
    for (auto [field, text] : {std::pair{EntryField::Name, &record.ChartName},
                               {EntryField::Date, &record.ChartDate},
                               {EntryField::Time, &record.ChartTime},
                               {EntryField::Latitude, &record.ChartLatitude},
                               {EntryField::Longitude, &record.ChartLongitude}})
        EXPECT_EQ(forms.entryTexts[field], *text);
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "A.D.");
    EXPECT_EQ(state.snapshots.NatalRecord.ChartName, "ANN");

    // A technique in relationship mode starts from the relationship chart: transits to its own
    // moment chart it again.
    options.Technique = kTransits;
    EnterOnModalForm({{EntryField::Date, "07-10-1991"}});
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    EXPECT_EQ(output.Pages().back().screenText, output.Pages()[2].screenText);
}

} // namespace
} // namespace astrodesk::testing
