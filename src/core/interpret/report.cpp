#include "interpret/report.hpp"

#include "astro/angles.hpp"
#include "interpret/factors.hpp"
#include "interpret/hard_copy.hpp"
#include "shell/indexed_array.hpp"
#include "shell/utf8_text.hpp"

#include <algorithm>
#include <array>

namespace astrodesk {

namespace {

// Factors in the interpretation order.
constexpr int kMoon = 2;
constexpr int kZed = 11;
constexpr int kAscendant = 12;
constexpr int kLastPlanet = 11;
// Display slots of the body order: the Earth's slot holds a geocentric chart's Ascendant, and
// slot 13 always holds the Ascendant.
constexpr int kEarthSlot = 5;
constexpr int kAscendantSlot = 13;

constexpr const char* kFaultTitle = "INTERPRETATION";

// The strength lines of factors 1..12 in the interpretation order, before the number.
constexpr std::array<const char*, 13> kStrengthLabels = {
    "",
    "SUN STRENGTH = ",
    "MOON STRENGTH = ",
    "MERCURY STRENGTH = ",
    "VENUS STRENGTH = ",
    "MARS STRENGTH = ",
    "JUPITER STRENGTH = ",
    "SATURN STRENGTH = ",
    "URANUS STRENGTH = ",
    "NEPTUNE STRENGTH = ",
    "PLUTO STRENGTH = ",
    "ZED STRENGTH = ",
    "ASCENDANT STRENGTH = ",
};

struct Element {
    const char* name;
    double Factors::*count;
    const char* file;
    const char* screenText; // after "THERE ARE" and the count
    const char* paperText;
};
constexpr std::array<Element, 4> kElements = {{
    {"FIRE", &Factors::FireCount, "FIRE.TXT", " FACTORS IN THE FIRE SIGNS.",
     " FACTORS IN FIRE SIGNS."},
    {"EARTH", &Factors::EarthCount, "EARTH.TXT", " FACTORS IN THE EARTH SIGNS.",
     " FACTORS IN EARTH SIGNS."},
    {"AIR", &Factors::AirCount, "AIR.TXT", " FACTORS IN THE AIR SIGNS.", " FACTORS IN AIR SIGNS."},
    {"WATER", &Factors::WaterCount, "WATER.TXT", " FACTORS IN THE WATER SIGNS.",
     " FACTORS IN WATER SIGNS."},
}};

// Lines first..last of a text file, 1-based and inclusive.
struct Block {
    int first, last;
};

// The element file's block for the number of factors in the element: none, one or two, three,
// four or five, more.
Block ElementRange(double count) {
    if (count < 1.0) return {1, 12};
    if (count < 3.0) return {13, 24};
    if (count < 4.0) return {25, 36};
    if (count < 6.0) return {37, 48};
    return {49, 60};
}

// Blocks of aspect types 1..9 in the aspect files.
constexpr std::array<Block, 10> kAspectBlocks = {{
    {0, 0},
    {1, 10},  // conjunction
    {11, 20}, // opposition
    {21, 30}, // trine
    {31, 40}, // square
    {41, 50}, // sextile
    {56, 60}, // semisextile
    {56, 60}, // inconjunct
    {51, 55}, // semisquare
    {51, 55}, // sesquisquare
}};

// What is said about the aspect of the factors i < j.
struct AspectText {
    std::string file;
    Block block;
    std::string name, stars, marker, note;
};

// The reading ended before its last screen; caught by WriteInterpretation.
struct ReportEnded {
    ReportOutcome::End end;
    std::string message;
};

// One run of the report, from the aspects of the re-ordered factors to the closing screen.
class Interpretation {
  public:
    Interpretation(ProgramState& state, const ReportServices& services, HardCopy& paper,
                   std::vector<ReportSection>& sections)
        : state_(state), output_(services.output), texts_(services.dataFiles), paper_(paper),
          sections_(sections) {}

    void Run() {
        output_.SetContinueVisible(false);
        output_.Show();
        Clear();
        ComputeAspects(state_.factors, state_.options.OrbDegrees);
        Clear();
        paper_.Heading(state_.record, state_.working.ChartEraFlag == 1.0);
        Preamble();
        Elements();
        Paper("SPECIFIC PERSONALITY FACTORS.", Binding::Next);
        Paper("");
        Clear();
        Ascendant();
        for (int factor = 1; factor <= kLastPlanet; ++factor)
            Planet(factor);
        Show("THIS IS THE END OF THE INTERPRETATION");
        ShowEmpty();
        paper_.EndDoc();
        Pause(); // leaving the last screen is as good as reading on
    }

