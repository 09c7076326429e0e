#pragma once

// The reading on paper. Lines go down the page and a new page starts before any line that would
// start more than 270 mm down. Lines that belong together stay on one page: a heading with the
// first line of the text it heads, a note with the last line of the text it follows (a strength
// line does both), so that none is left at the foot of a page, or at the head of the next,
// without its text. The lines are therefore held until the document ends, and laid out then.

#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <string>
#include <vector>

namespace astrodesk {

// A printer position (millimetres) below which no new line may start.
inline constexpr double kPageBreakMillimetres = 270.0;

// Which neighbour a line must share its page with: the next or the previous line that is not
// empty (the empty lines between go with them).
enum class Binding { None, Next, Previous, Both };

class HardCopy {
  public:
    // Nothing reaches paper without a printer.
    explicit HardCopy(Printer* printer) : printer_(printer) {}

    // A line of text and its line end; a line of exactly 80 characters fills the printed line,
    // so the next line follows without a line end of its own.
    void Line(const std::string& text, Binding binding = Binding::None);

    // The head of the document: the name, then the birth data as the listing gives them (date
    // and era, Greenwich time, latitude and longitude texts), then an empty line.
    void Heading(const ChartRecord& record, bool beforeChrist);

    // Lays out and prints the lines held, then ends the document.
    void EndDoc();

  private:
    struct Held {
        std::string text;
        Binding binding;
    };
    // The end (one past) of the group of lines that must share a page with line `first`.
    std::size_t GroupEnd(std::size_t first) const;
    // Printed lines a held line takes: a long one wraps; an empty one after a full line only
    // ends it.
    int Rows(std::size_t line) const;
    void Print(std::size_t line);

    Printer* printer_;
    std::vector<Held> held_;
};

} // namespace astrodesk
