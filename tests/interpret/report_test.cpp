// The written interpretation over text files made here, in which every line names its file and
// number ("SUNSIGN3.TXT LINE 16"), so that each screen and each page of paper shows which lines
// it took.

#include "astro/angles.hpp"
#include "interpret/factors.hpp"
#include "interpret/report.hpp"
#include "shell/defaults.hpp"
#include "support/paper.hpp"
#include "support/scratch_folder.hpp"
#include "support/text_layout.hpp"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace astrodesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Line(const std::string& file, int k) {
    return file + " LINE " + std::to_string(k);
}

std::vector<std::string> Lines(const std::string& file, int first, int last) {
    std::vector<std::string> lines;
    for (int k = first; k <= last; ++k)
        lines.push_back(Line(file, k));
    return lines;
}

// The lines of several lists, one after another.
std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// All 109 text files in a scratch folder of their own, each as long as its layout needs.
class TextFolder : public ScratchFolder {
  public:
    TextFolder() {
        for (const TextFileLayout& file : InterpretationTextFiles())
            Write(file.name, Lines(file.name, 1, file.blocks.back().last));
    }
};

class RecordingDialogs : public Dialogs {
  public:
    std::vector<std::pair<std::string, std::string>> messageBoxes; // text, title
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    MessageAnswer MessageBox(const std::string& text, const std::string& title,
                             MessageButtons) override {
        messageBoxes.emplace_back(text, title);
        return MessageAnswer::Ok;
    }
};

// A screen whose user leaves the output at the given wait (1-based) instead of continuing.
class LeavingScreen : public RecordingOutputScreen {
  public:
    explicit LeavingScreen(int leaveAt) : leaveAt_(leaveAt) {}

  protected:
    void AwaitContinue() override {
        if (++waits_ == leaveAt_)
            LeaveOutput();
        else
            RecordingOutputScreen::AwaitContinue();
    }

  private:
    int leaveAt_, waits_ = 0;
};

// A computed geocentric chart, body order (slot 5 the Ascendant), in degrees: the Sun in
// Capricorn at 275; the Moon at 70.2, 29.8 degrees before the Ascendant at 100 (sector 12, a
// three-star semisextile); Mercury at 125.1, 149.9 from the Sun (a three-star inconjunct, code
// 73); ZED at 35, trine the Sun.
ProgramState GeocentricChart() {
    ProgramState state;
    BuildBodyTables(state.bodies);
    const double longitudes[] = {275.0, 70.2,  125.1, 300.0, 100.0, 200.0,
                                 232.0, 250.0, 160.0, 185.0, 214.0, 35.0};
    for (int slot = 1; slot <= 12; ++slot)
        state.positions.BodyLongitude[slot] = DegToRad(longitudes[slot - 1]);
    state.positions.BodyLongitude[13] = DegToRad(100.0);
    state.working.ChartReady = 1;
    state.working.ChartCentre = 3;
    ComputeFactors(state.positions, 3, state.factors);
    return state;
}

const ReportSection* FindSection(const ReportOutcome& outcome, ReportSection::Kind kind,
                                 const std::string& factor, const std::string& other = "") {
    for (const ReportSection& section : outcome.sections)
        if (section.kind == kind && section.factor == factor && section.other == other)
            return &section;
    return nullptr;
}

// The screen whose text holds the line.
std::vector<std::string> PageWith(const RecordingOutputScreen& output, const std::string& line) {
    for (const auto& page : output.Pages())
        if (std::find(page.screenText.begin(), page.screenText.end(), line) !=
            page.screenText.end())
            return page.screenText;
    return {};
}

struct ReportTest : ::testing::Test {
    TextFolder texts;
    RecordingDialogs dialogs;
    Paper paper;
    RecordingOutputScreen output;
    ProgramState state = GeocentricChart();

    ReportOutcome Report(OutputScreen& screen) {
        return WriteInterpretation(state, {screen, dialogs, texts, &paper});
    }
    ReportOutcome Report() { return Report(output); }
};

