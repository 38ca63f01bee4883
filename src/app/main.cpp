// Quivra: decides the data folder, shows the splash, builds the main window
// and runs the event loop until the main window closes.

#include "CustomerBase.h"
#include "DataFolder.h"
#include "ErrorHandler.h"
#include "MessageBox.h"
#include "ProgramInfo.h"
#include "ProgramOptions.h"
#include "Startup.h"
#include "TArrowSel.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kDesktopId = "example.quivra.Quivra";

}  // namespace

int main(int argc, char** argv) {
    using namespace quivra;
    const datafolder::ProgramOptions options = datafolder::parseProgramOptions(argc, argv);
    if (options.error) {
        std::cerr << "quivra: " << *options.error << "\nTry 'quivra --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << datafolder::programHelpText();
        return 0;
    }
    if (options.version) {
        std::cout << datafolder::versionText("quivra");
        return 0;
    }

    // Qt sees only what is left; it takes its own options out of the list.
    std::vector<std::string> rest = options.rest;
    std::vector<char*> qtArgv;
    qtArgv.reserve(rest.size() + 1);
    for (std::string& arg : rest) qtArgv.push_back(arg.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(rest.size());
    shell::QuivraApplication app(qtArgc, qtArgv.data());
    QApplication::setApplicationName(QStringLiteral("Quivra"));
    QApplication::setApplicationVersion(
        QString::fromUtf8(datafolder::kVersion.data(), datafolder::kVersion.size()));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    if (qtArgc > 1) {
        std::cerr << "quivra: unknown option '" << qtArgv[1] << "'\nTry 'quivra --help'.\n";
        return 2;
    }

    const storage::Result<datafolder::DataFolder> folder =
        datafolder::resolveDataFolder(options.data, datafolder::Environment::current());
    if (!folder) {
        const std::string message = folder.status().message();
        std::cerr << "quivra: " << message << '\n';
        shell::MessageBox::error(nullptr, QString::fromStdString(message),
                                 QStringLiteral("Quivra"));
        return 1;
    }

    // Saves left waiting for the chain's server by an earlier run (or one
    // killed during its sync) are sent from the start.
    chain::CustomerBase::startFor(folder->path);
    const std::unique_ptr<app::TArrowSel> window = app::startMainWindow(folder->path);
    const int status = window ? QApplication::exec() : 1;
    chain::CustomerBase::shutdownAll();
    return status;
}
