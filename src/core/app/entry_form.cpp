#include "app/entry_form.hpp"

#include "shell/defaults.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

#include <algorithm>
#include <iterator>

namespace astrodesk {

namespace {

using TextRule = std::optional<std::string> (*)(std::string_view);

// What each row of the form edits: its input box, the record text it sets and the rule that
// answer must pass (the era has a rule of its own, which also sets the era code).
struct FieldRow {
    const char* title;
    const char* example; // appended to the common message
    std::string ChartRecord::*recordText;
    TextRule rule;
    bool stopsClock; // an accepted answer switches the clock off
};

constexpr std::array<FieldRow, kEntryFieldCount> kRows{{
    {"PLEASE ENTER THE REQUIRED NAME", "", &ChartRecord::ChartName, AcceptName, false},
    {"PLEASE ENTER REQUIRED DATE (DD-MM-YYYY)", "", &ChartRecord::ChartDate, AcceptDate, true},
    {"PLEASE ENTER REQUIRED TIME (HH:MM:SS)", "", &ChartRecord::ChartTime, AcceptTime, true},
    {"PLEASE ENTER THE LATITUDE (DDSMM)", "  FOR EXAMPLE ENTER '51N32' OR '07S59'",
     &ChartRecord::ChartLatitude, AcceptLatitude, false},
    {"PLEASE ENTER THE LONGITUDE (DDDSMM)", "  FOR EXAMPLE ENTER '002W13' OR '100E42'",
     &ChartRecord::ChartLongitude, AcceptLongitude, false},
    {"PLEASE ENTER 'A.D.' OR 'B.C.'", "", &ChartRecord::EraText, nullptr, false},
}};

std::size_t Row(EntryField field) {
    return static_cast<std::size_t>(field) - 1;
}

constexpr EntryField kNameAndPlace[] = {EntryField::Name, EntryField::Latitude,
                                        EntryField::Longitude};

bool IsNameOrPlace(EntryField field) {
    return std::find(std::begin(kNameAndPlace), std::end(kNameAndPlace), field) !=
           std::end(kNameAndPlace);
}

} // namespace

std::optional<EntryRefusal> RefusedEntry(const ChartRecord& record) {
    for (std::size_t row = 0; row < kEntryFieldCount; ++row) {
        const FieldRow& fieldRow = kRows[row];
        const bool accepted = fieldRow.rule ? fieldRow.rule(record.*fieldRow.recordText).has_value()
                                            : record.ChartEra == 0 || record.ChartEra == 1;
        if (!accepted) return EntryRefusal{static_cast<EntryField>(row + 1), fieldRow.title};
    }
    return std::nullopt;
}

EntryForm::EntryForm(ProgramState& state, Dialogs& dialogs, const Clock& clock, Forms& forms)
    : state_(state), dialogs_(dialogs), clock_(clock), forms_(forms) {}

const std::string& EntryForm::Text(EntryField field) const {
    return texts_[Row(field)];
}

void EntryForm::SetText(EntryField field, std::string text) {
    texts_[Row(field)] = std::move(text);
    forms_.ShowEntryText(field, texts_[Row(field)]);
}

void EntryForm::ShowName(const std::string& name) {
    SetText(EntryField::Name, std::string(FirstCharacters(name, kShownNameLength)));
}

void EntryForm::ShowRecord() {
    const ChartRecord& record = state_.record;
    ShowName(record.ChartName);
    SetText(EntryField::Date, record.ChartDate);
    SetText(EntryField::Time, record.ChartTime);
    SetText(EntryField::Latitude, record.ChartLatitude);
    SetText(EntryField::Longitude, record.ChartLongitude);
    SetText(EntryField::Era, record.EraText.empty() ? EraTextOf(0) : record.EraText);
}

void EntryForm::Command1_Click(EntryField selected) {
    if (nameAndPlaceLocked_ && IsNameOrPlace(selected)) return;
    const FieldRow& row = kRows[Row(selected)];
    const std::string message = std::string(kEntryPrompt) + row.example;
    // A refused answer brings the same box back, pre-filled with the shown text again.
    for (;;) {
        const std::string answer = dialogs_.InputBox(message, row.title, Text(selected));
        if (answer.empty()) {
            GiveUp(selected);
            return;
        }
        if (Accept(selected, answer)) return;
    }
}

bool EntryForm::Accept(EntryField field, const std::string& answer) {
    if (field == EntryField::Era) return AcceptEraAnswer(answer);
    const FieldRow& row = kRows[Row(field)];
    const std::optional<std::string> value = row.rule(answer);
    if (!value) return false;
    state_.record.*row.recordText = *value;
    if (field == EntryField::Name)
        ShowName(*value);
    else
        SetText(field, *value);
    if (row.stopsClock) state_.options.ClockOn = 0;
    return true;
}

bool EntryForm::AcceptEraAnswer(const std::string& answer) {
    const std::optional<EraChoice> era = AcceptEra(answer);
    if (!era) return false;
    state_.record.EraText = era->EraText;
    state_.record.ChartEra = era->ChartEra;
    SetText(EntryField::Era, era->EraText);
    if (era->ChartEra == 1) state_.options.ClockOn = 0; // a B.C. date is never "now"
    return true;
}

void EntryForm::GiveUp(EntryField field) {
    // The name box already shows at most 25 characters, and so the name is cut to them.
    state_.record.*kRows[Row(field)].recordText = Text(field);
    // Giving the time up also stops the clock at what the box shows.
    if (field == EntryField::Time) state_.options.ClockOn = 0;
}

bool EntryForm::EnterFoundBirth(const std::string& date, const std::string& time,
                                const std::string& latitude, const std::string& longitude,
                                const std::string& era) {
    if (nameAndPlaceLocked_) return false; // a found place would move the base chart's place
    return Accept(EntryField::Date, date) && Accept(EntryField::Time, time) &&
           Accept(EntryField::Latitude, latitude) && Accept(EntryField::Longitude, longitude) &&
           Accept(EntryField::Era, era);
}

bool EntryForm::EnterKeptChart(const ChartRecord& record) {
    if (nameAndPlaceLocked_) return false;
    return Accept(EntryField::Name, record.ChartName) &&
           EnterFoundBirth(record.ChartDate, record.ChartTime, record.ChartLatitude,
                           record.ChartLongitude, EraTextOf(record.ChartEra));
}

void EntryForm::Command2_Click() {
    state_.record.ChartDate = Text(EntryField::Date);
    state_.record.ChartTime = Text(EntryField::Time);
    forms_.HideEntryForm();
    if (!modal_) forms_.ShowMainMenu();
}

void EntryForm::ShowModal() {
    modal_ = true;
    forms_.ShowEntryFormModal();
    modal_ = false;
    // The era box may show another era than the record after a technique chart has written its
    // effective moment: the moment entered is the one the boxes show.
    const std::optional<EraChoice> era = AcceptEra(Text(EntryField::Era));
    if (era) {
        state_.record.EraText = era->EraText;
        state_.record.ChartEra = era->ChartEra;
    }
}

void EntryForm::LockNameAndPlace(bool locked) {
    nameAndPlaceLocked_ = locked;
    for (EntryField field : kNameAndPlace)
        forms_.EnableEntryChoice(field, !locked);
}

void EntryForm::Timer1_Timer() {
    if (state_.options.ClockOn == 1) RefreshClock();
}

void EntryForm::RefreshClock() {
    ChartRecord& record = state_.record;
    record.ChartTime = ClockTimeText(clock_);
    record.ChartDate = TodayText(clock_);
    SetText(EntryField::Time, record.ChartTime);
    SetText(EntryField::Date, record.ChartDate);
    SetText(EntryField::Era, EraTextOf(0));
    record.ChartEra = 0;
}

} // namespace astrodesk
