#pragma once

// The desktop driven from the keyboard alone, as a user drives it: keys go to whichever widget
// has the focus, and buttons and fields are reached by their mnemonics.

#include "desktop_program.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace astrodesk::testing {

inline QWidget* KeyboardTarget() {
    return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
}
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(KeyboardTarget(), key, modifiers);
}
inline void Type(const char* text) {
    QTest::keyClicks(KeyboardTarget(), QString::fromUtf8(text));
}

// Backspace pressed `count` times.
inline void Erase(int count) {
    for (int pressed = 0; pressed < count; ++pressed)
        Press(Qt::Key_Backspace);
}

template <typename Widget> Widget& Child(QWidget& parent, const char* name) {
    return *parent.findChild<Widget*>(QString::fromLatin1(name));
}

// The texts the entry form shows, NAME to ERA.
inline QStringList EntryTexts(Entrymen& entry) {
    QStringList shown;
    for (int row = 1; row <= kEntryFieldCount; ++row)
        shown << entry.Text(static_cast<EntryField>(row)).text();
    return shown;
}

// True once `window` has the keyboard.
inline bool BecomesActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// Starts the program and opens the entry form with NEW CHART from the main menu's mnemonics;
// false when a window fails to come up. A button's mnemonic clicks it a moment later.
inline bool OpenEntryForm(Program& program) {
    if (!program.desktop.Start() || !BecomesActive(&program.desktop.mainmenu())) return false;
    Press(Qt::Key_N, Qt::AltModifier);
    Press(Qt::Key_A, Qt::AltModifier);
    return BecomesActive(&program.desktop.entrymen());
}

// Presses the entry form's button of mnemonic Alt+`key` and runs `use` on the modal `Dialog` it
// opens, inside the dialog's own event loop. Whatever `use` leaves open is cancelled, so a
// failed check cannot leave the dialog waiting. False when no such dialog came up.
template <typename Dialog> bool UseDialog(Qt::Key key, const std::function<void(Dialog&)>& use) {
    bool used = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || used) return;
        used = true; // first: `use` runs event loops in which the timer fires again
        poll.stop();
        if (BecomesActive(dialog)) use(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    poll.start(10);
    Press(key, Qt::AltModifier);
    return QTest::qWaitFor([&] { return used && !QApplication::activeModalWidget(); });
}

} // namespace astrodesk::testing
