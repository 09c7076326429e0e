#include "main_menu_form.hpp"

#include "form_metrics.hpp"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace astrodesk {

namespace {

constexpr TwipRect kClient{0, 0, 9480, 5595};
constexpr TwipRect kText1{0, 240, 9360, 720};
constexpr TwipRect kCommand1{5880, 2400, 2640, 1680};
constexpr int kOptionWidth = 1800;
constexpr int kOptionHeight = 240;
constexpr int kColumnLefts[] = {120, 2400};
constexpr int kFirstOptionTop = 1200;
constexpr int kOptionSpacing = 960; // twips from one choice to the next down a column
constexpr int kChoicesPerColumn = 5;

constexpr const char* kCaptions[kChoiceCount] = {
    "&NEW CHART", "&HOROSCOPE",   "&CHARTWHEEL", "&INTERPRET",  "&DRAW MAPS",
    "&SETTINGS",  "&MAP OPTIONS", "&PRINTER",    "&TECHNIQUES", "&QUIT"};
// Choices 1 to 5 on purple, 6 to 10 on red.
constexpr int kColumnColours[] = {kMagenta, kRed};

// Choices 1 to 5 down the left column, 6 to 10 down the right.
TwipRect OptionRect(int index) {
    const int column = index / kChoicesPerColumn;
    const int row = index % kChoicesPerColumn;
    return {kColumnLefts[column], kFirstOptionTop + kOptionSpacing * row, kOptionWidth,
            kOptionHeight};
}

} // namespace

Mainmenu::Mainmenu(MainMenu& logic, const ProgramState& state) : logic_(logic) {
    setObjectName(QStringLiteral("Mainmenu"));
    setWindowTitle(QString::fromStdString(MainMenuCaption(state)));
    FixFormSize(*this, TwipsToPixels(kClient).size());
    setFont(FormFont());
    Paint(*this, kCyan, kBlack);

    auto* text1 = new QLineEdit(QStringLiteral("PLEASE SELECT ONE OPTION USING MOUSE OR ALT + KEY "
                                               "THEN PRESS ACTION BUTTON."),
                                this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setGeometry(TwipsToPixels(kText1));
    text1->setReadOnly(true);
    PaintTextBox(*text1, kBrown, kWhite);

    for (int index = 0; index < kChoiceCount; ++index) {
        auto* option = new OptionButton(QString::fromLatin1(kCaptions[index]), this);
        option->setObjectName(QStringLiteral("Option%1").arg(index + 1));
        option->setGeometry(TwipsToPixels(OptionRect(index)));
        Paint(*option, kColumnColours[index / kChoicesPerColumn], kBlack);
        options_[static_cast<std::size_t>(index)] = option;
    }
    options_[0]->setChecked(true);

    command1_ = new CommandButton(QStringLiteral("&ACTION"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(TwipsToPixels(kCommand1));
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // Tab order: the choices, then the message box, then ACTION.
    std::vector<QWidget*> tabOrder(options_.begin(), options_.end());
    tabOrder.insert(tabOrder.end(), {text1, command1_});
    ChainTabOrder(tabOrder);
    SetDefaultButton(*this, *command1_);
}

QRadioButton& Mainmenu::Option(Choice choice) const {
    return *options_[static_cast<std::size_t>(choice) - 1];
}

void Mainmenu::Command1_Click() {
    for (int number = 1; number <= kChoiceCount; ++number) {
        const auto choice = static_cast<Choice>(number);
        if (Option(choice).isChecked()) {
            logic_.Command1_Click(choice);
            return;
        }
    }
}

void Mainmenu::closeEvent(QCloseEvent* event) {
    event->ignore();
    logic_.Command1_Click(Choice::Quit);
}

} // namespace astrodesk
