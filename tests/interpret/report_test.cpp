// The written interpretation over text files made here, in which every line names its file and
// number ("SUNSIGN3.TXT LINE 16"), so that each screen and each page of paper shows which lines
// it took.

#include "astro/angles.hpp"
#include "interpret/factors.hpp"
#include "interpret/report.hpp"
#include "shell/defaults.hpp"
#include "support/leaving_screen.hpp"
#include "support/paper.hpp"
#include "support/scratch_folder.hpp"
#include "support/scripted_dialogs.hpp"
#include "support/text_layout.hpp"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace astrodesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Kind = ReportSection::Kind;

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

// The section of that kind about the factor (and the later factor of an aspect), or an empty one.
const ReportSection& Section(const ReportOutcome& outcome, Kind kind, const std::string& factor,
                             const std::string& other = "") {
    static const ReportSection none;
    for (const ReportSection& section : outcome.sections)
        if (section.kind == kind && section.factor == factor && section.other == other)
            return section;
    ADD_FAILURE() << "no section about " << factor << " " << other;
    return none;
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
    ScriptedDialogs dialogs;
    Paper paper;
    RecordingOutputScreen output;
    ProgramState state = GeocentricChart();

    ReportOutcome Report(OutputScreen& screen) {
        return WriteInterpretation(state, {screen, dialogs, texts, &paper});
    }
    ReportOutcome Report() { return Report(output); }
};

// Counts of 0, 1-2, 3, 4-5 and 6 or more factors read the element's blocks 1 to 5.
TEST_F(ReportTest, ElementBlocksFollowTheCounts) {
    const std::array<std::string, 4> elements = {"FIRE", "EARTH", "AIR", "WATER"};
    for (const auto& [counts, firstLines] :
         {std::pair{std::array{0, 2, 5, 7}, std::array{1, 13, 37, 49}},
          {std::array{1, 3, 4, 6}, std::array{13, 25, 37, 49}}}) {
        std::tie(state.factors.FireCount, state.factors.EarthCount, state.factors.AirCount,
                 state.factors.WaterCount) = std::tuple(counts[0], counts[1], counts[2], counts[3]);
        const ReportOutcome outcome = Report();
        for (std::size_t e = 0; e < 4; ++e)
            EXPECT_EQ(Section(outcome, Kind::Element, elements[e]).lines,
                      Lines(elements[e] + ".TXT", firstLines[e], firstLines[e] + 11))
                << counts[e];
    }
    EXPECT_EQ(
        PageWith(output, "FIRE.TXT LINE 1"),
        Joined({{"THERE ARE 0  FACTORS IN THE FIRE SIGNS.", ""}, Lines("FIRE.TXT", 1, 12), {""}}));
}

TEST_F(ReportTest, SignAndSectorBlocks) {
    const ReportOutcome outcome = Report();
    EXPECT_EQ(Section(outcome, Kind::Sign, "THE SUN").lines, Lines("SUNSIGN3.TXT", 16, 30));
    EXPECT_EQ(Section(outcome, Kind::House, "THE MOON").lines, Lines("HOUSES.TXT", 56, 60));
    EXPECT_EQ(Section(outcome, Kind::Factor, "THE MOON").lines, Lines("PLANET.TXT", 11, 15));
    // The Ascendant: its introduction, its sign (Cancer) and no sector.
    EXPECT_EQ(Section(outcome, Kind::Factor, "ASCENDANT").lines, Lines("PLANET.TXT", 1, 5));
    EXPECT_EQ(Section(outcome, Kind::Sign, "ASCENDANT").lines, Lines("ASCEND1.TXT", 46, 60));
    EXPECT_TRUE(std::ranges::none_of(outcome.sections, [](const ReportSection& section) {
        return section.kind == Kind::House && section.factor == "ASCENDANT";
    }));

    // The Moon's screen: strength above its sign and sector, then the warning (as misspelt).
    const std::vector<std::string> moonPage = PageWith(output, "MONSIGN1.TXT LINE 31");
    ASSERT_GE(moonPage.size(), 2u);
    EXPECT_THAT(moonPage[0], ::testing::StartsWith("MOON STRENGTH = "));
    EXPECT_EQ(moonPage[1], Line("MONSIGN1.TXT", 31));
    EXPECT_EQ(moonPage.back(), "N.B. MOON SIGN MAY BE INCORRECT IF BIRTH TIME TOO INNACURATE!");
}

