// The events page reached from TECHNIQUES: the span asked for, the natal chart's events listed
// page by page and on paper, then the timeline, and back to the main menu.

#include "app/events_page.hpp"
#include "app/shell_fixture.hpp"
#include "events/event_search.hpp"
#include "events/event_text.hpp"
#include "support/shipped_data.hpp"

#include <filesystem>
#include <tuple>

namespace astrodesk::testing {
namespace {

constexpr int kTechniques = static_cast<int>(Choice::Techniques);
constexpr int kTransits = 2;

// Ann's natal chart of 10-02-1993 20:15:30 at the start-up place, on the real coefficient
// files.
struct EventsPageTest : ShellTest {
    void SetUp() override {
        for (const char* name : {"PERTURBS.FIL", "MOONBITS.FIL"})
            std::filesystem::copy_file(*ShippedDataFiles().Find(name), dataFiles.PathOf(name),
                                       std::filesystem::copy_options::overwrite_existing);
        ShellTest::SetUp();
        record.ChartName = "ANN";
        shell.mainMenu.Command1_Click(Choice::Horoscope);
    }
    // TECHNIQUES, then "&FIND EVENTS" answered with the span's two days.
    void AskForEvents(const std::string& firstDay, const std::string& lastDay) {
        shell.mainMenu.Command1_Click(Choice::Techniques);
        ASSERT_TRUE(forms.page.findsEvents);
        dialogs.inputAnswers = {firstDay, lastDay};
        shell.optionForm.EventsClick();
    }
    // The text lines of the pages that begin with `heading`.
    std::vector<std::vector<std::string>> PagesHeaded(const std::string& heading) const {
        std::vector<std::vector<std::string>> pages;
        for (const auto& page : output.Pages())
            if (!page.screenText.empty() && page.screenText[0].starts_with(heading))
                pages.push_back(page.screenText);
        return pages;
    }
};

TEST_F(EventsPageTest, TheSpanIsAYearFromTodayUnlessChangedAndCancelShowsNothing) {
    const std::size_t listing = output.Pages().size();
    AskForEvents("", "");
    ASSERT_EQ(dialogs.inputBoxes.size(), 1u) << "Cancel at the first question asks no second";
    EXPECT_EQ(dialogs.inputBoxes[0].prefill, "10-02-1993");
    dialogs.inputBoxes.clear();
    AskForEvents("10-02-1993", "");
    ASSERT_EQ(dialogs.inputBoxes.size(), 2u);
    EXPECT_EQ(dialogs.inputBoxes[1].prefill, "10-02-1994");
    EXPECT_EQ(output.Pages().size(), listing);
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_FALSE(forms.optionFormOpen);

    clock.reading = {2028, 2, 29, 12, 0, 0};
    dialogs.inputBoxes.clear();
    AskForEvents("29-02-2028", "");
    EXPECT_EQ(dialogs.inputBoxes[1].prefill, "28-02-2029") << "a year after a leap day";
}

TEST_F(EventsPageTest, ARefusedSpanIsExplainedAndAskedAgainWithTheAnswersKept) {
    shell.mainMenu.Command1_Click(Choice::Techniques);
    dialogs.inputAnswers = {"31-02-2027", "01-03-2027", "01-03-2027", "28-02-2027"};
    shell.optionForm.EventsClick();
    ASSERT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_NE(dialogs.messageBoxes[0].text.find("DD-MM-YYYY"), std::string::npos);
    EXPECT_NE(dialogs.messageBoxes[1].text.find("LAST DAY"), std::string::npos);
    EXPECT_EQ(dialogs.inputBoxes[2].prefill, "31-02-2027");
    EXPECT_EQ(dialogs.inputBoxes[3].prefill, "01-03-2027");

    struct Case {
        const char *first, *last;
        bool accepted;
    };
    for (const Case& c : {Case{"01-01-2027", "01-01-2027", true}, // one whole day
                          Case{"01-01-2000", "31-12-2099", true},
                          Case{"01-01-2000", "01-01-2101", false}, // beyond a century
                          Case{"10-10-1582", "20-10-1582", false}, // days the calendar skipped
                          Case{"2027-01-01", "01-02-2027", false}})
        EXPECT_EQ(ReadEventSpan(c.first, c.last).span.has_value(), c.accepted) << c.first;
    const EventSpan day = *ReadEventSpan("01-01-2027", "01-01-2027").span;
    EXPECT_NEAR((day.toT - day.fromT) * 36525.0, 1.0, 1e-9);
    EXPECT_NEAR(2451545.0 + 36525.0 * day.fromT, 2461406.5, 1e-6);
}

// After a transit chart the tables hold another moment: the events are still the natal chart's,
// drawn, then every one listed once in time order; the list goes to paper as well.
TEST_F(EventsPageTest, TheNatalChartsEventsAreDrawnListedAndPrinted) {
    // The events as the search finds them for the natal chart on the screen now.
    EventSearchOptions search;
    const EventSpan span = *ReadEventSpan("01-01-2027", "31-03-2027").span;
    std::tie(search.fromT, search.toT) = std::tuple(span.fromT, span.toT);
    search.orbDegrees = options.OrbDegrees;
    std::vector<std::string> expected;
    for (const Event& event : FindEvents(state, NatalPointsOf(state), search))
        expected.push_back(EventPageLine(event));
    ASSERT_GT(expected.size(), 40u) << "more than one page";

    options.Technique = kTransits;
    forms.modalEntry = [this] {
        dialogs.inputAnswers = {"01-06-2030"};
        shell.entryForm.Command1_Click(EntryField::Date);
        shell.entryForm.Command2_Click();
    };
    shell.mainMenu.Command1_Click(Choice::Horoscope);
    options.HardCopy = 1;
    AskForEvents("01-01-2027", "31-03-2027");

    const auto listed = PagesHeaded("EVENTS OF ANN  01-01-2027 TO 31-03-2027");
    ASSERT_GT(listed.size(), 1u);
    std::vector<std::string> lines;
    for (std::size_t page = 0; page < listed.size(); ++page) {
        EXPECT_NE(listed[page][0].find("PAGE " + std::to_string(page + 1) + " OF " +
                                       std::to_string(listed.size())),
                  std::string::npos);
        EXPECT_LE(listed[page].size(), std::size_t{kEventPageRows});
        lines.insert(lines.end(), listed[page].begin() + 2, listed[page].end());
    }
    EXPECT_EQ(lines, expected);

    const auto drawn = PagesHeaded("TIMELINE OF ANN");
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(output.Pages().size(), 2 + listed.size() + drawn.size()) << "two charts before";
    // The timeline first, its pages numbered, then the list.
    EXPECT_EQ(output.Pages()[2].screenText[0],
              "TIMELINE OF ANN  01-01-2027 TO 31-03-2027  PAGE 1 OF " +
                  std::to_string(drawn.size()));
    EXPECT_EQ(output.Pages().back().screenText[0], listed.back()[0]);

    const std::vector<std::string> printed = paper.AllLines();
    ASSERT_EQ(printed.size(), expected.size() + 2);
    EXPECT_EQ(printed[0], "EVENTS OF ANN  01-01-2027 TO 31-03-2027 (GREENWICH TIME)");
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), printed.begin() + 2));
    EXPECT_GT(paper.pages.size(), 1u);
    EXPECT_EQ(paper.documentsEnded, 1);
    EXPECT_TRUE(forms.menuVisible);
    EXPECT_EQ(options.MenuChoice, kTechniques);
}

TEST_F(EventsPageTest, LeavingTheOutputEndsThePages) {
    output.leaveAt = output.Pages().size() + 1;
    AskForEvents("01-01-2027", "31-12-2027");
    EXPECT_EQ(output.Pages().size(), output.leaveAt);
    EXPECT_TRUE(forms.menuVisible);
}

} // namespace
} // namespace astrodesk::testing