  private:
    PictureBox& Screen() { return output_.Screen; }
    void Show(std::string_view text, After after = After::LineEnd) { Screen().Print(text, after); }
    void ShowEmpty() { Screen().PrintEmptyLine(); }
    void Clear() { Screen().Cls(); }
    // A line of hard copy, when it is on.
    void Paper(const std::string& text, Binding binding = Binding::None) {
        paper_.Line(text, binding);
    }
    // Shows the page until CONTINUE; false when the user left the output instead.
    bool Pause() {
        output_.SetContinueVisible(true);
        output_.Refresh();
        output_.WaitForContinue();
        return !output_.LeaveRequested();
    }
    void Wait() {
        if (!Pause()) throw ReportEnded{ReportOutcome::End::Left, {}};
    }

    [[noreturn]] void Fault(const std::string& problem) const {
        throw ReportEnded{ReportOutcome::End::FileFault,
                          "THE TEXT FILE " + TextFileName + " " + problem};
    }

    // The file into TextLines (cleared first, so that no line of an earlier file remains); a
    // file at fault ends the report.
    void ReadTextFile(const std::string& name) {
        TextFileName = name;
        TextLines.fill({});
        TextLineCount = 0;
        try {
            for (const std::string& line : texts_.Lines(name))
                TextLines[++TextLineCount] = line;
        } catch (const TextFileFault& fault) {
            throw ReportEnded{ReportOutcome::End::FileFault, fault.what()};
        }
    }

    // The block on the screen and on paper, remembered as a section of the report. A line of
    // exactly 80 characters fills the screen's line, so the next follows without a line end of
    // its own; paper keeps the same rule.
    void PrintTextLines(Block block, ReportSection section) {
        if (TextLineCount < block.last)
            Fault("HAS " + std::to_string(TextLineCount) + " LINES: LINES " +
                  std::to_string(block.first) + " TO " + std::to_string(block.last) +
                  " ARE NEEDED");
        for (int k = block.first; k <= block.last; ++k) {
            const bool fillsALine =
                CharacterCount(TextLines[k]) == static_cast<std::size_t>(PictureBox::kColumns);
            Show(TextLines[k], fillsALine ? After::Join : After::LineEnd);
            Paper(TextLines[k]);
        }
        Paper("");
        section.file = TextFileName;
        section.first = block.first;
        section.last = block.last;
        section.lines.assign(&TextLines[block.first], &TextLines[block.last] + 1);
        sections_.push_back(std::move(section));
    }

    ReportSection Section(ReportSection::Kind kind, int factor, int number) const {
        ReportSection section;
        section.kind = kind;
        section.number = number;
        if (factor > 0) section.factor = Trimmed(state_.bodies.BodyName[factor]);
        return section;
    }

    void Preamble() {
        ReadTextFile("PREAMBLE.TXT");
        for (Block screen : {Block{1, 11}, Block{12, 26}}) {
            PrintTextLines(screen, Section(ReportSection::Kind::Preamble, 0, 0));
            ShowEmpty();
            Wait();
            Clear();
        }
    }

    void Elements() {
        for (const Element& element : kElements) {
            const double count = state_.factors.*element.count;
            ReadTextFile(element.file);
            Clear();
            Show("THERE ARE", After::Join);
            Screen().PrintNumber(count, After::Join);
            Show(element.screenText);
            ShowEmpty();
            if (&element == &kElements.front()) {
                Paper("GENERAL PERSONALITY TYPE.", Binding::Next);
                Paper("");
            }
            Paper("THERE ARE" + PrintedNumber(count) + element.paperText, Binding::Next);
            Paper("");
            ReportSection section =
                Section(ReportSection::Kind::Element, 0, static_cast<int>(count));
            section.factor = element.name;
            PrintTextLines(ElementRange(count), std::move(section));
            ShowEmpty();
            Wait();
        }
    }

    // "MARS STRENGTH = " and the number of aspects, on the screen and on paper; ZED's line
    // carries the marker of its aspects.
    void StrengthLine(int factor) {
        const std::string label = kStrengthLabels[static_cast<std::size_t>(factor)];
        const double strength = state_.factors.FactorStrength[factor];
        const std::string marker = factor == kZed ? "     $$$" : "";
        Show(label, After::Join);
        if (marker.empty()) {
            Screen().PrintNumber(strength);
        } else {
            Screen().PrintNumber(strength, After::Join);
            Show(marker);
        }
        // A planet's strength line also heads its sign text; the Ascendant's closes its section.
        Paper(label + PrintedNumber(strength) + marker,
              factor == kAscendant ? Binding::Previous : Binding::Both);
    }

