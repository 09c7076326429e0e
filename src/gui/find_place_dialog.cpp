#include "find_place_dialog.hpp"

#include "form_metrics.hpp"
#include "qt_text.hpp"
#include "shell/record_rules.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtConcurrent/QtConcurrentRun>

namespace astrodesk {

namespace {

constexpr int kMatchColumnWidths[] = {200, 180, 240}; // name, region, country; the zone fills
constexpr int kMatchListWidth = 840;
constexpr int kMatchRowsShown = 8;
constexpr int kMessageLines = 3;
constexpr QSize kButtonSize{130, 44};

// A message of the atlas as a sentence: capital first letter, full stop at the end.
QString Sentence(const std::string& text) {
    QString sentence = FromUtf8(text);
    if (sentence.isEmpty()) return sentence;
    sentence[0] = sentence[0].toUpper();
    if (!sentence.endsWith(u'.')) sentence += u'.';
    return sentence;
}

QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* caption = new QLabel(text);
    caption->setBuddy(buddy);
    return caption;
}

// A read-only value in the look of the entry form's text boxes.
QLabel* ValueBox(const char* name) {
    auto* value = new QLabel;
    value->setObjectName(QString::fromLatin1(name));
    value->setMargin(4);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Paint(*value, kCyan, kBlack);
    return value;
}

QLineEdit* TextBox(const char* name, const QString& text, int maxLength) {
    auto* box = new QLineEdit(text);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(maxLength);
    PaintTextBox(*box, kCyan, kBlack);
    return box;
}

} // namespace

