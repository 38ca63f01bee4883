#pragma once
// The options of quivra-select.  Texts and item indexes are what the main
// window's controls would hold; unset options keep the window's start values.

#include "SelectionInputs.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quivra::tools {

struct Options {
    selection::SelectionInputs inputs;
    // --data DIR; without it the data folder is decided as for the program.
    std::optional<std::filesystem::path> dataDir;
    bool help = false;
    bool version = false;
    // --report FILE.pdf: also write the category report of the search there.
    std::filesystem::path reportPdf;
    // Further outputs (for example a printed report file) get their field
    // here and their entry in the option table of CommandLine.cpp.
};

// Parses argv into `options`.  Gives the text of a usage error, or nothing.
// Both "--name value" and "--name=value" are accepted.
std::optional<std::string> parseCommandLine(int argc, const char* const* argv, Options& options);

// The --help text.
std::string usageText();

}  // namespace quivra::tools