    // The factor's introduction from PLANET.TXT: the Ascendant first, then the Sun .. ZED.
    void Introduction(int factor) {
        ReadTextFile("PLANET.TXT");
        const int block = factor == kAscendant ? 0 : factor;
        PrintTextLines(
            {5 * block + 1, 5 * block + 5},
            Section(ReportSection::Kind::Factor, factor, state_.factors.FactorStrength[factor]));
    }

    // The sign of the factor's longitude L: file Int(z / 4) + 1 of its set, 15 lines for each
    // of the file's four signs, z = Int(L / 30).
    void SignBlock(int factor) {
        const int z = std::clamp(static_cast<int>(state_.factors.FactorLon[factor] / 30.0), 0, 11);
        const std::string number = std::to_string(z / 4 + 1);
        ReadTextFile(factor == kAscendant
                         ? "ASCEND" + number + ".TXT"
                         : state_.bodies.BodyAbbrev[factor] + "SIGN" + number + ".TXT");
        const int b = z % 4;
        PrintTextLines({15 * b + 1, 15 * b + 15},
                       Section(ReportSection::Kind::Sign, factor, z + 1));
    }

    void HouseBlock(int factor) {
        const int h = std::clamp<int>(state_.factors.FactorHouse[factor], 1, 12);
        ReadTextFile("HOUSES.TXT");
        PrintTextLines({5 * h - 4, 5 * h}, Section(ReportSection::Kind::House, factor, h));
    }

    void Ascendant() {
        Introduction(kAscendant);
        ShowEmpty();
        ShowEmpty();
        Wait();
        ShowEmpty();
        ShowEmpty();
        SignBlock(kAscendant);
        ShowEmpty();
        Show("N.B.  ACCURATE BIRTH TIME NEEDED FOR RISING SIGN TO BE CORRECT!");
        ShowEmpty();
        Paper("N.B. ACCURATE BIRTH TIME NEEDED FOR RISING SIGN TO BE CORRECT!", Binding::Previous);
        Paper("");
        StrengthLine(kAscendant);
        ShowEmpty();
        Wait();
        Clear();
    }

    // The Sun .. ZED: introduction and strength, sign and sector, then one screen for each
    // aspect with a later factor. The Moon puts its strength above its sign, and warns that its
    // sign depends on the birth time.
    void Planet(int factor) {
        Introduction(factor);
        if (factor == kMoon) {
            // The strength line heads the sign and sector, so the warning below them still
            // clears the CONTINUE button.
            Wait();
            StrengthLine(factor);
        } else {
            ShowEmpty();
            StrengthLine(factor);
            ShowEmpty();
            Wait();
            Clear();
        }
        SignBlock(factor);
        ShowEmpty();
        HouseBlock(factor);
        ShowEmpty();
        if (factor == kMoon) {
            Show("N.B. MOON SIGN MAY BE INCORRECT IF BIRTH TIME TOO INNACURATE!");
            Paper("N.B. MOON SIGN MAY BE INCORRECT IF BIRTH TIME TOO INACCURATE!",
                  Binding::Previous);
            Paper("");
        }
        Wait();
        Clear();
        for (int later = factor + 1; later <= kAscendant; ++later)
            if (const int code = state_.factors.AspectCode[AspectIndex(factor, later)]; code != 0)
                Aspect(factor, later, code);
        Clear();
    }

    AspectText DescribeAspect(int i, int j, int code) const {
        const int type = std::clamp(code / 10, 1, kAspectTypes);
        const int stars = std::clamp(code - 10 * (code / 10), 0, 3);
        AspectText text;
        text.file = state_.bodies.BodyAbbrev[i] + state_.bodies.BodyAbbrev[j] + "AS.TXT";
        text.block = kAspectBlocks[static_cast<std::size_t>(type)];
        text.name = AspectName(type);
        text.stars = std::string(static_cast<std::size_t>(stars), '*');
        if (i == kZed || j == kZed) text.marker = "$$$";
        if (j == kAscendant)
            text.note = "N.B. HIGHLY ACCURATE BIRTH TIME NEEDED FOR ASCENDANT ASPECTS!";
        else if (i == kMoon)
            text.note = "N.B. ACCURATE TIME NEEDED FOR MOON ASPECTS!";
        return text;
    }

    // Both names, the aspect and its stars in columns: the names are 9 characters wide. Paper
    // puts one space more before the stars.
    std::string Header(int i, int j, const AspectText& text, int spacesBeforeStars) const {
        return state_.bodies.BodyName[i] + " " + text.name + " " + state_.bodies.BodyName[j] +
               std::string(static_cast<std::size_t>(spacesBeforeStars), ' ') + text.stars +
               "     " + text.marker;
    }

