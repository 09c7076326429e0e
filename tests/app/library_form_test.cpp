#include "app/library_form.hpp"
#include "app/shell_fixture.hpp"
#include "support/files_and_processes.hpp"

#include <filesystem>
#include <functional>
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
    // Runs `change` on the library in a child process, as the command line would, while this
    // one holds the file open; true when the child's change succeeded.
    bool ChangedElsewhere(const std::function<void(ChartLibrary&)>& change) const {
        return ExitStatusOf(Child([&] {
                   ChartLibrary library(path, LibraryAccess::Write);
                   change(library);
               })) == 0;
    }
    bool KeptElsewhere(const KeptChart& chart) const {
        return ChangedElsewhere([&chart](ChartLibrary& library) { library.Add(chart); });
    }
};

// A chart opens into the record through the field rules: the whole name in the record and 25
// characters of it on the form, the B.C. era with its code, the clock stopped. While a
// technique holds name and place fixed, or when a field of the chart is refused, nothing enters.
TEST_F(LibraryFormTest, AChartEntersThroughTheFieldRulesUnlessNameAndPlaceAreHeld) {
    const KeptChart pericles = Kept("PERICLES SON OF XANTHIPPUS OF ATHENS", "01-01-0495", 1);
    shell.entryForm.LockNameAndPlace(true);
    EXPECT_TRUE(form.Open(pericles).has_value());
    EXPECT_EQ(record.ChartLatitude, "53N28");
    shell.entryForm.LockNameAndPlace(false);
    ASSERT_EQ(form.Open(pericles), std::nullopt);
    EXPECT_EQ(record.ChartName, pericles.record.ChartName);
    EXPECT_EQ(forms.entryTexts[EntryField::Name], "PERICLES SON OF XANTHIPPU");
    EXPECT_EQ(std::tie(record.ChartDate, record.ChartLongitude, record.EraText, record.ChartEra),
              std::tuple("01-01-0495", "023E43", "B.C.", 1));
    EXPECT_EQ(forms.entryTexts[EntryField::Era], "B.C.");
    EXPECT_EQ(options.ClockOn, 0);

    KeptChart edited = Kept("THALES", "01-01-0624", 1);
    edited.record.ChartLongitude = "190E00";
    EXPECT_EQ(form.Open(edited), "\"THALES\" is not opened. PLEASE ENTER THE LONGITUDE (DDDSMM)");
    EXPECT_EQ(record.ChartName, pericles.record.ChartName) << "nothing of it entered";
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

// The form and another process use one file at once: what the other keeps or removes while
// the dialog holds the file open is seen at the next search, and a chart already gone is not an
// error.
TEST_F(LibraryFormTest, ChangesByAnotherProcessAreSeenWhileTheDialogIsOpen) {
    ASSERT_TRUE(KeptElsewhere(Kept("ASPASIA", "01-01-0470", 1)));
    form.Reread();
    ASSERT_EQ(form.Matching("").size(), 1u);
    EXPECT_EQ(form.Message(), "");
    ASSERT_TRUE(KeptElsewhere(Kept("SOLON", "01-01-0638", 1)));
    const std::vector<KeptChart> listed = form.Matching("sol");
    ASSERT_EQ(listed.size(), 1u);
    ASSERT_TRUE(
        ChangedElsewhere([id = listed[0].id](ChartLibrary& library) { library.Remove(id); }));
    dialogs.messageAnswers = {MessageAnswer::Ok};
    EXPECT_FALSE(form.RemoveAfterQuestion(listed[0]));
    EXPECT_TRUE(dialogs.messageBoxes.size() == 1 && form.Message().empty());
    form.Close();
    EXPECT_EQ(ChartLibrary(path, LibraryAccess::Read).List().size(), 1u);
}

} // namespace
} // namespace astrodesk::testing
