#include "ErrorHandler.h"

#include "MessageBox.h"

namespace quivra::shell {

void showError(QWidget* parent, const QString& message) {
    MessageBox::error(parent, message);
}

QuivraApplication::QuivraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QuivraApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    guarded(nullptr, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace quivra::shell