    void Aspect(int i, int j, int code) {
        const AspectText text = DescribeAspect(i, j, code);
        Show(Header(i, j, text, 6));
        ShowEmpty();
        Paper(Header(i, j, text, 7), Binding::Next);
        ReadTextFile(text.file);
        ReportSection section = Section(ReportSection::Kind::Aspect, i, 0);
        section.other = Trimmed(state_.bodies.BodyName[j]);
        section.aspect = text.name;
        section.stars = text.stars;
        section.marker = text.marker;
        section.note = text.note;
        PrintTextLines(text.block, std::move(section));
        ShowEmpty();
        if (!text.note.empty()) {
            Show(text.note);
            ShowEmpty();
            Paper(text.note, Binding::Previous);
            Paper("");
        }
        Wait();
        Clear();
    }

    ProgramState& state_;
    OutputScreen& output_;
    TextFiles texts_; // each file read once in a reading
    HardCopy& paper_; // prints only while hard copy is on
    std::vector<ReportSection>& sections_;

    // The text file last read: its name, lines 1..65 and how many it has.
    std::string TextFileName;
    IndexedArray<std::string, 1, kTextFileMaxLines> TextLines;
    int TextLineCount = 0;
};

// Slots 6..12 move down one, and the Ascendant takes slot 12: the Sun .. ZED in 1..11.
void ReorderFactors(ProgramState& state) {
    Factors& f = state.factors;
    BodyTables& b = state.bodies;
    for (int s = kEarthSlot + 1; s <= kAscendant; ++s) {
        f.FactorLon[s - 1] = f.FactorLon[s];
        b.BodyAbbrev[s - 1] = b.BodyAbbrev[s];
        b.BodyName[s - 1] = b.BodyName[s];
        f.FactorHouse[s - 1] = f.FactorHouse[s];
    }
    f.FactorLon[kAscendant] = RadToDeg(state.positions.BodyLongitude[kAscendantSlot]);
    b.BodyAbbrev[kAscendant] = b.BodyAbbrev[kAscendantSlot];
    b.BodyName[kAscendant] = b.BodyName[kAscendantSlot];
}

// Back to the body order for the wheel and the listing: slots 5..11 move up one and the Earth's
// slot holds the Ascendant, as the chart computation left it. The sectors stay in the reading's
// order until the next chart computation rebuilds them.
void RestoreBodyOrder(ProgramState& state) {
    Factors& f = state.factors;
    BodyTables& b = state.bodies;
    for (int s = kLastPlanet; s >= kEarthSlot; --s) {
        f.FactorLon[s + 1] = f.FactorLon[s];
        b.BodyAbbrev[s + 1] = b.BodyAbbrev[s];
        b.BodyName[s + 1] = b.BodyName[s];
    }
    f.FactorLon[kEarthSlot] = RadToDeg(state.positions.BodyLongitude[kAscendantSlot]);
    b.BodyAbbrev[kEarthSlot] = "EAR";
    b.BodyName[kEarthSlot] = "THE EARTH";
}

} // namespace

std::string_view SectionKindName(ReportSection::Kind kind) {
    switch (kind) {
    case ReportSection::Kind::Preamble:
        return "preamble";
    case ReportSection::Kind::Element:
        return "element";
    case ReportSection::Kind::Factor:
        return "factor";
    case ReportSection::Kind::Sign:
        return "sign";
    case ReportSection::Kind::House:
        return "house";
    case ReportSection::Kind::Aspect:
        return "aspect";
    }
    return {};
}

ReportOutcome WriteInterpretation(ProgramState& state, const ReportServices& services) {
    ReportOutcome outcome;
    if (state.working.ChartReady != 1 || state.working.ChartCentre != kGeocentricCentre) {
        services.dialogs.MessageBox(kGeocentricOnly, "NOT AVAILABLE", MessageButtons::Ok);
        outcome.end = ReportOutcome::End::NotGeocentric;
        return outcome;
    }
    // The working copies follow the options as they stand now.
    state.working.ChartCentre = state.options.CentreBody;
    state.working.HardCopyOn = state.options.HardCopy;
    state.working.ChartEraFlag = state.record.ChartEra;
    ReorderFactors(state);
    HardCopy paper(state.working.HardCopyOn == 1.0 ? services.printer : nullptr);
    try {
        Interpretation(state, services, paper, outcome.sections).Run();
    } catch (const ReportEnded& ended) {
        outcome.end = ended.end;
        paper.EndDoc();
        if (ended.end == ReportOutcome::End::FileFault)
            services.dialogs.MessageBox(ended.message, kFaultTitle, MessageButtons::Ok);
    }
    RestoreBodyOrder(state);
    return outcome;
}

} // namespace astrodesk
