#include "app/library_form.hpp"
#include "app/shell_fixture.hpp"

#include <filesystem>
#include <tuple>

namespace astrodesk::testing {
namespace {

struct LibraryFormTest : ShellTest {
    std::string path = dataFiles.PathOf("charts.sqlite").string();
    LibraryForm form{state, dialogs, shell.entryForm, path};

    static KeptChart Kept(const char* name, const char* date, std::int16_t era) {
        KeptChart chart;
        chart.record = {name, date, "03:04:05", "37N58", "023E43", era ? "B.C." : "A.D.", era};
        return chart;
    }
    std::int64_t KeepElsewhere(const KeptChart& chart) const {
        return ChartLibrary(path, LibraryAccess::Write).Add(chart).first;
    }
};

// A chart opens into the record through the field rules: the whole name in the record and 25
// characters of it on the form, the B.C. era with its code, the clock stopped. While a
// technique holds name and place fixed nothing enters.
TEST_F(LibraryFormTest, AChartEntersThroughTheFieldRulesUnlessNameAndPlaceAreHeld) {
    const KeptChart pericles = Kept("PERICLES SON OF XANTHIPPUS OF ATHENS", "01-01-0495", 1);
    shell.entryForm.LockNameAndPlace(true);
    EXPECT_FALSE(form.Open(pericles));
    EXPECT_EQ(record.ChartLatitude, "53N28");
    shell.entryForm.LockNameAndPlace(false);
    ASSERT_TRUE(form.Open(pericles));
    EXPECT_EQ(record.ChartName, pericles.record.ChartName);
    EXPECT_EQ(forms.entryTexts[EntryField::Name], "PERICLES SON OF XANTHIPPU");
    EXPECT_EQ(std::tie(record.ChartDate, record.ChartLongitude, record.EraText, record.ChartEra),
              std::tuple("01-01-0495", "023E43", "B.C.", 1));
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "B.C.");
    EXPECT_EQ(options.ClockOn, 0);
}

// SAVE: Cancel keeps nothing; a name the name rule refuses is asked again; a record a field
// rule refuses is refused with that field's own input-box title, and no file is made.
TEST_F(LibraryFormTest, SaveRefusesWhatTheFieldRulesRefuseAndMakesNoFile) {
    dialogs.inputAnswers = {""};
    form.Save();
    EXPECT_TRUE(dialogs.messageBoxes.empty());
    record.ChartDate = "31-13-2000";
    dialogs.inputAnswers = {"LINE\nBREAK", "MAY"};
    form.Save();
    ASSERT_EQ(dialogs.inputBoxes.size(), 3u);
    EXPECT_EQ(dialogs.inputBoxes[2].prefill, record.ChartName);
    ASSERT_EQ(dialogs.messageBoxes.size(), 1u);
    EXPECT_EQ(dialogs.messageBoxes[0].text,
              "The chart is not saved. PLEASE ENTER REQUIRED DATE (DD-MM-YYYY)");
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The form and another program use one file at once: what the other keeps or removes while
// the dialog is open is seen at the next search, and a chart already gone is not an error.
TEST_F(LibraryFormTest, ChangesByAnotherProgramAreSeenWhileTheDialogIsOpen) {
    KeepElsewhere(Kept("ASPASIA", "01-01-0470", 1));
    form.Reread();
    ASSERT_EQ(form.Matching("").size(), 1u);
    EXPECT_EQ(form.Message(), "");
    const std::int64_t solon = KeepElsewhere(Kept("SOLON", "01-01-0638", 1));
    const std::vector<KeptChart> listed = form.Matching("sol");
    ASSERT_EQ(listed.size(), 1u);
    ChartLibrary(path, LibraryAccess::Write).Remove(solon);
    dialogs.messageAnswers = {MessageAnswer::Ok};
    EXPECT_FALSE(form.RemoveAfterQuestion(listed[0]));
    EXPECT_TRUE(dialogs.messageBoxes.size() == 1 && form.Message().empty());
    form.Close();
    EXPECT_EQ(ChartLibrary(path, LibraryAccess::Read).List().size(), 1u);
}

} // namespace
} // namespace astrodesk::testing
