#include "qt_platform.hpp"

#include "qt_text.hpp"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <algorithm>

namespace astrodesk {

namespace {

constexpr int kInputBoxWidth = 560; // pixels

// A message box without a title of its own carries the program's name.
QString WindowTitle(const std::string& title) {
    return title.empty() ? QCoreApplication::applicationName().toUpper() : FromUtf8(title);
}

QMessageBox::StandardButtons ButtonSet(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer Answer(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default: // Cancel, or the box closed by its window frame
        return MessageAnswer::Cancel;
    }
}

} // namespace

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& prefill) {
    QDialog box;
    box.setWindowTitle(WindowTitle(title));
    box.setFixedWidth(kInputBoxWidth);
    auto* message = new QLabel(FromUtf8(prompt)); // wrapped, as the long prompts need
    message->setWordWrap(true);
    auto* answer = new QLineEdit(FromUtf8(prefill));
    answer->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    auto* layout = new QVBoxLayout(&box);
    for (QWidget* part : {static_cast<QWidget*>(message), static_cast<QWidget*>(answer),
                          static_cast<QWidget*>(buttons)})
        layout->addWidget(part);
    if (box.exec() != QDialog::Accepted) return {};
    // Text stays single-byte inside the program; characters beyond Latin-1 become '?'.
    return answer->text().toStdString();
}

bool QtDialogs::Attended() const {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

MessageAnswer QtDialogs::MessageBox(const std::string& text, const std::string& title,
                                    MessageButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, WindowTitle(title), FromUtf8(text), ButtonSet(buttons));
    return Answer(box.exec());
}

} // namespace astrodesk
