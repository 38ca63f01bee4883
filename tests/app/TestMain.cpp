// Runs the main-window tests without a display.  A message box that a test
// did not answer answers itself (and is recorded), so nothing ever blocks.

#include "ErrorHandler.h"
#include "MessageBox.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    quivra::shell::QuivraApplication app(argc, argv);
    quivra::shell::MessageBox::setAutoAnswer(true);
    // A window a command opens modally (another part's dialog) is closed as
    // soon as its event loop runs, so a test never waits for a user.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(50);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