TEST_F(ReportTest, ElementBlocksFollowTheCounts) {
    state.factors.FireCount = 0;
    state.factors.EarthCount = 2;
    state.factors.AirCount = 5;
    state.factors.WaterCount = 7;
    const ReportOutcome outcome = Report();
    const std::pair<const char*, int> expected[] = {
        {"FIRE", 1}, {"EARTH", 13}, {"AIR", 37}, {"WATER", 49}};
    for (const auto& [element, first] : expected) {
        const ReportSection* section = FindSection(outcome, ReportSection::Kind::Element, element);
        ASSERT_NE(section, nullptr) << element;
        EXPECT_EQ(section->lines, Lines(std::string(element) + ".TXT", first, first + 11));
    }
    EXPECT_EQ(
        PageWith(output, "FIRE.TXT LINE 1"),
        Joined({{"THERE ARE 0  FACTORS IN THE FIRE SIGNS.", ""}, Lines("FIRE.TXT", 1, 12), {""}}));
}

TEST_F(ReportTest, SignAndSectorBlocks) {
    const ReportOutcome outcome = Report();
    const ReportSection* sunSign = FindSection(outcome, ReportSection::Kind::Sign, "THE SUN");
    ASSERT_NE(sunSign, nullptr);
    EXPECT_EQ(sunSign->lines, Lines("SUNSIGN3.TXT", 16, 30)); // Capricorn, z = 9
    const ReportSection* ascSign = FindSection(outcome, ReportSection::Kind::Sign, "ASCENDANT");
    ASSERT_NE(ascSign, nullptr);
    EXPECT_EQ(ascSign->lines, Lines("ASCEND1.TXT", 46, 60)); // Cancer
    const ReportSection* moonHouse = FindSection(outcome, ReportSection::Kind::House, "THE MOON");
    ASSERT_NE(moonHouse, nullptr);
    EXPECT_EQ(moonHouse->lines, Lines("HOUSES.TXT", 56, 60));
    EXPECT_EQ(FindSection(outcome, ReportSection::Kind::House, "ASCENDANT"), nullptr);

    // The Moon's screen: strength above its sign and sector, then the warning (as misspelt).
    const std::vector<std::string> moonPage = PageWith(output, "MONSIGN1.TXT LINE 31");
    ASSERT_GE(moonPage.size(), 2u);
    EXPECT_THAT(moonPage[0], ::testing::StartsWith("MOON STRENGTH = "));
    EXPECT_EQ(moonPage[1], Line("MONSIGN1.TXT", 31));
    EXPECT_EQ(moonPage.back(), "N.B. MOON SIGN MAY BE INCORRECT IF BIRTH TIME TOO INNACURATE!");
    EXPECT_EQ(PageWith(output, "PLANET.TXT LINE 11"), Lines("PLANET.TXT", 11, 15));
}

TEST_F(ReportTest, AspectHeadersNotesAndMarkers) {
    const ReportOutcome outcome = Report();
    EXPECT_EQ(state.factors.AspectCode[AspectIndex(1, 3)], 73); // interpretation order

    const ReportSection* inconjunct =
        FindSection(outcome, ReportSection::Kind::Aspect, "THE SUN", "MERCURY");
    ASSERT_NE(inconjunct, nullptr);
    EXPECT_EQ(inconjunct->aspect, "INCONJUNCT");
    EXPECT_EQ(inconjunct->stars, "***");
    EXPECT_EQ(inconjunct->lines, Lines("SUNMERAS.TXT", 56, 60));
    EXPECT_EQ(PageWith(output, "SUNMERAS.TXT LINE 56"),
              Joined({{"THE SUN   INCONJUNCT MERCURY        ***", ""},
                      Lines("SUNMERAS.TXT", 56, 60),
                      {""}}));

    const ReportSection* moonAsc =
        FindSection(outcome, ReportSection::Kind::Aspect, "THE MOON", "ASCENDANT");
    ASSERT_NE(moonAsc, nullptr);
    EXPECT_EQ(moonAsc->note, "N.B. HIGHLY ACCURATE BIRTH TIME NEEDED FOR ASCENDANT ASPECTS!");
    const std::vector<std::string> moonAscPage = PageWith(output, "MONASCAS.TXT LINE 56");
    ASSERT_GE(moonAscPage.size(), 4u);
    EXPECT_EQ(std::vector(moonAscPage.end() - 4, moonAscPage.end()),
              (std::vector<std::string>{Line("MONASCAS.TXT", 60), "", moonAsc->note, ""}));

    const ReportSection* zed = FindSection(outcome, ReportSection::Kind::Aspect, "THE SUN", "ZED");
    ASSERT_NE(zed, nullptr);
    EXPECT_EQ(zed->marker, "$$$");
    EXPECT_EQ(zed->aspect, "TRINE");
    EXPECT_EQ(PageWith(output, "SUNZEDAS.TXT LINE 21").front(),
              "THE SUN   TRINE ZED            ***     $$$");
    for (const ReportSection& section : outcome.sections) {
        if (section.kind != ReportSection::Kind::Aspect) continue;
        EXPECT_EQ(section.marker.empty(), section.other != "ZED" && section.factor != "ZED");
        const std::string note = section.other == "ASCENDANT" ? moonAsc->note
                                 : section.factor == "THE MOON"
                                     ? "N.B. ACCURATE TIME NEEDED FOR MOON ASPECTS!"
                                     : "";
        EXPECT_EQ(section.note, note) << section.file;
    }
}

