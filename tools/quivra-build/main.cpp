// quivra-build: the arrow build sheet on the command line.  Prints one JSON
// object with what the finished arrow will do from the customer's bow, or
// {"error":"..."} naming the option at fault (exit status 1).
#include "BuildOptions.h"
#include "BuildSheetJson.h"
#include "SpecsShaftLookup.h"

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
    if (request.shaftKey) {
        auto shaft = tools::lookUpShaft(request.dataDir, *request.shaftKey);
        if (!shaft) {
            std::cout << tools::buildErrorJson("--shaft: " + shaft.status().message()) << '\n';
            return 1;
        }
        request.input.arrow.shaft = std::move(shaft).value();
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
