#pragma once

// What the shell's logic asks of its forms. The desktop implements it with its windows, the
// tests with a recording fake; the logic itself never touches a widget.

#include <string>

namespace astrodesk {

// The main menu's ten choices, numbered like its option buttons Option1..Option10.
enum class Choice {
    NewChart = 1,
    Horoscope,
    ChartWheel,
    Interpret,
    DrawMaps,
    Settings,
    MapOptions,
    Printer,
    Techniques,
    Quit
};
inline constexpr int kChoiceCount = 10;

// The rows of the entry form: option button n selects the field shown in text box n.
enum class EntryField { Name = 1, Date, Time, Latitude, Longitude, Era };
inline constexpr int kEntryFieldCount = 6;

struct OptionPage;

class Forms {
  public:
    virtual ~Forms() = default;

    virtual void ShowMainMenu() = 0;
    virtual void HideMainMenu() = 0;
    virtual void EnableChoice(Choice choice, bool enabled) = 0;

    virtual void ShowEntryForm() = 0;
    // Shows the entry form alone and returns once it has been hidden again ("ALL &DONE").
    virtual void ShowEntryFormModal() = 0;
    virtual void HideEntryForm() = 0;
    // Text box n of the entry form now reads `text`.
    virtual void ShowEntryText(EntryField field, const std::string& text) = 0;
    // Option button n of the entry form can be chosen, or is shown disabled.
    virtual void EnableEntryChoice(EntryField field, bool enabled) = 0;

    // Loads the option form afresh, laid out and selected as the page says, and shows it.
    virtual void ShowOptionPage(const OptionPage& page) = 0;
    virtual void CloseOptionForm() = 0;

    // Ends the program at once: every form closed, nothing saved.
    virtual void Quit() = 0;
};

} // namespace astrodesk