TEST_F(ReportTest, AspectHeadersNotesAndMarkers) {
    const ReportOutcome outcome = Report();
    EXPECT_EQ(state.factors.AspectCode[AspectIndex(1, 3)], 73); // interpretation order

    const ReportSection& inconjunct = Section(outcome, Kind::Aspect, "THE SUN", "MERCURY");
    EXPECT_EQ(std::tie(inconjunct.aspect, inconjunct.stars), std::tuple("INCONJUNCT", "***"));
    EXPECT_EQ(inconjunct.lines, Lines("SUNMERAS.TXT", 56, 60));
    EXPECT_EQ(PageWith(output, "SUNMERAS.TXT LINE 56"),
              Joined({{"THE SUN   INCONJUNCT MERCURY        ***", ""},
                      Lines("SUNMERAS.TXT", 56, 60),
                      {""}}));

    const std::string ascendantNote =
        "N.B. HIGHLY ACCURATE BIRTH TIME NEEDED FOR ASCENDANT ASPECTS!";
    EXPECT_EQ(Section(outcome, Kind::Aspect, "THE MOON", "ASCENDANT").note, ascendantNote);
    const std::vector<std::string> moonAscPage = PageWith(output, "MONASCAS.TXT LINE 56");
    ASSERT_GE(moonAscPage.size(), 4u);
    EXPECT_EQ(std::vector(moonAscPage.end() - 4, moonAscPage.end()),
              (std::vector<std::string>{Line("MONASCAS.TXT", 60), "", ascendantNote, ""}));

    const ReportSection& zed = Section(outcome, Kind::Aspect, "THE SUN", "ZED");
    EXPECT_EQ(std::tie(zed.aspect, zed.marker), std::tuple("TRINE", "$$$"));
    EXPECT_EQ(PageWith(output, "SUNZEDAS.TXT LINE 21").front(),
              "THE SUN   TRINE ZED            ***     $$$");
    for (const ReportSection& section : outcome.sections) {
        if (section.kind != Kind::Aspect) continue;
        EXPECT_EQ(section.marker.empty(), section.other != "ZED" && section.factor != "ZED");
        const std::string note = section.other == "ASCENDANT" ? ascendantNote
                                 : section.factor == "THE MOON"
                                     ? "N.B. ACCURATE TIME NEEDED FOR MOON ASPECTS!"
                                     : "";
        EXPECT_EQ(section.note, note) << section.file;
    }
}

// Venus at 300 degrees stands sextile 0 degrees Aries, which no factor holds: a strength counts
// the aspects the reading shows for its factor, with earlier and later factors alike.
TEST_F(ReportTest, EachStrengthIsTheNumberOfAspectsTheReadingShows) {
    const ReportOutcome outcome = Report();
    int factors = 0;
    for (const ReportSection& factor : outcome.sections) {
        if (factor.kind != Kind::Factor) continue;
        ++factors;
        const auto shown = std::ranges::count_if(outcome.sections, [&](const ReportSection& s) {
            return s.kind == Kind::Aspect &&
                   (s.factor == factor.factor || s.other == factor.factor);
        });
        EXPECT_EQ(factor.number, shown) << factor.factor;
    }
    EXPECT_EQ(factors, 12);
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
    // The heading (name, birth data, an empty line) brings the first text line to exactly
    // 270 mm; the next is 1/1024 mm lower (all values exact in binary).
    paper.lineHeight = 1.0 / 1024.0;
    paper.startY = 270.0 - 4.0 / 1024.0;
    Report();
    ASSERT_GE(paper.pages.size(), 2u);
    ASSERT_EQ(paper.pages[0].size(), 5u);
    EXPECT_EQ(paper.pages[0].back(), Line("PREAMBLE.TXT", 1));
    EXPECT_EQ(paper.pages[1].front(), Line("PREAMBLE.TXT", 2));
}

