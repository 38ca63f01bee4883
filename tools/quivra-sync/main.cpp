// quivra-sync: the chain's customer database from the command line.

#include "ProgramInfo.h"
#include "SyncCommands.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace quivra;
    const sync::SyncOptions options =
        sync::parseSyncOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
        std::cout << sync::syncHelpText();
        return 0;
    }
    if (options.version) {
        std::cout << datafolder::versionText("quivra-sync");
        return 0;
    }
    if (options.error) {
        std::cerr << "quivra-sync: " << *options.error << "\nTry 'quivra-sync --help'.\n";
        return 2;
    }
    return sync::runSync(options);
}
