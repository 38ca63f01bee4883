#pragma once
// The options of quivra-build: the bow, the arrow (weighed whole, or a
// catalogue shaft with its parts) and the chart set-up of the spine check.

#include "BuildSheet.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quivra::tools {

struct BuildRequest {
    calculators::BuildSheetInput input;
    std::optional<std::string> shaftKey;  // --shaft: to be looked up in the catalogue
    // --data DIR; without it the data folder is decided as for the program.
    std::optional<std::filesystem::path> dataDir;
    bool help = false;
    bool version = false;
};

// Parses argv.  Gives the text of the first problem, naming its option
// ("--draw-weight: 'abc' is not a number."), or nothing.  --help and
// --version end the parsing; nothing else is checked then.  Both "--name
// value" and "--name=value" are accepted; numbers are read without regard to
// the process locale.
std::optional<std::string> parseBuildOptions(int argc, const char* const* argv,
                                             BuildRequest& request);

// The option through which a computed input fault entered ("--draw-length").
std::string optionOf(calculators::InputField field);

std::string buildUsageText();

}  // namespace quivra::tools
