// quivra-select: the shaft search of the main window on the command line.
// Run in the folder holding the tables (or give --data DIR); prints one JSON
// object describing what the user sees after the search, nested search
// included.
#include "CommandLine.h"
#include "OutcomeJson.h"
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

    selection::SearchEngine engine(options.dataDir);
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
                tools::writeReportFile(outcome, options.dataDir, options.reportPdf, argv[0])) {
            std::cerr << "quivra-select: " << *error << '\n';
            return 4;
        }
    }

    return outcome.dataErrors.empty() ? 0 : 3;
}
