#pragma once

// The logic of the entry form `Entrymen`: its six text boxes act as read-only displays of the
// chart record; a field is edited through an input box that asks again until the answer passes
// the field's rule or is given up; a 100 ms timer keeps date and time at "now" while the clock
// is on.

#include "app/forms.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <array>
#include <optional>
#include <string>

namespace astrodesk {

// A field of a record that its entry rule refuses, and the title of that field's input box,
// which says what the rule expects ("PLEASE ENTER REQUIRED DATE (DD-MM-YYYY)").
struct EntryRefusal {
    EntryField field;
    std::string title;
};
// The first field of `record` that the entry rules refuse; nothing when every field passes.
std::optional<EntryRefusal> RefusedEntry(const ChartRecord& record);

// The common message of every field's input box.
inline constexpr const char* kEntryPrompt = "ENTER YOUR CHOICE USING THE KEYBOARD, OR PRESS THE "
                                            "OK BUTTON TO SELECT THE CURRENT DISPLAY.";
// The entry form shows at most this many characters of the name.
inline constexpr std::size_t kShownNameLength = 25;

class EntryForm {
  public:
    EntryForm(ProgramState& state, Dialogs& dialogs, const Clock& clock, Forms& forms);

    // The text box of a field.
    const std::string& Text(EntryField field) const;
    void SetText(EntryField field, std::string text);
    // Text1 shows the first 25 characters of the name.
    void ShowName(const std::string& name);
    // Text1..Text5 take the chart record's texts, Text6 the era ("A.D." while none is set).
    void ShowRecord();

    // "&ENTER": edits the selected field through its input box (a locked field stays as it is).
    void Command1_Click(EntryField selected);
    // "ALL &DONE": the record takes the date and time shown; back to the main menu, or back to
    // the procedure that showed the form modally.
    void Command2_Click();
    // The form alone until "ALL &DONE", for a second moment or person: afterwards the record
    // holds the date, time and era that the boxes show.
    void ShowModal();
    // While a technique takes its target moment, name and place stay those of the base chart:
    // their choices are disabled.
    void LockNameAndPlace(bool locked);
    // Every 100 ms: follows the clock while ClockOn is 1.
    void Timer1_Timer();
    // Date and time of the record and their boxes at "now", era A.D.
    void RefreshClock();

    // "FIND PLACE" answered with OK: the date, Greenwich time, latitude, longitude and era found
    // enter through their field rules, as if typed into their input boxes; the name stays.
    // False when a rule refused a text (that field and the later ones keep their values).
    bool EnterFoundBirth(const std::string& date, const std::string& time,
                         const std::string& latitude, const std::string& longitude,
                         const std::string& era);
    // A kept chart opened: its name, then its moment and place, enter through their field
    // rules as if typed; false when a rule refused a text or name and place are held fixed.
    bool EnterKeptChart(const ChartRecord& record);

  private:
    // Stores an accepted answer in the record and its box; false when the rule refuses it.
    bool Accept(EntryField field, const std::string& answer);
    bool AcceptEraAnswer(const std::string& answer);
    // An empty answer: the record field goes back to what its box shows.
    void GiveUp(EntryField field);

    ProgramState& state_;
    Dialogs& dialogs_;
    const Clock& clock_;
    Forms& forms_;
    std::array<std::string, kEntryFieldCount> texts_;
    bool modal_ = false;
    bool nameAndPlaceLocked_ = false;
};

} // namespace astrodesk
