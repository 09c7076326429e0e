#pragma once

// "CHART LIBRARY": the kept charts, read afresh each time the dialog opens, filtered as the
// search text is typed (name or place). Return opens the chosen chart into the record, Delete
// removes it after a question, Escape closes the dialog and changes nothing. A search that
// matches very many charts lists the first thousand.

#include "app/library_form.hpp"

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace astrodesk {

class ChartLibraryDialog final : public QDialog {
  public:
    explicit ChartLibraryDialog(LibraryForm& form, QWidget* parent = nullptr);

    // The dialog lets the library's file go when it closes, however it closes.
    void done(int result) override;

  protected:
    // In the search field, Up, Down, Page Up and Page Down move through the list; Delete, in
    // the list and at the end of the search text (where it would delete nothing), removes the
    // chosen chart.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowMatches();
    void ShowMessage();
    const KeptChart* ChosenChart() const;
    void OpenChosen();
    void RemoveChosen();

    LibraryForm& form_;
    std::vector<KeptChart> matches_; // the rows listed
    std::size_t found_ = 0;          // the charts that match, listed or not

    QLineEdit* searchText_;
    QTreeWidget* chartList_;
    QLabel* message_;
    QPushButton* open_;
    QPushButton* remove_;
};

} // namespace astrodesk
