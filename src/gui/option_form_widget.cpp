#include "option_form_widget.hpp"

#include "form_metrics.hpp"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace astrodesk {

namespace {

constexpr TwipRect LabelRect(const TwipRect& frame) {
    return {60, 120, frame.width - 120, 240};
}

using OptionClick = void (GENERAL::*)(int);
constexpr OptionClick kOptionClicks[kOptionGroupCount] = {
    &GENERAL::Option1_Click, &GENERAL::Option2_Click, &GENERAL::Option3_Click,
    &GENERAL::Option4_Click};

} // namespace

GENERAL::GENERAL(OptionForm& logic, const OptionPage& page) : logic_(logic) {
    setObjectName(QStringLiteral("GENERAL"));
    setWindowTitle(QStringLiteral("GENERAL MENU"));
    FixFormSize(*this, TwipsToPixels(kOptionFormClient).size());
    setFont(FormFont());

    std::vector<QWidget*> tabOrder;
    for (int group = 1; group <= kOptionGroupCount; ++group) {
        const auto buttons =
            AddGroup(group, page.groups[static_cast<std::size_t>(group - 1)], page.toggles);
        tabOrder.insert(tabOrder.end(), buttons.begin(), buttons.end());
    }
    if (page.findsEvents) {
        auto* events = new CommandButton(QString::fromLatin1(kEventsCaption), this);
        events->setObjectName(QStringLiteral("Events"));
        events->setGeometry(TwipsToPixels(kEventsButton));
        connect(events, &QPushButton::clicked, this, [this] { Events_Click(); });
        tabOrder.push_back(events);
    }
    auto* begin = new CommandButton(QStringLiteral("&BEGIN"), this);
    begin->setObjectName(QStringLiteral("Command1"));
    begin->setGeometry(TwipsToPixels(kBeginButton));
    connect(begin, &QPushButton::clicked, this, [this] { Command1_Click(); });
    tabOrder.push_back(begin);
    ChainTabOrder(tabOrder);
    SetDefaultButton(*this, *begin);
}

std::vector<QWidget*> GENERAL::AddGroup(int group, const OptionGroup& layout,
                                        const std::vector<OptionToggle>& toggles) {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame%1").arg(group));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(TwipsToPixels(layout.frame));
    frame->setVisible(layout.visible);
    Paint(*frame, kLightGrey, kBlack);

    auto* label = new QLabel(QString::fromLatin1(layout.label.c_str()), frame);
    label->setObjectName(QStringLiteral("Label%1").arg(group));
    label->setGeometry(TwipsToPixels(LabelRect(layout.frame)));

    // Only the buttons inside the frame exist on this page; the design's others lie outside.
    std::vector<QWidget*> buttons;
    for (int index = 0; index < layout.offered; ++index) {
        const auto& caption = layout.captions[static_cast<std::size_t>(index)];
        auto* option = new OptionButton(QString::fromLatin1(caption.c_str()), frame);
        option->setObjectName(QStringLiteral("Option%1_%2").arg(group).arg(index));
        option->setGeometry(TwipsToPixels(OptionButtonRect(group, index, layout.frame)));
        option->setChecked(index == layout.selected);
        const OptionClick click = kOptionClicks[group - 1];
        connect(option, &QRadioButton::clicked, this,
                [this, click, index] { (this->*click)(index); });
        buttons.push_back(option);
    }
    // Tab order runs down the frame, which for the fourth group is from index 1 to index 0.
    if (group == kOptionGroupCount) std::reverse(buttons.begin(), buttons.end());
    // A check box follows the button whose row it shares.
    for (std::size_t toggle = 0; toggle < toggles.size(); ++toggle) {
        const OptionToggle& box = toggles[toggle];
        if (box.group != group) continue;
        const QString besideName = QStringLiteral("Option%1_%2").arg(group).arg(box.beside);
        const auto beside = std::find_if(buttons.begin(), buttons.end(), [&](QWidget* button) {
            return button->objectName() == besideName;
        });
        buttons.insert(beside == buttons.end() ? beside : beside + 1,
                       AddToggle(static_cast<int>(toggle), box, *frame));
    }
    return buttons;
}

QWidget* GENERAL::AddToggle(int toggle, const OptionToggle& layout, QWidget& frame) {
    auto* box = new CheckButton(QString::fromLatin1(layout.caption.c_str()), &frame);
    box->setObjectName(QStringLiteral("Toggle%1").arg(toggle));
    box->setGeometry(TwipsToPixels(layout.rect));
    box->setChecked(layout.checked);
    connect(box, &QCheckBox::toggled, this,
            [this, toggle](bool checked) { Toggle_Click(toggle, checked); });
    return box;
}

void GENERAL::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command1_Click();
}

} // namespace astrodesk