FindPlaceDialog::FindPlaceDialog(const Atlas& atlas, const std::string& date,
                                 const std::string& eraText, QWidget* parent)
    : QDialog(parent), atlas_(atlas), searchText_(TextBox("Search", {}, 80)),
      matchList_(new QTreeWidget), date_(TextBox("LocalDate", FromUtf8(date), 10)),
      era_(new QComboBox), time_(TextBox("LocalTime", {}, 8)), zone_(TextBox("Zone", {}, 60)),
      offset_(ValueBox("Offset")), greenwich_(ValueBox("Greenwich")),
      placeTexts_(ValueBox("PlaceTexts")), message_(new QLabel),
      ok_(new QPushButton(QStringLiteral("&OK"))) {
    setObjectName(QStringLiteral("FindPlace"));
    setWindowTitle(QStringLiteral("FIND PLACE"));
    setFont(FormFont());
    Paint(*this, kBlue, kWhite);

    searchText_->setPlaceholderText(
        QStringLiteral("a name, e.g. Manchester; after a comma, a region or country"));
    searchText_->installEventFilter(this);
    matchList_->setObjectName(QStringLiteral("Matches"));
    matchList_->setHeaderLabels({QStringLiteral("PLACE"), QStringLiteral("REGION"),
                                 QStringLiteral("COUNTRY"), QStringLiteral("ZONE")});
    matchList_->setRootIsDecorated(false);
    matchList_->setUniformRowHeights(true);
    matchList_->setAllColumnsShowFocus(true);
    for (int column = 0; column < 3; ++column)
        matchList_->setColumnWidth(column, kMatchColumnWidths[column]);
    matchList_->setMinimumSize(kMatchListWidth,
                               matchList_->fontMetrics().height() * (kMatchRowsShown + 2));
    PaintTextBox(*matchList_, kCyan, kBlack);
    era_->setObjectName(QStringLiteral("Era"));
    for (const std::int16_t era : {0, 1}) // the item's index is the record's era code
        era_->addItem(QString::fromStdString(EraTextOf(era)));
    era_->setCurrentIndex(eraText == EraTextOf(1) ? 1 : 0);
    time_->setPlaceholderText(QStringLiteral("HH:MM:SS"));
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    message_->setMinimumHeight(message_->fontMetrics().lineSpacing() * kMessageLines);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Paint(*message_, kBlue, kYellow);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&CANCEL"));
    cancel->setObjectName(QStringLiteral("Cancel"));

    // Captions on the left, the matches across the whole width below their caption.
    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption(QStringLiteral("&SEARCH"), searchText_), 0, 0);
    grid->addWidget(searchText_, 0, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("&MATCHES (MOST POPULOUS FIRST)"), matchList_), 1, 0, 1,
                    4);
    grid->addWidget(matchList_, 2, 0, 1, 4);
    grid->addWidget(Caption(QStringLiteral("LOCAL &DATE (DD-MM-YYYY)"), date_), 3, 0);
    grid->addWidget(date_, 3, 1);
    grid->addWidget(Caption(QStringLiteral("&ERA"), era_), 3, 2);
    grid->addWidget(era_, 3, 3, Qt::AlignLeft);
    grid->addWidget(Caption(QStringLiteral("LOCAL &TIME (HH:MM:SS)"), time_), 4, 0);
    grid->addWidget(time_, 4, 1);
    grid->addWidget(Caption(QStringLiteral("&ZONE"), zone_), 4, 2);
    grid->addWidget(zone_, 4, 3);
    grid->addWidget(new QLabel(QStringLiteral("OFFSET")), 5, 0);
    grid->addWidget(offset_, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("GREENWICH")), 5, 2);
    grid->addWidget(greenwich_, 5, 3);
    grid->addWidget(new QLabel(QStringLiteral("LAT / LONG")), 6, 0);
    grid->addWidget(placeTexts_, 6, 1);
    grid->addWidget(message_, 7, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ok_, cancel}) {
        button->setMinimumSize(kButtonSize);
        buttons->addWidget(button);
    }
    grid->addLayout(buttons, 8, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setVerticalSpacing(10);
    ChainTabOrder({searchText_, matchList_, date_, era_, time_, zone_, ok_, cancel});

    connect(searchText_, &QLineEdit::textChanged, this, [this] { SearchMatches(); });
    connect(&search_, &QFutureWatcherBase::finished, this,
            [this] { ShowMatches(search_.result()); });
    connect(matchList_, &QTreeWidget::currentItemChanged, this,
            [this] { TakeZoneOfChosenPlace(); });
    for (QLineEdit* box : {date_, time_, zone_})
        connect(box, &QLineEdit::textChanged, this, [this] { Convert(); });
    connect(era_, &QComboBox::currentIndexChanged, this, [this] { Convert(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    searchText_->setFocus();
    SearchMatches(); // an empty search, which has the atlas build its index while the user types
    Convert();
}

void FindPlaceDialog::SearchMatches() {
    search_.setFuture(
        QtConcurrent::run([&atlas = atlas_, query = searchText_->text().toStdString()] {
            return atlas.FindPlaces(query);
        }));
}

void FindPlaceDialog::ShowMatches(const std::vector<AtlasPlace>& matches) {
    matches_ = matches;
    QList<QTreeWidgetItem*> rows;
    for (const AtlasPlace& place : matches_)
        rows.append(
            new QTreeWidgetItem(QStringList{FromUtf8(place.name), FromUtf8(place.region),
                                            FromUtf8(place.country), FromUtf8(place.zone)}));
    const QSignalBlocker quiet(matchList_); // the zone follows the first row once it is current
    matchList_->clear();
    matchList_->addTopLevelItems(rows);
    if (!rows.isEmpty()) matchList_->setCurrentItem(rows.front());
    TakeZoneOfChosenPlace();
}

const AtlasPlace* FindPlaceDialog::ChosenPlace() const {
    const int row = matchList_->indexOfTopLevelItem(matchList_->currentItem());
    return row < 0 ? nullptr : &matches_[static_cast<std::size_t>(row)];
}

void FindPlaceDialog::TakeZoneOfChosenPlace() {
    const AtlasPlace* place = ChosenPlace();
    const QSignalBlocker quiet(zone_); // one conversion below, not one for the zone as well
    zone_->setText(place ? FromUtf8(place->zone) : QString());
    Convert();
}

std::string FindPlaceDialog::WhyNoPlace() const {
    const std::string query = searchText_->text().trimmed().toStdString();
    if (query.empty()) return "type the beginning of a place name under SEARCH";
    if (search_.isRunning()) return "searching the atlas";
    return "no place in the atlas matches \"" + query + "\"";
}

void FindPlaceDialog::Convert() {
    birth_.reset();
    const AtlasPlace* place = ChosenPlace();
    if (!place) {
        ShowOutcome(nullptr, WhyNoPlace());
        return;
    }
    if (time_->text().isEmpty()) {
        ShowOutcome(place, "type the local clock time as HH:MM:SS");
        return;
    }
    const BirthConversion conversion = ConvertLocalBirth(
        atlas_,
        LocalBirth{date_->text().toStdString(), time_->text().toStdString(),
                   static_cast<std::int16_t>(era_->currentIndex()),
                   zone_->text().trimmed().toStdString(), place->latitudeDeg, place->longitudeDeg});
    birth_ = conversion.birth;
    if (!birth_)
        ShowOutcome(place, conversion.refusal);
    else if (!birth_->notice.empty())
        ShowOutcome(place, birth_->notice);
    else if (birth_->offset.abbreviation == "LMT")
        ShowOutcome(place, "the zone kept no standard time yet: the clocks kept the local mean "
                           "time of the place");
    else
        ShowOutcome(place, "");
}

void FindPlaceDialog::ShowOutcome(const AtlasPlace* place, const std::string& message) {
    placeTexts_->setText(place ? QString::fromStdString(LatitudeTextOf(place->latitudeDeg) + "  " +
                                                        LongitudeTextOf(place->longitudeDeg))
                               : QString());
    offset_->setText(birth_ ? QString::fromStdString(OffsetText(birth_->offset.seconds) + "  " +
                                                     birth_->offset.abbreviation)
                            : QString());
    greenwich_->setText(birth_ ? QString::fromStdString(birth_->ChartDate + "  " +
                                                        birth_->ChartTime + "  " + birth_->EraText)
                               : QString());
    message_->setText(Sentence(message));
    ok_->setEnabled(birth_.has_value());
}

bool FindPlaceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchText_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(matchList_, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace astrodesk
