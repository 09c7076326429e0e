#include "desktop.hpp"

#include "ephemeris/coefficient_files.hpp"
#include "form_metrics.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QRadioButton>
#include <iostream>

namespace astrodesk {

Desktop::Desktop(Services services, const Atlas& atlas, std::string libraryPath)
    : services_(services), shell_(services, *this, output_),
      library_(shell_.state, services.dialogs, shell_.entryForm, std::move(libraryPath)),
      mainmenu_(shell_.mainMenu, shell_.state), entrymen_(shell_.entryForm, library_, atlas) {}

bool Desktop::Start() {
    try {
        shell_.mainMenu.Main();
        return true;
    } catch (const DataFileError& error) {
        // On stderr too, for a start from a terminal or a script; the box only where someone
        // can close it.
        std::cerr << "astrodesk: " << error.what() << '\n';
        if (services_.dialogs.Attended())
            services_.dialogs.MessageBox(error.what(), shell_.state.ProductBanner,
                                         MessageButtons::Ok);
        return false;
    }
}

// The menu comes back when an output has ended: its blank window goes.
void Desktop::ShowMainMenu() {
    if (quitting_) return;
    if (!output_.Waiting()) output_.hide();
    ShowWhollyOnScreen(mainmenu_);
}

void Desktop::HideMainMenu() {
    mainmenu_.hide();
}

void Desktop::EnableChoice(Choice choice, bool enabled) {
    mainmenu_.Option(choice).setEnabled(enabled);
}

void Desktop::ShowEntryForm() {
    ShowWhollyOnScreen(entrymen_);
}

void Desktop::ShowEntryFormModal() {
    entrymen_.setWindowModality(Qt::ApplicationModal);
    ShowEntryForm();
    QEventLoop modal;
    modalEntry_ = &modal;
    modal.exec();
    modalEntry_ = nullptr;
    entrymen_.setWindowModality(Qt::NonModal);
}

void Desktop::HideEntryForm() {
    entrymen_.hide();
    if (modalEntry_) modalEntry_->quit();
}

void Desktop::ShowEntryText(EntryField field, const std::string& text) {
    entrymen_.ShowText(field, text);
}

void Desktop::EnableEntryChoice(EntryField field, bool enabled) {
    entrymen_.EnableOption(field, enabled);
}

void Desktop::ShowOptionPage(const OptionPage& page) {
    general_ = std::make_unique<GENERAL>(shell_.optionForm, page);
    ShowWhollyOnScreen(*general_);
}

void Desktop::CloseOptionForm() {
    // Hidden only: this runs inside the form's own handlers. The next page replaces it.
    if (general_) general_->hide();
}

void Desktop::Quit() {
    quitting_ = true;
    CloseOptionForm();
    for (QWidget* form : {static_cast<QWidget*>(&mainmenu_), static_cast<QWidget*>(&entrymen_),
                          static_cast<QWidget*>(&output_)})
        form->hide();
    // Ends every event loop, a page's wait included.
    QCoreApplication::exit(0);
}

} // namespace astrodesk
