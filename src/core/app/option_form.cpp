#include "app/option_form.hpp"

#include "app/entry_form.hpp"
#include "app/events_page.hpp"
#include "chart/relationship.hpp"
#include "shell/record_rules.hpp"

namespace astrodesk {

namespace {

constexpr int kMapOptionsPage = 7;
constexpr int kTechniquesPage = 9;

constexpr int kButtonTop = 480; // twips below the frame's top: the first button under the label
constexpr int kButtonHeight = 240;
constexpr int kButtonInset = 120; // left and right margin inside the frame

// The SETTINGS page is the form as designed.
OptionPage DesignedPage() {
    OptionPage page;
    page.groups = {{
        {{0, 0, 2520, 3135},
         true,
         "  PLANET AS CENTRE",
         {"&Heliocentric", "&Mercury-centric", "&Venus-centric", "&GeoCentric", "M&ars-centric",
          "&Jupiter-centric", "&Saturn-centric", "&Uranus-centric", "&Neptune-centric",
          "&Pluto-centric", "&Zed-centric"},
         11},
        {{2520, 0, 1200, 3135},
         true,
         "ORB(DEG)",
         {"&0", "&1", "&2", "&3", "&4", "&5", "&6", "&7", "&8", "&9", "&Ten"},
         11},
        {{3720, 0, 2055, 1695},
         true,
         " HOUSE SYSTEM",
         {"&Equal House", "&Campanus", "&Regiomontanus", "P&lacidus", "&Koch"},
         5},
        {{5760, 0, 1560, 975}, true, "  CLOCK", {"O&ff", "&On"}, 2},
    }};
    return page;
}

// A page re-captions the first buttons of a group and shows only those.
void Recaption(OptionGroup& group, TwipRect frame, std::string label,
               std::initializer_list<const char*> captions) {
    group.frame = frame;
    group.label = std::move(label);
    std::copy(captions.begin(), captions.end(), group.captions.begin());
    group.offered = static_cast<int>(captions.size());
}

// The option code a group sets on a page; `inverted` codes store 1 - index.
struct CodeBinding {
    std::int16_t Options::*code = nullptr;
    bool inverted = false;
};

std::array<CodeBinding, kOptionGroupCount> PageBindings(std::int16_t menuChoice) {
    switch (menuChoice) {
    case kMapOptionsPage:
        return {{{&Options::MapArea}, {&Options::MapType}, {&Options::MapProjection}, {}}};
    case kTechniquesPage:
        return {{{&Options::Technique},
                 {&Options::Zodiac},
                 {&Options::TimesArrow},
                 {&Options::RelationshipChart, true}}};
    default:
        return {{{&Options::CentreBody},
                 {&Options::OrbDegrees},
                 {&Options::HouseSystem},
                 {&Options::ClockOn}}};
    }
}

// The TECHNIQUES page's check boxes, each at the right end of the row of the technique whose
// variant it chooses (clear of that button's caption), and the option code each sets.
struct ToggleDesign {
    int row;   // of the button it stands beside in group 1
    int width; // twips, leftwards from kToggleMargin inside the frame's right edge
    const char* caption;
    std::int16_t Options::*code;
};
constexpr int kToggleMargin = 40;
constexpr ToggleDesign kTechniqueToggles[] = {
    {1, 900, "Solar &arc", &Options::ProgressedAngles},
    {4, 640, "&Mean", &Options::ReturnMoment},
};

std::vector<OptionToggle> TechniqueToggles(const OptionGroup& techniques, const Options& codes) {
    std::vector<OptionToggle> toggles;
    for (const ToggleDesign& design : kTechniqueToggles) {
        TwipRect rect = OptionButtonRect(1, design.row, techniques.frame);
        rect.left = techniques.frame.width - kToggleMargin - design.width;
        rect.width = design.width;
        toggles.push_back({1, design.row, rect, design.caption, codes.*design.code == 1});
    }
    return toggles;
}

CodeBinding GroupBinding(std::int16_t menuChoice, int group) {
    return PageBindings(menuChoice)[static_cast<std::size_t>(group - 1)];
}

bool EndsWith(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

} // namespace

OptionPage LayOutOptionPage(std::int16_t menuChoice) {
    OptionPage page = DesignedPage();
    page.menuChoice = menuChoice;
    auto& [group1, group2, group3, group4] = page.groups;
    if (menuChoice == kMapOptionsPage) {
        Recaption(group1, {1, 0, 1700, 2650}, "    MAP AREA    ",
                  {"&Europe", "U.&K.", "&World", "&U.S.A.", "&Far East", "&Africa", "An&tipodes",
                   "&S. America", "&Polar Area"});
        Recaption(group2, {2000, 0, 2000, 1200}, "    MAP TYPE    ",
                  {"&Local Space", "&Cartography", "Pla&net Lines"});
        Recaption(group3, {4200, 0, 1700, 950}, "MAP PROJECTION", {"&Gnomic", "C&ylindrical"});
        group4.visible = false;
    } else if (menuChoice == kTechniquesPage) {
        Recaption(
            group1, {0, 0, 2400, 1700}, "     CHART METHOD   ",
            {"&Natal", "&Progressions", "&Transits", "Primary &Directions", "&Solar Returns"});
        Recaption(group2, {2400, 0, 1500, 960}, "  ECLIPTIC    ", {"Tropica&l", "Pre&cessed"});
        Recaption(group3, {3900, 0, 1400, 960}, "TIME'S ARROW", {"Dir&ect", "Con&verse"});
        Recaption(group4, {5300, 0, 2500, 975}, "       CHART TYPE",
                  {"&Relationship Chart", "&Ordinary Chart"});
    }
    return page;
}

TwipRect OptionButtonRect(int group, int index, const TwipRect& frame) {
    const int row = group == kOptionGroupCount ? 1 - index : index;
    return {kButtonInset, kButtonTop + kButtonHeight * row, frame.width - 2 * kButtonInset,
            kButtonHeight};
}

OptionForm::OptionForm(ProgramState& state, EntryForm& entry, Forms& forms, EventsPage& events)
    : state_(state), entry_(entry), forms_(forms), events_(events) {}

void OptionForm::Form_Load() {
    const std::int16_t menuChoice = state_.options.MenuChoice;
    OptionPage page = LayOutOptionPage(menuChoice);
    // One group after the other: selecting a button is choosing it, and choosing "&Natal" may
    // change the code the fourth group shows.
    for (int group = 1; group <= kOptionGroupCount; ++group) {
        const CodeBinding binding = GroupBinding(menuChoice, group);
        if (binding.code == nullptr) continue;
        const int code = state_.options.*binding.code;
        const int index = binding.inverted ? 1 - code : code;
        page.groups[static_cast<std::size_t>(group - 1)].selected = index;
        OptionClick(group, index);
    }
    if (menuChoice == kTechniquesPage) {
        page.toggles = TechniqueToggles(page.groups[0], state_.options);
        page.findsEvents = true;
    }
    forms_.ShowOptionPage(page);
}

void OptionForm::ToggleClick(int toggle, bool checked) {
    if (state_.options.MenuChoice != kTechniquesPage || toggle < 0 ||
        toggle >= static_cast<int>(std::size(kTechniqueToggles)))
        return;
    state_.options.*kTechniqueToggles[toggle].code = checked ? 1 : 0;
}

void OptionForm::OptionClick(int group, int index) {
    const std::int16_t menuChoice = state_.options.MenuChoice;
    const CodeBinding binding = GroupBinding(menuChoice, group);
    if (binding.code == nullptr) return;
    state_.options.*binding.code = static_cast<std::int16_t>(binding.inverted ? 1 - index : index);
    if (menuChoice == kTechniquesPage && group == 1 && index == 0) RestoreNatal();
}

void OptionForm::RestoreNatal() {
    const bool relationship = state_.options.RelationshipChart == 1;
    const Snapshots& snapshots = state_.snapshots;
    // The relationship chart's era follows from its mean moment, as the natal era from its date.
    const SavedRecord& chart = relationship ? snapshots.RelationshipRecord : snapshots.NatalRecord;
    ChartRecord& record = state_.record;
    record.ChartDate = chart.ChartDate;
    record.ChartTime = chart.ChartTime;
    record.ChartEra = chart.ChartEra;
    record.EraText = EraTextOf(chart.ChartEra);
    state_.options.RelationshipChart = 0;
}

void OptionForm::Command1_Click() {
    std::string& name = state_.record.ChartName;
    if (state_.options.RelationshipChart == 0 && EndsWith(name, kRelationshipEnding)) {
        name.erase(name.size() - kRelationshipEnding.size());
        entry_.ShowName(name);
    }
    forms_.CloseOptionForm();
    forms_.ShowMainMenu();
}

void OptionForm::EventsClick() {
    if (state_.options.MenuChoice != kTechniquesPage) return;
    forms_.CloseOptionForm();
    events_.Run();
    Command1_Click();
}

} // namespace astrodesk
