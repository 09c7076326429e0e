#pragma once

// The logic of the option form `GENERAL` ("GENERAL MENU"): one form with four frames of option
// buttons that serves three pages of the main menu, SETTINGS (6), MAP OPTIONS (7) and
// TECHNIQUES (9). A click stores the button's index in the page's option code at once; "&BEGIN"
// returns to the main menu. Geometry is in twips, as the form was designed.

#include "app/forms.hpp"
#include "shell/program_state.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace astrodesk {

class EntryForm;
class EventsPage;

struct TwipRect {
    int left, top, width, height;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

inline constexpr int kOptionGroupCount = 4;
inline constexpr TwipRect kOptionFormClient{0, 0, 7440, 3675};
inline constexpr TwipRect kBeginButton{4800, 2400, 1800, 1200};
// TECHNIQUES: the button that opens the events page, left of "&BEGIN".
inline constexpr TwipRect kEventsButton{2760, 2400, 1800, 1200};
inline constexpr const char* kEventsCaption = "&FIND EVENTS";

// One frame: its label on top and its indexed group of option buttons.
struct OptionGroup {
    TwipRect frame;
    bool visible = true;
    std::string label;
    std::vector<std::string> captions; // every button of the group, by index
    int offered = 0;   // buttons 0 .. offered - 1 lie inside the frame; the others are not shown
    int selected = -1; // the button standing for the current option code
};

// A check box beside one button of a group: an on/off variant of the choice that button makes.
struct OptionToggle {
    int group = 1;  // the frame it stands in
    int beside = 0; // index of the group's button whose row it shares
    TwipRect rect;  // inside that frame
    std::string caption;
    bool checked = false;
};

struct OptionPage {
    std::int16_t menuChoice = 6;
    std::array<OptionGroup, kOptionGroupCount> groups; // Frame1/Option1 .. Frame4/Option4
    std::vector<OptionToggle> toggles; // TECHNIQUES: solar-arc angles, mean-year returns
    bool findsEvents = false;          // TECHNIQUES: the events page's button
};

// The page as it opens for MenuChoice 6, 7 or 9, before any button is selected.
OptionPage LayOutOptionPage(std::int16_t menuChoice);

// Place of button `index` of group 1..4 inside its frame. Buttons stack downwards from below the
// label; in group 4 index 1 is the upper one.
TwipRect OptionButtonRect(int group, int index, const TwipRect& frame);

class OptionForm {
  public:
    OptionForm(ProgramState& state, EntryForm& entry, Forms& forms, EventsPage& events);

    // Lays the page out for MenuChoice, selects the button of each option code (which counts as
    // clicking it) and shows the form.
    void Form_Load();
    // Option1_Click .. Option4_Click: group 1..4, button index.
    void OptionClick(int group, int index);
    // A check box of the page's toggles (by index) checked or cleared: its option code 1 or 0.
    void ToggleClick(int toggle, bool checked);
    // "&BEGIN": an ordinary chart drops the relationship ending of the name; back to the menu.
    void Command1_Click();
    // "&FIND EVENTS" on TECHNIQUES: the form hidden, the events page, then as "&BEGIN".
    void EventsClick();

  private:
    // "&Natal" on TECHNIQUES: the record returns to the natal moment (or, in relationship mode,
    // to the moment of the last relationship chart, ending that mode).
    void RestoreNatal();

    ProgramState& state_;
    EntryForm& entry_;
    Forms& forms_;
    EventsPage& events_;
};

} // namespace astrodesk