TEST_F(ReportTest, PaperIsHeadedByTheNameAndTheBirthData) {
    state.options.HardCopy = 1;
    state.record = {"José María", "14-03-1879", "10:50:00", "48N24", "010E00", "B.C.", 1};
    Report();
    EXPECT_THAT(std::vector(paper.pages[0].begin(), paper.pages[0].begin() + 5),
                ElementsAre("NAME = José María", "DATE = 14-03-1879 B.C.   TIME = 10:50:00",
                            "LAT = 48N24   LON = 010E00", "", Line("PREAMBLE.TXT", 1)));
}

// Wherever the pages fall (the first page starting at any height), a heading stays on the page
// of the text line that follows it, a note or strength line on the page of the line before it,
// and no line starts below 270 mm; also where blocks begin and end with empty lines.
TEST_F(ReportTest, PaperKeepsHeadingsAndNotesWithTheirText) {
    state.options.HardCopy = 1;
    for (const TextFileLayout& file : InterpretationTextFiles()) {
        std::vector<std::string> lines = Lines(file.name, 1, file.blocks.back().last);
        for (const TextBlock& block : file.blocks)
            lines[block.first - 1] = lines[block.last - 1] = "";
        texts.Write(file.name, lines);
    }
    const auto starts = [](const std::string& line, std::string_view start) {
        return line.starts_with(start);
    };
    const auto isHeading = [&](const std::string& line) {
        return starts(line, "GENERAL ") || starts(line, "THERE ARE") || starts(line, "SPECIFIC ") ||
               line.find('*') != std::string::npos ||
               (line.find("STRENGTH = ") != std::string::npos && !starts(line, "ASCENDANT"));
    };
    const auto isTrailer = [&](const std::string& line) {
        return starts(line, "N.B.") || line.find("STRENGTH = ") != std::string::npos;
    };
    for (double startY = 0.0; startY < 270.0; startY += 4.25) {
        paper = Paper{};
        paper.startY = startY;
        Report();
        ASSERT_GT(paper.pages.size(), 5u);
        struct Printed {
            std::size_t page;
            std::string text;
        };
        std::vector<Printed> printed;
        for (std::size_t page = 0; page < paper.pages.size(); ++page) {
            const double top = page == 0 ? startY : 0.0;
            EXPECT_LE(top + (paper.pages[page].size() - 1.0) * paper.lineHeight, 270.0);
            for (const std::string& text : paper.pages[page])
                if (!text.empty()) printed.push_back({page, text});
        }
        for (std::size_t k = 1; k + 1 < printed.size(); ++k) {
            if (isHeading(printed[k].text)) {
                EXPECT_EQ(printed[k].page, printed[k + 1].page) << printed[k].text << startY;
            }
            if (isTrailer(printed[k].text)) {
                EXPECT_EQ(printed[k].page, printed[k - 1].page) << printed[k].text << startY;
            }
        }
    }
}