TEST_F(ReportTest, PaperCarriesItsOwnWording) {
    state.options.HardCopy = 1;
    state.factors.FireCount = 4;
    Report();
    EXPECT_THAT(
        paper.AllLines(),
        ::testing::IsSupersetOf(std::vector<std::string>{
            "NAME = ", "GENERAL PERSONALITY TYPE.", "THERE ARE 4  FACTORS IN FIRE SIGNS.",
            "SPECIFIC PERSONALITY FACTORS.",
            "N.B. ACCURATE BIRTH TIME NEEDED FOR RISING SIGN TO BE CORRECT!",
            "N.B. MOON SIGN MAY BE INCORRECT IF BIRTH TIME TOO INACCURATE!",
            "THE SUN   INCONJUNCT MERCURY         ***     ",
            "ZED STRENGTH = " + PrintedNumber(state.factors.FactorStrength[11]) + "     $$$"}));
    EXPECT_EQ(paper.documentsEnded, 1);
    EXPECT_EQ(output.Pages().back().screenText,
              (std::vector<std::string>{"THIS IS THE END OF THE INTERPRETATION", ""}));

    // Without hard copy nothing reaches the printer.
    Paper unused;
    state.options.HardCopy = 0;
    WriteInterpretation(state, {output, dialogs, texts, &unused});
    EXPECT_TRUE(unused.AllLines().empty());
    EXPECT_EQ(unused.documentsEnded, 0);
}

TEST_F(ReportTest, EightyCharacterLinesRunIntoTheNextOnScreenAndPaper) {
    const std::string full(80, 'X');
    const std::string shorter(79, 'Y');
    std::vector<std::string> preamble = Lines("PREAMBLE.TXT", 1, 26);
    preamble[1] = full; // followed by an empty line 3
    preamble[2] = "";
    preamble[4] = shorter; // followed by an empty line 6
    preamble[5] = "";
    texts.Write("PREAMBLE.TXT", preamble);
    state.options.HardCopy = 1;
    Report();
    EXPECT_EQ(output.Pages()[0].screenText,
              Joined({{Line("PREAMBLE.TXT", 1), full, Line("PREAMBLE.TXT", 4), shorter, ""},
                      Lines("PREAMBLE.TXT", 7, 11),
                      {""}}))
        << "the empty line after the full line only ends it";
    EXPECT_THAT(paper.pages[0], ::testing::IsSupersetOf({full + "|", shorter}));
    EXPECT_EQ(std::count(paper.pages[0].begin(), paper.pages[0].end(), full + "|"), 1);
}

TEST_F(ReportTest, PaperStartsANewPageOnlyAbove270Millimetres) {
    state.options.HardCopy = 1;
    // "NAME = " and an empty line bring the first text line to exactly 270 mm; the next is
    // 1/1024 mm lower (all values exact in binary).
    paper.lineHeight = 1.0 / 1024.0;
    paper.startY = 270.0 - 2.0 / 1024.0;
    Report();
    ASSERT_GE(paper.pages.size(), 2u);
    EXPECT_THAT(paper.pages[0], ElementsAre("NAME = ", "", Line("PREAMBLE.TXT", 1)));
    EXPECT_EQ(paper.pages[1].front(), Line("PREAMBLE.TXT", 2));
}

