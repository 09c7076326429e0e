#pragma once

// The entry form `Entrymen` ("HOROSCOPE DATA ENTRY FORM"): six option buttons pick a field,
// six text boxes show the chart record, "&ENTER" edits the picked field, "ALL &DONE" returns to
// the main menu; a 100 ms timer keeps date and time at "now" while the clock is on. "FIND &PLACE"
// takes the birth as a place of the atlas and a local clock time instead; "OPEN &CHART" takes a
// chart kept in the chart library, "&SAVE CHART" keeps the record there.

#include "app/entry_form.hpp"
#include "app/library_form.hpp"
#include "atlas/atlas.hpp"

#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace astrodesk {

class Entrymen final : public QWidget {
  public:
    Entrymen(EntryForm& logic, LibraryForm& library, const Atlas& atlas);

    void ShowText(EntryField field, const std::string& text);
    // A disabled choice shows grey and cannot be picked; if it was the picked one, the date is
    // picked instead.
    void EnableOption(EntryField field, bool enabled);
    QLineEdit& Text(EntryField field) const;
    QRadioButton& Option(EntryField field) const;

    void Command1_Click();
    void Command2_Click();
    // "FIND &PLACE": the "FIND PLACE" dialog; its OK enters the Greenwich date, time and era and
    // the place texts through the field rules, as if typed. The name stays.
    void Command3_Click();
    // "OPEN &CHART": the "CHART LIBRARY" dialog; the chart chosen there enters the record
    // through the field rules, name included.
    void Command4_Click();
    // "&SAVE CHART": keeps the record in the chart library under a name asked for.
    void Command5_Click();
    void Timer1_Timer();
    // Text1_GotFocus .. Text6_GotFocus: a text box passes the focus on to the option button of
    // its row, which picks that field; so the boxes act as read-only displays.
    void Text1_GotFocus() { PassFocusToOption(EntryField::Name); }
    void Text2_GotFocus() { PassFocusToOption(EntryField::Date); }
    void Text3_GotFocus() { PassFocusToOption(EntryField::Time); }
    void Text4_GotFocus() { PassFocusToOption(EntryField::Latitude); }
    void Text5_GotFocus() { PassFocusToOption(EntryField::Longitude); }
    void Text6_GotFocus() { PassFocusToOption(EntryField::Era); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing the window is "ALL &DONE".
    void closeEvent(QCloseEvent* event) override;

  private:
    void PassFocusToOption(EntryField field);
    EntryField SelectedField() const;

    EntryForm& logic_;
    LibraryForm& library_;
    const Atlas& atlas_;
    std::array<QRadioButton*, kEntryFieldCount> options_;
    std::array<QLineEdit*, kEntryFieldCount> texts_;
    QPushButton* command3_;
    QPushButton* command4_;
    QTimer* timer1_;
};

} // namespace astrodesk
