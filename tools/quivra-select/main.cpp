// quivra-select: the shaft search of the main window on the command line.
// Works in the data folder the program would use (or --data DIR); prints one JSON
// object describing what the user sees after the search, nested search
// included.
#include "CommandLine.h"
#include "DataFolder.h"
#include "OutcomeJson.h"
#include "ProgramInfo.h"
#include "ReportFile.h"
#include "SearchEngine.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace quivra;
    tools::Options options;
    if (const auto error = tools::parseCommandLine(argc, argv, options)) {
        std::cerr << "quivra-select: " << *error << "\n\n" << tools::usageText();
        return 2;
    }
    if (options.help) {
        std::cout << tools::usageText();
        return 0;
    }
    if (options.version) {
        std::cout << datafolder::versionText("quivra-select");
        return 0;
    }
    const auto folder =
        datafolder::resolveDataFolder(options.dataDir, datafolder::Environment::current());
    if (!folder) {
        std::cout << tools::errorJson(folder.status().message()) << '\n';
        return 1;
    }
    const std::filesystem::path& dataDir = folder->path;

    selection::SearchEngine engine(dataDir);
    const selection::SearchOutcome& outcome = engine.search(options.inputs);
    if (outcome.error) {
        std::cout << tools::errorJson(*outcome.error) << '\n';
        return 1;
    }
    std::cout << tools::outcomeJson(outcome) << '\n';

    // Further outputs of the same search go here, each from `outcome` (for
    // example a printed report written to a file named by an option).
    if (!options.reportPdf.empty()) {
        if (const auto error =
                tools::writeReportFile(outcome, dataDir, options.reportPdf, argv[0])) {
            std::cerr << "quivra-select: " << *error << '\n';
            return 4;
        }
    }

    return outcome.dataErrors.empty() ? 0 : 3;
}
