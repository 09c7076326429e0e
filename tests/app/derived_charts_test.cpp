// "&HOROSCOPE" for a technique or a relationship chart: the modal entry of the target or of the
// second person, the locked fields, the message boxes, and what the record and the entry form
// show afterwards.

#include "app/shell_fixture.hpp"
#include "chart/techniques.hpp"

#include <tuple>

namespace astrodesk::testing {
namespace {

// Ann's natal chart of 10-02-1993 20:15:30 at the start-up place.
struct DerivedChartsTest : ShellTest {
    void SetUp() override {
        ShellTest::SetUp();
        record.ChartName = "ANN";
        shell.mainMenu.Command1_Click(Choice::Horoscope);
    }
    // On the modal entry form: each answer typed into its field, then "ALL &DONE".
    void EnterOnModalForm(std::vector<std::pair<EntryField, std::string>> entries) {
        forms.modalEntry = [this, entries] {
            enabledWhileEntered = forms.entryChoiceEnabled;
            for (const auto& [field, answer] : entries) {
                dialogs.inputAnswers = {answer};
                shell.entryForm.Command1_Click(field);
            }
            shell.entryForm.Command2_Click();
            EXPECT_FALSE(forms.menuVisible) << "the menu stays hidden until the chart is done";
        };
    }
    std::map<EntryField, bool> enabledWhileEntered;
};

TEST_F(DerivedChartsTest, ATechniqueTakesItsTargetWithNameAndPlaceLocked) {
    options.Technique = kProgressions;
    record.ChartName = "SOMEONE ELSE";
    record.ChartEra = 1; // as a technique chart in the B.C. era leaves it; the box shows A.D.
    EnterOnModalForm({{EntryField::Name, "EVE"}, {EntryField::Date, "10-02-2023"}});
    shell.mainMenu.Command1_Click(Choice::Horoscope);

    for (EntryField field : {EntryField::Name, EntryField::Latitude, EntryField::Longitude}) {
        EXPECT_FALSE(enabledWhileEntered[field]);
        EXPECT_TRUE(forms.entryChoiceEnabled[field]) << "enabled again afterwards";
    }
    EXPECT_EQ(dialogs.inputBoxes.size(), 1u) << "no input box for the locked name";
    // Thirty years progress by thirty days; the name stays the natal chart's.
    EXPECT_EQ(std::tie(record.ChartName, record.ChartDate, record.EraText),
              std::tuple("ANN", "12-03-1993", "A.D."));
    EXPECT_EQ(forms.entryTexts[EntryField::Date], "10-02-2023") << "the box keeps the target";
    EXPECT_EQ(output.Pages().size(), 2u);
    EXPECT_TRUE(forms.menuVisible);
}

// A moment that cannot be charted is refused in a message box and the natal chart is kept;
// relationship mode before any relationship chart asks for no target at all.
TEST_F(DerivedChartsTest, ARefusedTechniqueKeepsTheNatalChart) {
    const double natalT = state.snapshots.NatalT;
    options.Technique = kTransits;
    options.TimesArrow = 1;
    EnterOnModalForm({{EntryField::Date, "01-01-9999"}, {EntryField::Era, "B"}});
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    options.RelationshipChart = 1;
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    ASSERT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_EQ(dialogs.messageBoxes[0].text, TechniqueRefusal(TechniqueOutcome::OutsideEntryRange));
    EXPECT_EQ(dialogs.messageBoxes[1].text, TechniqueRefusal(TechniqueOutcome::NoRelationshipBase));
    EXPECT_EQ(forms.modalEntries, 1);
    EXPECT_EQ(output.Pages().size(), 1u);
    EXPECT_EQ(state.snapshots.NatalT, natalT);
    EXPECT_TRUE(forms.menuVisible);
}

TEST_F(DerivedChartsTest, TheRelationshipChartAsksForTheSecondPersonThenCombinesBoth) {
    options.RelationshipChart = 1;
    EnterOnModalForm({{EntryField::Name, "BOB"}, {EntryField::Date, "01-06-1990"}});
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    ASSERT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_EQ(std::tie(dialogs.messageBoxes[0].text, dialogs.messageBoxes[0].title),
              std::tuple("ENTER DATA FOR SECOND PERSON", "RELATIONSHIP CHART"));
    EXPECT_EQ(std::tie(dialogs.messageBoxes[1].text, dialogs.messageBoxes[1].title),
              std::tuple("PRESS FOR RELATIONSHIP CHART", "GREAT CIRCLE METHOD"));
    EXPECT_EQ(output.Pages().size(), 3u) << "natal, second person, relationship";
    EXPECT_EQ(std::tie(forms.entryTexts[EntryField::Name], forms.entryTexts[EntryField::Date]),
              std::tuple("ANN & BOB ( REL. )", "07-10-1991"));

    // A technique in relationship mode starts from the relationship chart.
    options.Technique = kTransits;
    EnterOnModalForm({});
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    EXPECT_EQ(output.Pages().back().screenText, output.Pages()[2].screenText);
}

} // namespace
} // namespace astrodesk::testing
