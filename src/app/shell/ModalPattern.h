#pragma once
// The modal pattern every dialog command uses: make a new instance, show it
// modally (the main window is disabled meanwhile), destroy it when it has
// closed, also when showing it failed with an error.  A failure is shown in
// the general error box and the program goes on.

#include "ErrorHandler.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <utility>

namespace quivra::shell {

// Called with every dialog just before it is shown; tests use it to reach the
// instance (nullptr in normal use).
using DialogObserver = std::function<void(QDialog*)>;
void setDialogObserver(DialogObserver observer);
void notifyDialogShown(QDialog* dialog);

// Creates a `Dialog` with `args...` and the given parent, runs it modally and
// destroys it.  Returns the dialog's result code (QDialog::Rejected when it
// could not be made or shown).
template <class Dialog, class... Args>
int runModal(QWidget* parent, Args&&... args) {
    int result = QDialog::Rejected;
    guarded(parent, [&] {
        auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)..., parent);
        dialog->setModal(true);
        notifyDialogShown(dialog.get());
        result = dialog->exec();
    });
    return result;
}

}  // namespace quivra::shell
