#pragma once

// The events page: the events of the natal chart over a span the user enters (a year from
// today unless changed), their timeline on the output screen page by page, then their list page
// by page; with hard copy on, the list goes to the printer as well.

#include "app/forms.hpp"
#include "present/timeline.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace astrodesk {

struct Event;

// An event in the 80 columns of the screen and the printer: the Greenwich date and time, the
// body ("P. MARS" progressed), what happens and to what, the phase and the body's longitude.
std::string EventPageLine(const Event& event);
// The column heads above those lines.
inline constexpr const char* kEventPageColumns =
    "DATE       GREENWICH  BODY       EVENT        TARGET     PHASE LONGITUDE";

// Rows of the output screen above CONTINUE, as the horoscope listing fills them.
inline constexpr int kEventPageRows = 23;
// The timeline's pages end above CONTINUE (pixels from the top of the Screen).
inline constexpr double kTimelinePageBottom = 334.0;

// A span of whole days as the user enters it: from 0h of the first day to 24h of the last,
// Julian centuries from J2000.
struct EventSpan {
    std::string firstDay, lastDay; // "DD-MM-YYYY", A.D.
    double fromT = 0.0, toT = 0.0;
};

// The span of two days typed as "DD-MM-YYYY" (A.D.), or the refusal to show: a text that is no
// such date, a last day before the first, a span longer than a century.
struct SpanReading {
    std::optional<EventSpan> span;
    std::string refusal;
};
SpanReading ReadEventSpan(const std::string& firstDay, const std::string& lastDay);

class EventsPage {
  public:
    EventsPage(ProgramState& state, Dialogs& dialogs, const Clock& clock, Printer* printer,
               OutputScreen& output);

    // Asks for the span, searches the natal chart's events, prints them when hard copy is on,
    // shows the timeline and then the list, each page waiting for CONTINUE. Cancel at either
    // question ends it; so does leaving the output screen.
    void Run();

  private:
    std::optional<EventSpan> AskForSpan();
    // One page of the output screen drawn by `draw`; false when the user left the output.
    bool ShowPage(const std::function<void(PictureBox&)>& draw);
    bool ShowTimeline(Timeline timeline, const std::string& title);
    void ShowList(const std::vector<std::string>& lines, const std::string& heading);

    ProgramState& state_;
    Dialogs& dialogs_;
    const Clock& clock_;
    Printer* printer_;
    OutputScreen& output_;
};

} // namespace astrodesk
