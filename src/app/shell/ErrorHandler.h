#pragma once
// The general error handler: a failure inside a handler ends that handler and
// is shown in an error box; the program goes on.  No exception crosses the
// Qt event loop: handlers run their work through guarded(), and
// QuivraApplication::notify() catches whatever still escapes.

#include <QApplication>
#include <QString>

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

class QWidget;

namespace quivra::shell {

// An error a handler raises to end itself with a message for the user.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
    explicit UserError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Shows `message` in the general error box.
void showError(QWidget* parent, const QString& message);

// Runs `work`; an exception ends it and is shown in the error box.
// Returns true when `work` finished without an exception.
template <class F>
bool guarded(QWidget* parent, F&& work) {
    try {
        std::forward<F>(work)();
        return true;
    } catch (const std::exception& e) {
        showError(parent, QString::fromStdString(e.what()));
    } catch (...) {
        showError(parent, QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

// The application object: catches exceptions that escape event handlers.
class QuivraApplication : public QApplication {
public:
    QuivraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace quivra::shell
