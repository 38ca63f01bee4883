// quivra-table: looks into xBase tables from the command line.
//   quivra-table [--data DIR] COMMAND ARGUMENTS
//   quivra-table info FILE           version, code page, record count, fields
//   quivra-table dump FILE [--json]  every record and field, memos included
//   quivra-table export FILE OUT     delimited text (type 21)
// and the index commands when they are built in.
//
// File names are taken as typed, relative to the working folder.  With
// --data DIR the command works in DIR instead, as if started there.  Without
// it, a table named without a folder that is not in the working folder is
// taken from the user's data folder (the program's own default), and the
// command then works there.
#include "Command.h"
#include "DataFolder.h"
#include "ProgramInfo.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>

namespace {

using quivra::tabletool::Command;
namespace fs = std::filesystem;
namespace df = quivra::datafolder;

std::vector<std::span<const Command>> commandGroups() {
    return {
        quivra::tabletool::tableCommands(),
        quivra::tabletool::indexCommands(),
    };
}

void printUsage(std::ostream& out) {
    out << "Usage: quivra-table [--data DIR] COMMAND ARGUMENTS\n\nCommands:\n";
    for (const auto& group : commandGroups()) {
        for (const Command& c : group) {
            out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
        }
    }
    out << "\nOptions:\n"
        << "  --data DIR   take file names in DIR, as if started there.  Without it, a\n"
        << "               table named without a folder that is not in the working folder\n"
        << "               is taken from your data folder (~/.local/share/quivra).\n"
        << "  --help       show this help and exit\n"
        << "  --version    show the version and exit\n"
        << "\nExit status: 0 done, 1 the operation failed (the reason on standard error),\n"
        << "2 wrong arguments.\n";
}

// Moves into the folder the command works in.  False (message printed) when
// that folder cannot be used.
bool enterDataFolder(const std::optional<fs::path>& named, const std::vector<std::string>& words) {
    const df::Environment env = df::Environment::current();
    if (!named) {
        // Only a bare table name missing here sends the command elsewhere.
        const fs::path table = words.size() > 1 ? fs::path(words[1]) : fs::path();
        std::error_code ec;
        if (table.empty() || table.has_parent_path() || fs::exists(table, ec)) return true;
        const auto folder = df::resolveDataFolder(std::nullopt, env, false);
        if (!folder || folder->origin != df::Origin::UserFolder ||
            !fs::exists(folder->path / table, ec)) {
            return true;  // the command reports the missing file as typed
        }
        std::cerr << "quivra-table: working in " << folder->path.string() << '\n';
        fs::current_path(folder->path, ec);
        return !ec;
    }
    const auto folder = df::resolveDataFolder(named, env, false);
    std::error_code ec;
    if (folder) fs::current_path(folder->path, ec);
    if (!folder || ec) {
        std::cerr << "quivra-table: "
                  << (folder ? folder->path.string() + ": " + ec.message()
                             : folder.status().message())
                  << '\n';
        return false;
    }
    return true;
}

}  // namespace

namespace {

int run(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    std::optional<fs::path> data;
    while (!words.empty() && words[0].starts_with("-")) {
        const std::string option = words[0];
        if (option == "--help" || option == "-h") {
            printUsage(std::cout);
            return quivra::tabletool::kExitOk;
        }
        if (option == "--version") {
            std::cout << df::versionText("quivra-table");
            return quivra::tabletool::kExitOk;
        }
        if (option == "--data" && words.size() > 1 && !words[1].empty()) {
            data = words[1];
            words.erase(words.begin(), words.begin() + 2);
        } else if (option.starts_with("--data=") && option.size() > 7) {
            data = option.substr(7);
            words.erase(words.begin());
        } else {
            std::cerr << "quivra-table: "
                      << (option.starts_with("--data") ? "--data needs the name of a folder"
                                                       : "unknown option '" + option + "'")
                      << "\n\n";
            printUsage(std::cerr);
            return quivra::tabletool::kExitUsage;
        }
    }
    if (words.empty()) {
        printUsage(std::cerr);
        return quivra::tabletool::kExitUsage;
    }
    for (const auto& group : commandGroups()) {
        for (const Command& c : group) {
            if (words[0] == c.name) {
                if (!enterDataFolder(data, words)) return quivra::tabletool::kExitFailure;
                return c.run(std::vector<std::string>(words.begin() + 1, words.end()));
            }
        }
    }
    std::cerr << "quivra-table: unknown command '" << words[0] << "'\n";
    printUsage(std::cerr);
    return quivra::tabletool::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    // The commands report through Status; what still throws is the standard
    // library running out of memory or a stream failing outright.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "quivra-table: " << e.what() << '\n';
        return quivra::tabletool::kExitFailure;
    }
}
