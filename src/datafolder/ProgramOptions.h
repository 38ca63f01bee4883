#pragma once
// The command line of the program itself:
//   quivra [--data DIR] [Qt's own options]
//   quivra --help | --version
// --help and --version are answered before any window system is touched,
// so they work without a display.  Arguments this parser does not know are
// left for Qt (-platform, -display, -style, ...); whatever Qt does not take
// either is an error the program reports.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quivra::datafolder {

struct ProgramOptions {
    bool help = false;
    bool version = false;
    std::optional<std::filesystem::path> data;  // --data DIR
    std::vector<std::string> rest;              // argv[0] and the arguments for Qt
    std::optional<std::string> error;           // a usage error, to print with the help hint
};

// Parses argv.  "--data DIR" and "--data=DIR" are both accepted.
ProgramOptions parseProgramOptions(int argc, const char* const* argv);

// The text of `quivra --help`.
std::string programHelpText();

}  // namespace quivra::datafolder
