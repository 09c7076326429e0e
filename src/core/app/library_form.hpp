#pragma once

// The logic of the entry form's OPEN and SAVE over the chart library. OPEN reads the library
// afresh each time it is shown (a chart kept meanwhile by the command line is there), filters it
// by name or place, enters the chosen chart through the entry form's field rules and removes a
// chart after a question. SAVE asks for a name, keeps the record and says where. Reading never
// creates the library's file, and no transaction outlasts one read or one change, so another
// program may use the same file at the same time.

#include "app/entry_form.hpp"
#include "library/chart_library.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

inline constexpr const char* kLibraryTitle = "CHART LIBRARY";
inline constexpr const char* kSaveTitle = "SAVE CHART";

class LibraryForm {
  public:
    // `path`: the library's file.
    LibraryForm(ProgramState& state, Dialogs& dialogs, EntryForm& entry, std::string path);
    ~LibraryForm();

    const std::string& Path() const { return path_; }

    // OPEN: reads the library again. Afterwards Message() says why there is nothing to list
    // (no library file yet, a file that is no library or is damaged), or is empty.
    void Reread();
    const std::string& Message() const { return message_; }
    // The kept charts whose name or place holds `query` (accents and case ignored), by name.
    std::vector<KeptChart> Matching(std::string_view query);
    // Return: the chart into the record through the field rules; nothing when it entered, else
    // why not. A chart a rule refuses (a file written by hand or by another program) changes
    // nothing; the answer names what that field's rule expects.
    std::optional<std::string> Open(const KeptChart& chart);
    // Delete: asks first; true when the chart was removed. A failure is said in a message box.
    bool RemoveAfterQuestion(const KeptChart& chart);
    // The dialog has closed: the file is let go.
    void Close();

    // SAVE: asks for the name (filled in with the record's, asked again while the name rule
    // refuses it, given up when empty), refuses a record a field rule refuses with that
    // field's own input-box title, and says where the chart was kept, or that it already was.
    void Save();

  private:
    std::string AskName();
    void Say(const std::string& text, const char* title);

    ProgramState& state_;
    Dialogs& dialogs_;
    EntryForm& entry_;
    std::string path_;
    std::string message_;
    std::unique_ptr<ChartLibrary> library_; // while OPEN's dialog is shown
};

} // namespace astrodesk
