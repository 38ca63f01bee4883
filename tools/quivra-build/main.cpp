// quivra-build: the arrow build sheet on the command line.  Prints one JSON
// object with what the finished arrow will do from the customer's bow, or
// {"error":"..."} naming the option at fault (exit status 1).  A catalogue
// shaft (--shaft) is read from the data folder the program would use, or
// from --data DIR.
#include "BuildOptions.h"
#include "BuildSheetJson.h"
#include "DataFolder.h"
#include "ProgramInfo.h"
#include "ShaftCatalogue.h"
#include "ShaftLookup.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace quivra;
    tools::BuildRequest request;
    if (const auto error = tools::parseBuildOptions(argc, argv, request)) {
        std::cout << tools::buildErrorJson(*error) << '\n';
        return 1;
    }
    if (request.help) {
        std::cout << tools::buildUsageText();
        return 0;
    }
    if (request.version) {
        std::cout << datafolder::versionText("quivra-build");
        return 0;
    }
    // A folder named by --data must be usable even when no shaft is read
    // from it; without --data the folder is looked for only for a shaft.
    if (request.dataDir || request.shaftKey) {
        const auto folder =
            datafolder::resolveDataFolder(request.dataDir, datafolder::Environment::current());
        if (!folder) {
            std::cout << tools::buildErrorJson("--data: " + folder.status().message()) << '\n';
            return 1;
        }
        if (request.shaftKey) {
            catalogue::ShaftCatalogue specs(folder->path);
            auto shaft =
                buildsheet::lookUpShaft(specs, *request.shaftKey, request.input.chart.page);
            if (!shaft) {
                std::cout << tools::buildErrorJson("--shaft: " + shaft.status().message()) << '\n';
                return 1;
            }
            request.input.arrow.shaft = std::move(shaft).value().shaft;
        }
    }
    const calculators::BuildSheet sheet = calculators::computeBuildSheet(request.input);
    if (!sheet.ok()) {
        const calculators::InputError& first = sheet.errors.front();
        std::cout << tools::buildErrorJson(tools::optionOf(first.field) + ": " + first.message)
                  << '\n';
        return 1;
    }
    std::cout << tools::buildSheetJson(sheet) << '\n';
    return 0;
}