// Each text file is looked for and read once in a reading, however many blocks it gives; the
// ones it needs and no other.
TEST_F(ReportTest, EachTextFileIsReadOnce) {
    const ReportOutcome outcome = Report();
    std::map<std::string, int> expected;
    for (const ReportSection& section : outcome.sections)
        expected[section.file] = 1;
    EXPECT_EQ(texts.finds, expected);
    EXPECT_EQ(std::ranges::count(outcome.sections, "PLANET.TXT", &ReportSection::file), 12);
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

// However the report ends (read to the end, left during a wait, stopped by a faulty text file,
// refused for a chart not computed or not seen from the Earth) the tables return to body order,
// a hard copy begun is ended, and a fault or refusal is named in one message box.
TEST_F(ReportTest, TablesReturnToBodyOrderHoweverTheReportEnds) {
    using enum ReportOutcome::End;
    const BodyOrder before = BodyOrderOf(state);
    EXPECT_EQ(before.BodyAbbrev[5], "EAR");
    state.options.HardCopy = 1;
    const auto spoilAspectFile = [this](std::size_t lines) {
        texts.Write("SUNMERAS.TXT", std::vector<std::string>(lines, "TEXT"));
    };
    const auto spoilAspectLine = [this](std::size_t line, const std::string& text) {
        std::vector<std::string> lines(60, "TEXT");
        lines[line - 1] = text;
        texts.Write("SUNMERAS.TXT", lines);
    };
    struct Case {
        std::function<void()> change;
        int leaveAt; // the page (from 1) during which the user leaves, or 0
        ReportOutcome::End end;
        std::string message;
    };
    const Case cases[] = {
        {[] {}, 0, Finished, ""},
        {[] {}, 4, Left, ""}, // during the elements
        {[&] { texts.Remove("SUNMERAS.TXT"); }, 0, FileFault,
         "THE TEXT FILE SUNMERAS.TXT IS MISSING"},
        {[&] { spoilAspectFile(66); }, 0, FileFault,
         "THE TEXT FILE SUNMERAS.TXT HAS MORE THAN 65 LINES"},
        {[&] { spoilAspectFile(40); }, 0, FileFault,
         "THE TEXT FILE SUNMERAS.TXT HAS 40 LINES: LINES 56 TO 60 ARE NEEDED"},
        {[&] { spoilAspectLine(7, "TE\x1b[2JXT"); }, 0, FileFault,
         "THE TEXT FILE SUNMERAS.TXT IS DAMAGED: LINE 7 HOLDS A CONTROL CHARACTER (\\x1B) AT "
         "COLUMN 3"},
        {[&] {
             spoilAspectLine(60, "MAR\xED"
                                 "A");
         },
         0, FileFault,
         "THE TEXT FILE SUNMERAS.TXT IS DAMAGED: LINE 60 HOLDS BYTES THAT ARE NOT UTF-8 "
         "(\\xED) AT COLUMN 4"},
        {[&] {
             texts.Remove("SUNMERAS.TXT");
             std::filesystem::create_directory(texts.PathOf("SUNMERAS.TXT"));
         },
         0, FileFault, "THE TEXT FILE SUNMERAS.TXT IS A FOLDER, NOT A FILE ("},
        {[&] { state.working.ChartCentre = 0; }, 0, NotGeocentric, kGeocentricOnly},
        {[&] { std::tie(state.working.ChartReady, state.working.ChartCentre) = std::pair(0, 3); },
         0, NotGeocentric, kGeocentricOnly},
    };
    int documents = 0;
    for (const Case& c : cases) {
        c.change();
        dialogs.messageBoxes.clear();
        LeavingOutputScreen screen(static_cast<std::size_t>(c.leaveAt));
        const ReportOutcome outcome = Report(screen);
        EXPECT_EQ(outcome.end, c.end) << c.message;
        EXPECT_TRUE(BodyOrderOf(state) == before);
        documents += c.end != NotGeocentric;
        EXPECT_EQ(paper.documentsEnded, documents);
        if (c.leaveAt > 0) {
            EXPECT_EQ(screen.Pages().size(), static_cast<std::size_t>(c.leaveAt));
        }
        if (c.end == FileFault) {
            EXPECT_EQ(outcome.sections.back().file, "HOUSES.TXT") << "nothing read after it";
        }
        if (c.end == NotGeocentric) {
            EXPECT_TRUE(screen.Pages().empty());
        }
        ASSERT_EQ(dialogs.messageBoxes.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_THAT(dialogs.messageBoxes[0].text, HasSubstr(c.message));
        }
    }
}

} // namespace
} // namespace astrodesk::testing
