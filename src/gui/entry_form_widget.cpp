#include "entry_form_widget.hpp"

#include "chart_library_dialog.hpp"
#include "find_place_dialog.hpp"
#include "form_metrics.hpp"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

namespace astrodesk {

namespace {

constexpr TwipRect kClient{0, 0, 7560, 4395};
constexpr TwipRect kCommand1{5040, 1440, 1560, 1200};
constexpr TwipRect kCommand2{5040, 2880, 1560, 1200};
// "FIND &PLACE" in the free space above "&ENTER", as wide as the other two buttons, with equal
// gaps to the name box and to "&ENTER".
constexpr TwipRect kCommand3{5040, 840, 1560, 480};
// "OPEN &CHART" and "&SAVE CHART" in the free space between the place boxes and the two large
// buttons, each as high as "FIND &PLACE" and centred on the row of latitude or longitude.
constexpr TwipRect kCommand4{3720, 2280, 1200, 480};
constexpr TwipRect kCommand5{3720, 3000, 1200, 480};
constexpr int kRowHeight = 720;
constexpr int kOptionWidth = 2640;
constexpr int kTextLeft = 2640;
constexpr int kTextWidths[kEntryFieldCount] = {5280, 1560, 1200, 960, 960, 720};
constexpr const char* kOptionCaptions[kEntryFieldCount] = {
    "&NAME", "&DATE (DDMMYYYY)", "&GMT  (HHMMSS)", "&LAT  (DDSMM)", "L&ONG (DDDSMM)", "&AD / BC"};
// What the boxes held when the form was designed; start-up replaces them at once.
constexpr const char* kDesignTexts[kEntryFieldCount] = {"CURRENT TIME", "10-02-1993", "20:15:30",
                                                        "51N33",        "000E40",     "A.D."};
constexpr int kClockInterval = 100; // milliseconds

using TextGotFocus = void (Entrymen::*)();
constexpr TextGotFocus kGotFocus[kEntryFieldCount] = {
    &Entrymen::Text1_GotFocus, &Entrymen::Text2_GotFocus, &Entrymen::Text3_GotFocus,
    &Entrymen::Text4_GotFocus, &Entrymen::Text5_GotFocus, &Entrymen::Text6_GotFocus};

std::size_t Row(EntryField field) {
    return static_cast<std::size_t>(field) - 1;
}

} // namespace

Entrymen::Entrymen(EntryForm& logic, LibraryForm& library, const Atlas& atlas)
    : logic_(logic), library_(library), atlas_(atlas),
      command3_(new QPushButton(QStringLiteral("FIND &PLACE"), this)),
      command4_(new QPushButton(QStringLiteral("OPEN &CHART"), this)), timer1_(new QTimer(this)) {
    setObjectName(QStringLiteral("Entrymen"));
    setWindowTitle(QStringLiteral("HOROSCOPE DATA ENTRY FORM"));
    FixFormSize(*this, TwipsToPixels(kClient).size());
    setFont(FormFont());
    Paint(*this, kBlue, kWhite);

    for (std::size_t row = 0; row < kEntryFieldCount; ++row) {
        const int top = kRowHeight * static_cast<int>(row);
        auto* option = new OptionButton(QString::fromLatin1(kOptionCaptions[row]), this);
        option->setObjectName(QStringLiteral("Option%1").arg(row + 1));
        option->setGeometry(TwipsToPixels(TwipRect{0, top, kOptionWidth, kRowHeight}));
        Paint(*option, kCyan, kBlack);
        option->installEventFilter(this);
        options_[row] = option;

        auto* text = new QLineEdit(QString::fromLatin1(kDesignTexts[row]), this);
        text->setObjectName(QStringLiteral("Text%1").arg(row + 1));
        text->setGeometry(TwipsToPixels(TwipRect{kTextLeft, top, kTextWidths[row], kRowHeight}));
        text->setReadOnly(true);
        text->installEventFilter(this);
        PaintTextBox(*text, kCyan, kBlack);
        texts_[row] = text;
    }
    options_[0]->setChecked(true);

    auto* command1 = new CommandButton(QStringLiteral("&ENTER"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(TwipsToPixels(kCommand1));
    connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    auto* command2 = new CommandButton(QStringLiteral("ALL &DONE"), this);
    command2->setObjectName(QStringLiteral("Command2"));
    command2->setGeometry(TwipsToPixels(kCommand2));
    connect(command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setGeometry(TwipsToPixels(kCommand3));
    connect(command3_, &QPushButton::clicked, this, [this] { Command3_Click(); });
    command4_->setObjectName(QStringLiteral("Command4"));
    command4_->setGeometry(TwipsToPixels(kCommand4));
    connect(command4_, &QPushButton::clicked, this, [this] { Command4_Click(); });
    auto* command5 = new QPushButton(QStringLiteral("&SAVE CHART"), this);
    command5->setObjectName(QStringLiteral("Command5"));
    command5->setGeometry(TwipsToPixels(kCommand5));
    connect(command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    // A found place or a kept chart changes latitude and longitude: not while the place is held
    // fixed.
    for (EntryField field : {EntryField::Latitude, EntryField::Longitude})
        Option(field).installEventFilter(this);

    std::vector<QWidget*> tabOrder(options_.begin(), options_.end());
    tabOrder.insert(tabOrder.end(), texts_.begin(), texts_.end());
    tabOrder.insert(tabOrder.end(), {command1, command2, command3_, command4_, command5});
    ChainTabOrder(tabOrder);
    SetDefaultButton(*this, *command2);

    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    timer1_->start(kClockInterval);
}

void Entrymen::ShowText(EntryField field, const std::string& text) {
    Text(field).setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void Entrymen::EnableOption(EntryField field, bool enabled) {
    QRadioButton& option = Option(field);
    option.setEnabled(enabled);
    if (!enabled && option.isChecked()) Option(EntryField::Date).setChecked(true);
}

QLineEdit& Entrymen::Text(EntryField field) const {
    return *texts_[Row(field)];
}
QRadioButton& Entrymen::Option(EntryField field) const {
    return *options_[Row(field)];
}

EntryField Entrymen::SelectedField() const {
    for (int row = 1; row <= kEntryFieldCount; ++row) {
        const auto field = static_cast<EntryField>(row);
        if (Option(field).isChecked()) return field;
    }
    return EntryField::Name;
}

void Entrymen::Command1_Click() {
    logic_.Command1_Click(SelectedField());
}
void Entrymen::Command2_Click() {
    logic_.Command2_Click();
}
void Entrymen::Command3_Click() {
    FindPlaceDialog dialog(atlas_, Text(EntryField::Date).text().toStdString(),
                           Text(EntryField::Era).text().toStdString(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Birth()) return;
    const GreenwichBirth& birth = *dialog.Birth();
    logic_.EnterFoundBirth(birth.ChartDate, birth.ChartTime, birth.ChartLatitude,
                           birth.ChartLongitude, birth.EraText);
}
void Entrymen::Command4_Click() {
    ChartLibraryDialog dialog(library_, this);
    dialog.exec();
}
void Entrymen::Command5_Click() {
    library_.Save();
}
void Entrymen::Timer1_Timer() {
    logic_.Timer1_Timer();
}

void Entrymen::PassFocusToOption(EntryField field) {
    QRadioButton& option = Option(field);
    // Name and place stay fixed while their buttons are disabled.
    if (!option.isEnabled()) return;
    option.setFocus();
    option.setChecked(true);
}

bool Entrymen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        const bool placeFree =
            Option(EntryField::Latitude).isEnabled() && Option(EntryField::Longitude).isEnabled();
        command3_->setEnabled(placeFree);
        command4_->setEnabled(placeFree);
    }
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        for (std::size_t row = 0; row < kEntryFieldCount; ++row) {
            if (watched == texts_[row]) {
                std::invoke(kGotFocus[row], this);
                break;
            }
            // "&DATE" shares its letter with "ALL &DONE": Alt+D moves the focus between the two
            // without pressing either. A field reached so is also selected, so that ENTER then
            // edits the field the focus shows.
            if (watched == options_[row]) {
                if (reason == Qt::ShortcutFocusReason) options_[row]->setChecked(true);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Entrymen::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command2_Click();
}

} // namespace astrodesk
