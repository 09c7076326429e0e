#include "app/shell_fixture.hpp"

#include <tuple>

namespace astrodesk::testing {
namespace {

struct OptionFormTest : ShellTest {
    void Open(Choice page) { shell.mainMenu.Command1_Click(page); }
    const OptionGroup& Group(int group) const {
        return forms.page.groups[static_cast<std::size_t>(group - 1)];
    }
};

TEST_F(OptionFormTest, SettingsSelectsTheButtonsOfTheCurrentCodes) {
    options.CentreBody = 10;
    options.OrbDegrees = 0;
    options.HouseSystem = 3;
    Open(Choice::Settings);
    EXPECT_FALSE(forms.menuVisible);
    EXPECT_EQ(
        (std::array{Group(1).selected, Group(2).selected, Group(3).selected, Group(4).selected}),
        (std::array{10, 0, 3, 1}));
    EXPECT_LT(OptionButtonRect(4, 1, Group(4).frame).top,
              OptionButtonRect(4, 0, Group(4).frame).top)
        << "the clock's \"&On\" (index 1) is the upper button";
}

TEST_F(OptionFormTest, ClicksStoreTheIndexInTheCodeOfTheirPage) {
    struct Case {
        Choice page;
        int group, index;
        std::int16_t Options::*code;
        int expected;
    };
    const Case cases[] = {
        {Choice::Settings, 1, 0, &Options::CentreBody, 0},
        {Choice::Settings, 2, 10, &Options::OrbDegrees, 10},
        {Choice::Settings, 3, 4, &Options::HouseSystem, 4},
        {Choice::Settings, 4, 0, &Options::ClockOn, 0},
        {Choice::MapOptions, 1, 8, &Options::MapArea, 8},
        {Choice::MapOptions, 2, 1, &Options::MapType, 1},
        {Choice::MapOptions, 3, 1, &Options::MapProjection, 1},
        {Choice::Techniques, 1, 4, &Options::Technique, 4},
        {Choice::Techniques, 2, 1, &Options::Zodiac, 1},
        {Choice::Techniques, 3, 1, &Options::TimesArrow, 1},
        {Choice::Techniques, 4, 0, &Options::RelationshipChart, 1},
        {Choice::Techniques, 4, 1, &Options::RelationshipChart, 0},
    };
    for (const Case& c : cases) {
        Open(c.page);
        shell.optionForm.OptionClick(c.group, c.index);
        EXPECT_EQ(options.*c.code, c.expected) << static_cast<int>(c.page) << " " << c.group;
    }
    const Options before = options;
    Open(Choice::MapOptions);
    shell.optionForm.OptionClick(4, 0);
    EXPECT_EQ(options.ClockOn, before.ClockOn) << "the hidden fourth group sets nothing";
    EXPECT_EQ(options.RelationshipChart, before.RelationshipChart);
}

// Beside Progressions and Solar Returns, check boxes choose solar-arc angles and mean-year
// returns; they stand inside the frame, right of the buttons' captions, on no other page.
TEST_F(OptionFormTest, TechniquesOffersTheVariantsOfProgressionsAndReturns) {
    options.ReturnMoment = 1;
    Open(Choice::Techniques);
    ASSERT_EQ(forms.page.toggles.size(), 2u);
    const OptionToggle &solarArc = forms.page.toggles[0], &mean = forms.page.toggles[1];
    EXPECT_EQ(std::tuple(solarArc.checked, mean.checked), std::tuple(false, true));
    for (const OptionToggle& toggle : forms.page.toggles) {
        const TwipRect row = OptionButtonRect(1, toggle.beside, Group(1).frame);
        EXPECT_EQ(std::tuple(toggle.rect.top, toggle.rect.height), std::tuple(row.top, row.height));
        EXPECT_GT(toggle.rect.left, Group(1).frame.width / 2) << toggle.caption;
        EXPECT_LE(toggle.rect.left + toggle.rect.width, Group(1).frame.width);
    }
    EXPECT_EQ(std::tuple(solarArc.beside, mean.beside), std::tuple(1, 4));
    shell.optionForm.ToggleClick(0, true);
    shell.optionForm.ToggleClick(1, false);
    EXPECT_EQ(std::tuple(options.ProgressedAngles, options.ReturnMoment), std::tuple(1, 0));
    Open(Choice::Settings);
    EXPECT_TRUE(forms.page.toggles.empty());
    shell.optionForm.ToggleClick(0, false);
    EXPECT_EQ(options.ProgressedAngles, 1) << "no toggle on SETTINGS";
}

TEST_F(OptionFormTest, NatalPutsTheNatalMomentBackAndEndsRelationshipMode) {
    state.snapshots.NatalRecord = {"ANN", "01-02-1903", "04:05:06", "000E00", "10N00", 1};
    state.snapshots.RelationshipRecord = {
        "ANN & BOB ( REL. )", "07-08-1950", "11:12:13", "", "", 0};
    options.Technique = 2;
    Open(Choice::Techniques);
    EXPECT_EQ(record.ChartDate, "10-02-1993") << "a technique page opens without restoring";
    shell.optionForm.OptionClick(1, 0);
    EXPECT_EQ(options.Technique, 0);
    EXPECT_EQ(std::tie(record.ChartDate, record.ChartTime, record.ChartEra),
              std::tuple("01-02-1903", "04:05:06", 1));

    // Opening the page on Natal in relationship mode restores the relationship moment, whose
    // era follows from it.
    options.RelationshipChart = 1;
    Open(Choice::Techniques);
    EXPECT_EQ(options.RelationshipChart, 0);
    EXPECT_EQ(std::tie(record.ChartDate, record.ChartTime, record.ChartEra, record.EraText),
              std::tuple("07-08-1950", "11:12:13", 0, "A.D."));
    EXPECT_EQ(Group(4).selected, 1) << "\"&Ordinary Chart\" follows the ended mode";
}

TEST_F(OptionFormTest, BeginDropsExactlyTheRelationshipEndingOfAnOrdinaryChart) {
    const std::pair<std::string, std::string> names[] = {
        {"ANN & BOB ( REL. )", "ANN & BOB"},
        {"ANN & BOB (REL.)", "ANN & BOB (REL.)"},
        {" ( REL. )", ""},
    };
    for (const auto& [name, expected] : names) {
        record.ChartName = name;
        Open(Choice::Techniques);
        shell.optionForm.Command1_Click();
        EXPECT_EQ(record.ChartName, expected);
        if (expected != name) {
            EXPECT_EQ(forms.entryTexts[EntryField::Name], expected);
        }
        EXPECT_TRUE(forms.menuVisible && !forms.optionFormOpen);
    }

    record.ChartName = "ANN & BOB ( REL. )";
    Open(Choice::Techniques);
    shell.optionForm.OptionClick(4, 0); // "&Relationship Chart"
    shell.optionForm.Command1_Click();
    EXPECT_EQ(record.ChartName, "ANN & BOB ( REL. )");
}

} // namespace
} // namespace astrodesk::testing