// The tables as the chart wheel and the listing read them.
struct BodyOrder {
    IndexedArray<double, 0, 13> FactorLon;
    IndexedArray<std::string, 1, 15> BodyAbbrev, BodyName;
    bool operator==(const BodyOrder&) const = default;
};
BodyOrder BodyOrderOf(const ProgramState& state) {
    return {state.factors.FactorLon, state.bodies.BodyAbbrev, state.bodies.BodyName};
}

TEST_F(ReportTest, TablesReturnToBodyOrderHoweverTheReportEnds) {
    const BodyOrder before = BodyOrderOf(state);
    EXPECT_EQ(before.BodyAbbrev[5], "EAR");
    const ReportOutcome first = Report();
    EXPECT_EQ(first.end, ReportOutcome::End::Finished);
    EXPECT_TRUE(BodyOrderOf(state) == before);

    LeavingScreen leaving(4); // during the elements
    state.options.HardCopy = 1;
    const ReportOutcome left = Report(leaving);
    EXPECT_EQ(left.end, ReportOutcome::End::Left);
    EXPECT_EQ(leaving.Pages().size(), 3u);
    EXPECT_EQ(paper.documentsEnded, 1);
    EXPECT_TRUE(BodyOrderOf(state) == before);
    EXPECT_TRUE(dialogs.messageBoxes.empty());
}

TEST_F(ReportTest, AFaultyTextFileIsNamedAndEndsTheReport) {
    const BodyOrder before = BodyOrderOf(state);
    state.options.HardCopy = 1;
    const std::vector<std::string> tooLong(66, "TEXT");
    const std::vector<std::string> tooShort(40, "TEXT");
    struct Case {
        std::function<void()> spoil;
        std::string message;
    };
    const Case cases[] = {
        {[&] { texts.Remove("SUNMERAS.TXT"); }, "THE TEXT FILE SUNMERAS.TXT IS MISSING"},
        {[&] { texts.Write("SUNMERAS.TXT", tooLong); },
         "THE TEXT FILE SUNMERAS.TXT HAS MORE THAN 65 LINES"},
        {[&] { texts.Write("SUNMERAS.TXT", tooShort); },
         "THE TEXT FILE SUNMERAS.TXT HAS 40 LINES: LINES 56 TO 60 ARE NEEDED"},
    };
    for (const Case& c : cases) {
        c.spoil();
        dialogs.messageBoxes.clear();
        RecordingOutputScreen screen;
        const ReportOutcome outcome = Report(screen);
        EXPECT_EQ(outcome.end, ReportOutcome::End::FileFault);
        ASSERT_EQ(dialogs.messageBoxes.size(), 1u);
        EXPECT_THAT(dialogs.messageBoxes[0].first, HasSubstr(c.message));
        EXPECT_EQ(outcome.message, dialogs.messageBoxes[0].first);
        EXPECT_EQ(outcome.sections.back().file, "HOUSES.TXT") << "nothing read after the fault";
        EXPECT_TRUE(BodyOrderOf(state) == before);
    }
    EXPECT_EQ(paper.documentsEnded, 3);
}

TEST_F(ReportTest, OnlyAComputedGeocentricChartIsRead) {
    for (auto [ready, centre] : {std::pair{1, 0}, std::pair{0, 3}}) {
        state.working.ChartReady = static_cast<std::int16_t>(ready);
        state.working.ChartCentre = static_cast<std::int16_t>(centre);
        const BodyOrder before = BodyOrderOf(state);
        EXPECT_EQ(Report().end, ReportOutcome::End::NotGeocentric);
        EXPECT_TRUE(BodyOrderOf(state) == before);
    }
    EXPECT_TRUE(output.Pages().empty());
    ASSERT_EQ(dialogs.messageBoxes.size(), 2u);
    EXPECT_EQ(dialogs.messageBoxes[0].first, kGeocentricOnly);
    EXPECT_EQ(dialogs.messageBoxes[0].second, "NOT AVAILABLE");
}

} // namespace
} // namespace astrodesk::testing
