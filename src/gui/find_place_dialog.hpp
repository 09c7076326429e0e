#pragma once

// "FIND PLACE": a birth given as a place name and the local clock time. The atlas's matches follow
// the search text, most populous first, found away from the keyboard's thread (the first search
// builds the place index) so that typing never waits for them; the chosen place's zone (which the
// user may override) turns the local date and time into the Greenwich date and time that the entry
// form takes, shown before OK with the zone's offset at that moment and the place's latitude and
// longitude texts.

#include "atlas/local_birth.hpp"

#include <QDialog>
#include <QFutureWatcher>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace astrodesk {

class FindPlaceDialog final : public QDialog {
  public:
    // `date` and `eraText` ("A.D." or "B.C.") pre-fill the local date and the era.
    FindPlaceDialog(const Atlas& atlas, const std::string& date, const std::string& eraText,
                    QWidget* parent = nullptr);

    // The record's texts of the chosen place and local moment; present exactly while OK is
    // enabled.
    const std::optional<GreenwichBirth>& Birth() const { return birth_; }

  protected:
    // Up, Down, Page Up and Page Down in the search field move through the matches.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SearchMatches();
    void ShowMatches(const std::vector<AtlasPlace>& matches);
    void TakeZoneOfChosenPlace();
    void Convert();
    const AtlasPlace* ChosenPlace() const;
    std::string WhyNoPlace() const;
    // The place's texts are known once a place is chosen, the offset and the Greenwich moment
    // only with a valid conversion; `message` says why there is none, or that the hour repeats.
    void ShowOutcome(const AtlasPlace* place, const std::string& message);

    const Atlas& atlas_;
    std::vector<AtlasPlace> matches_;
    QFutureWatcher<std::vector<AtlasPlace>> search_; // the latest search only
    std::optional<GreenwichBirth> birth_;

    QLineEdit* searchText_;
    QTreeWidget* matchList_;
    QLineEdit* date_;
    QComboBox* era_;
    QLineEdit* time_;
    QLineEdit* zone_;
    QLabel* offset_;
    QLabel* greenwich_;
    QLabel* placeTexts_;
    QLabel* message_;
    QPushButton* ok_;
};

} // namespace astrodesk
