#include "app/library_form.hpp"

#include "shell/record_rules.hpp"

#include <filesystem>
#include <utility>

namespace astrodesk {

namespace {

// A message of the library as a sentence: capital first letter, full stop at the end.
std::string Sentence(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') text.front() -= 'a' - 'A';
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

} // namespace

LibraryForm::LibraryForm(ProgramState& state, Dialogs& dialogs, EntryForm& entry, std::string path)
    : state_(state), dialogs_(dialogs), entry_(entry), path_(std::move(path)) {}

LibraryForm::~LibraryForm() = default;

void LibraryForm::Reread() {
    library_.reset();
    message_.clear();
    std::error_code ignored;
    if (!std::filesystem::exists(path_, ignored)) {
        message_ = "The library is empty: no chart has been kept in " + path_ + " yet.";
        return;
    }
    try {
        library_ = std::make_unique<ChartLibrary>(path_, LibraryAccess::Read);
    } catch (const LibraryError& error) {
        library_.reset();
        message_ = Sentence(error.what());
    }
}

std::vector<KeptChart> LibraryForm::Matching(std::string_view query) {
    if (!library_) return {};
    try {
        return library_->List(query);
    } catch (const LibraryError& error) {
        library_.reset(); // the file was damaged or replaced while the dialog was shown
        message_ = Sentence(error.what());
        return {};
    }
}

std::optional<std::string> LibraryForm::Open(const KeptChart& chart) {
    if (const std::optional<EntryRefusal> refusal = RefusedEntry(chart.record))
        return Quoted(chart.record.ChartName) + " is not opened. " + refusal->title;
    if (!entry_.EnterKeptChart(chart.record))
        return std::string("Name and place are held fixed while a second moment is entered.");
    return std::nullopt;
}

bool LibraryForm::RemoveAfterQuestion(const KeptChart& chart) {
    if (!library_) return false;
    const std::string question = "Remove " + Quoted(chart.record.ChartName) + " (" +
                                 chart.record.ChartDate + " " + chart.record.ChartTime +
                                 ") from the library?";
    if (dialogs_.MessageBox(question, kLibraryTitle, MessageButtons::OkCancel) != MessageAnswer::Ok)
        return false;
    try {
        return library_->Remove(chart.id);
    } catch (const LibraryError& error) {
        Say(Sentence(error.what()), kLibraryTitle);
        return false;
    }
}

void LibraryForm::Close() {
    library_.reset();
}

void LibraryForm::Save() {
    const std::string name = AskName();
    if (name.empty()) return;
    KeptChart chart;
    chart.record = state_.record;
    chart.record.ChartName = name;
    if (const std::optional<EntryRefusal> refusal = RefusedEntry(chart.record)) {
        Say("The chart is not saved. " + refusal->title, kSaveTitle);
        return;
    }
    try {
        ChartLibrary library(path_, LibraryAccess::Write);
        const bool added = library.Add(chart).second;
        Say(added ? "Saved " + Quoted(name) + " in the library " + path_ + "."
                  : Quoted(name) + " is already kept in the library " + path_ +
                        " with this moment and place: it was not saved again.",
            kSaveTitle);
    } catch (const LibraryError& error) {
        Say("The chart is not saved: " + std::string(error.what()) + ".", kSaveTitle);
    }
}

std::string LibraryForm::AskName() {
    // A refused name brings the same box back, as the entry form's boxes do.
    for (;;) {
        const std::string answer = dialogs_.InputBox(
            "THE NAME TO SAVE THE CHART UNDER IN THE LIBRARY", kSaveTitle, state_.record.ChartName);
        if (answer.empty()) return answer;
        if (const std::optional<std::string> name = AcceptName(answer)) return *name;
    }
}

void LibraryForm::Say(const std::string& text, const char* title) {
    dialogs_.MessageBox(text, title, MessageButtons::Ok);
}

} // namespace astrodesk
