#pragma once
// The commands of quivra-sync, parsed from the command line and run.  Kept
// apart from main() so that the parsing is plain data.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quivra::sync {

struct SyncOptions {
    std::string command;                           // import, export, migrate, sync
    std::optional<std::filesystem::path> dataDir;  // --data
    std::optional<std::string> server;             // --server CONNINFO
    std::optional<std::string> shop;               // --shop NAME
    std::optional<std::filesystem::path> out;      // --out DIR (export)
    std::filesystem::path source;                  // import PATH
    bool dryRun = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> error;  // a usage error, for stderr
};

SyncOptions parseSyncOptions(const std::vector<std::string>& args);
std::string syncHelpText();
// Runs the command; messages on stdout, errors on stderr.  The exit status.
int runSync(const SyncOptions& options);

}  // namespace quivra::sync
