#include "chart_library_dialog.hpp"

#include "form_metrics.hpp"
#include "qt_text.hpp"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace astrodesk {

namespace {

constexpr int kChartColumnWidths[] = {300, 170, 110}; // name, date, time; the place fills
constexpr int kChartListWidth = 900;
constexpr int kChartRowsShown = 12;
constexpr int kMessageLines = 2;
// A longer list is cut here: a row costs about 2 µs to list, so that every letter typed into a
// search that matches 100,000 charts would otherwise wait a quarter of a second more.
constexpr std::size_t kRowsListedAtMost = 1000;
constexpr QSize kButtonSize{130, 44};

QString DateText(const ChartRecord& record) {
    return FromUtf8(record.ChartDate + (record.ChartEra == 1 ? " B.C." : ""));
}

// The place's name where the chart was kept with one, then its latitude and longitude.
QString PlaceText(const KeptChart& chart) {
    std::string place = chart.placeName;
    for (const std::string* part : {&chart.region, &chart.country})
        if (!part->empty()) place += (place.empty() ? "" : ", ") + *part;
    if (!place.empty()) place += "  ";
    return FromUtf8(place + chart.record.ChartLatitude + " " + chart.record.ChartLongitude);
}

QPushButton* Button(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumSize(kButtonSize);
    return button;
}

} // namespace

ChartLibraryDialog::ChartLibraryDialog(LibraryForm& form, QWidget* parent)
    : QDialog(parent), form_(form), searchText_(new QLineEdit), chartList_(new QTreeWidget),
      message_(new QLabel), open_(Button("Open", QStringLiteral("&OPEN"))),
      remove_(Button("Delete", QStringLiteral("&DELETE"))) {
    setObjectName(QStringLiteral("ChartLibrary"));
    setWindowTitle(QString::fromLatin1(kLibraryTitle));
    setFont(FormFont());
    Paint(*this, kBlue, kWhite);

    searchText_->setObjectName(QStringLiteral("Search"));
    searchText_->setPlaceholderText(QStringLiteral("part of a name or a place"));
    PaintTextBox(*searchText_, kCyan, kBlack);
    searchText_->installEventFilter(this);
    chartList_->setObjectName(QStringLiteral("Charts"));
    chartList_->setHeaderLabels({QStringLiteral("NAME"), QStringLiteral("DATE"),
                                 QStringLiteral("GMT"), QStringLiteral("PLACE")});
    chartList_->setRootIsDecorated(false);
    chartList_->setUniformRowHeights(true);
    chartList_->setAllColumnsShowFocus(true);
    for (int column = 0; column < 3; ++column)
        chartList_->setColumnWidth(column, kChartColumnWidths[column]);
    chartList_->setMinimumSize(kChartListWidth,
                               chartList_->fontMetrics().height() * (kChartRowsShown + 2));
    PaintTextBox(*chartList_, kCyan, kBlack);
    chartList_->installEventFilter(this);
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    message_->setMinimumHeight(message_->fontMetrics().lineSpacing() * kMessageLines);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Paint(*message_, kBlue, kYellow);
    open_->setDefault(true);
    QPushButton* cancel = Button("Cancel", QStringLiteral("&CANCEL"));

    auto* search = new QLabel(QStringLiteral("&SEARCH"));
    search->setBuddy(searchText_);
    auto* grid = new QGridLayout(this);
    grid->addWidget(search, 0, 0);
    grid->addWidget(searchText_, 0, 1);
    grid->addWidget(chartList_, 1, 0, 1, 2);
    grid->addWidget(message_, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {open_, remove_, cancel})
        buttons->addWidget(button);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(10);
    ChainTabOrder({searchText_, chartList_, open_, remove_, cancel});

    connect(searchText_, &QLineEdit::textChanged, this, [this] { ShowMatches(); });
    connect(chartList_, &QTreeWidget::itemDoubleClicked, this, [this] { OpenChosen(); });
    connect(open_, &QPushButton::clicked, this, [this] { OpenChosen(); });
    connect(remove_, &QPushButton::clicked, this, [this] { RemoveChosen(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    searchText_->setFocus();
    form_.Reread();
    ShowMatches();
}

void ChartLibraryDialog::done(int result) {
    form_.Close();
    QDialog::done(result);
}

void ChartLibraryDialog::ShowMatches() {
    matches_ = form_.Matching(searchText_->text().toStdString());
    found_ = matches_.size();
    if (found_ > kRowsListedAtMost) matches_.resize(kRowsListedAtMost);
    QList<QTreeWidgetItem*> rows;
    for (const KeptChart& chart : matches_)
        rows.append(new QTreeWidgetItem(
            QStringList{FromUtf8(chart.record.ChartName), DateText(chart.record),
                        FromUtf8(chart.record.ChartTime), PlaceText(chart)}));
    chartList_->clear();
    chartList_->addTopLevelItems(rows);
    if (!rows.isEmpty()) chartList_->setCurrentItem(rows.front());
    open_->setEnabled(!rows.isEmpty());
    remove_->setEnabled(!rows.isEmpty());
    ShowMessage();
}

void ChartLibraryDialog::ShowMessage() {
    if (!form_.Message().empty())
        message_->setText(FromUtf8(form_.Message()));
    else if (matches_.empty() && searchText_->text().trimmed().isEmpty())
        message_->setText(QStringLiteral("The library %1 is empty.").arg(FromUtf8(form_.Path())));
    else if (matches_.empty())
        message_->setText(QStringLiteral("No kept chart has \"%1\" in its name or place.")
                              .arg(searchText_->text().trimmed()));
    else if (found_ > matches_.size())
        message_->setText(QStringLiteral("The first %1 of %2 charts in %3; type more of a name or "
                                         "place to narrow the list.")
                              .arg(matches_.size())
                              .arg(found_)
                              .arg(FromUtf8(form_.Path())));
    else
        message_->setText(QStringLiteral("%1 %2 in %3. Return opens the chosen chart, Delete "
                                         "removes it, Escape closes.")
                              .arg(matches_.size())
                              .arg(matches_.size() == 1 ? "chart" : "charts")
                              .arg(FromUtf8(form_.Path())));
}

const KeptChart* ChartLibraryDialog::ChosenChart() const {
    const int row = chartList_->indexOfTopLevelItem(chartList_->currentItem());
    return row < 0 ? nullptr : &matches_[static_cast<std::size_t>(row)];
}

void ChartLibraryDialog::OpenChosen() {
    const KeptChart* chart = ChosenChart();
    if (!chart) return;
    if (const std::optional<std::string> refusal = form_.Open(*chart))
        message_->setText(FromUtf8(*refusal));
    else
        accept();
}

void ChartLibraryDialog::RemoveChosen() {
    const KeptChart* chart = ChosenChart();
    if (chart && form_.RemoveAfterQuestion(*chart)) ShowMatches();
}

bool ChartLibraryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool atEndOfSearch =
        watched == searchText_ && searchText_->cursorPosition() == searchText_->text().size();
    if (key == Qt::Key_Delete && (watched == chartList_ || atEndOfSearch)) {
        RemoveChosen();
        return true;
    }
    if (watched == searchText_ && (key == Qt::Key_Up || key == Qt::Key_Down ||
                                   key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        QCoreApplication::sendEvent(chartList_, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace astrodesk
