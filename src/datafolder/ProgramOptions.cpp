#include "ProgramOptions.h"

#include "DataFolder.h"

#include <string_view>

namespace quivra::datafolder {

ProgramOptions parseProgramOptions(int argc, const char* const* argv) {
    ProgramOptions options;
    if (argc > 0) options.rest.emplace_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--data") {
            if (i + 1 >= argc) {
                options.error = "--data needs the name of a folder";
                return options;
            }
            options.data = argv[++i];
        } else if (arg.substr(0, 7) == "--data=") {
            options.data = std::string(arg.substr(7));
        } else {
            options.rest.emplace_back(arg);
        }
    }
    if (options.data && options.data->empty()) options.error = "--data needs the name of a folder";
    return options;
}

std::string programHelpText() {
    std::string text =
        "Usage: quivra [--data DIR]\n"
        "Arrow-shaft selection for the archery shop counter: enter draw weight, arrow\n"
        "length and point weight, describe the bow and pick a category page; Quivra\n"
        "shows the recommended shafts, builds the finished arrow weight, keeps customer\n"
        "set-ups and prints one-page reports.\n"
        "\n"
        "Options:\n";
    text += kDataOptionHelp;
    text +=
        "  --help       show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "Qt's own options (-platform, -display, -style, ...) are accepted as well.\n"
        "\n"
        "The data folder holds the reference tables (HUNTCHRT.DBF, Targchrt.dbf,\n"
        "YouthChrt.dbf, KSTRCHRT.dbf, Specs.DBF with specs.idx, Newtraj.dbf), invsel.txt,\n"
        "tuning_guide.pdf and the pictures/ folder, and the shop's own files: the saved\n"
        "set-ups (Saveddb.dbf, Saveddb.fpt, Saved.idx), the shop details (SHOPINFO.DBF)\n"
        "and the customer export custdb.txt.  A new release replaces the reference\n"
        "tables in your own data folder and never the shop's files.\n";
    return text;
}

}  // namespace quivra::datafolder
