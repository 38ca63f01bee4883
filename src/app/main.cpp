// Quivra: shows the splash, builds the main window and runs the event loop
// until the main window closes.  Data files are read from the working
// directory.

#include "ErrorHandler.h"
#include "Startup.h"
#include "TArrowSel.h"

int main(int argc, char** argv) {
    quivra::shell::QuivraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivra"));

    const std::unique_ptr<quivra::app::TArrowSel> window =
        quivra::app::startMainWindow(std::filesystem::path("."));
    if (!window) return 1;
    return QApplication::exec();
}
