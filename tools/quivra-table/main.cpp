// quivra-table: looks into xBase tables from the command line.
//   quivra-table info FILE           version, code page, record count, fields
//   quivra-table dump FILE [--json]  every record and field, memos included
//   quivra-table export FILE OUT     delimited text (type 21)
// and the index commands when they are built in.
#include "Command.h"

#include <iostream>

namespace {

using quivra::tabletool::Command;

std::vector<std::span<const Command>> commandGroups() {
    return {
        quivra::tabletool::tableCommands(),
        quivra::tabletool::indexCommands(),
    };
}

void printUsage(std::ostream& out) {
    out << "Usage: quivra-table COMMAND ARGUMENTS\n\nCommands:\n";
    for (const auto& group : commandGroups()) {
        for (const Command& c : group) {
            out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        printUsage(words.empty() ? std::cerr : std::cout);
        return words.empty() ? quivra::tabletool::kExitUsage : quivra::tabletool::kExitOk;
    }
    for (const auto& group : commandGroups()) {
        for (const Command& c : group) {
            if (words[0] == c.name) {
                return c.run(std::vector<std::string>(words.begin() + 1, words.end()));
            }
        }
    }
    std::cerr << "quivra-table: unknown command '" << words[0] << "'\n";
    printUsage(std::cerr);
    return quivra::tabletool::kExitUsage;
}
