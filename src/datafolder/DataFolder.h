#pragma once
// The data folder: the one folder whose tables, pictures and text files a
// program of Quivra opens by their fixed names.  The program and the tools
// decide it the same way, once, at start:
//
//   1. `--data DIR` names it.
//   2. Otherwise the working folder, when it holds the tables (a run folder,
//      or a shop's folder started from as always).
//   3. Otherwise the user's own data folder, $XDG_DATA_HOME/quivra (by
//      default ~/.local/share/quivra).  It is made and filled from the
//      installed reference data (<prefix>/share/quivra) on first use, and
//      after an upgrade the installed reference tables replace the older ones
//      there; the shop's own files are never replaced (ReferenceData.h).
//
// Every failure is one message that names the folder and says what to do.
// The chosen folder is absolute, so that every later message about one of
// its files names the file with its folder.

#include "Status.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::datafolder {

// What the decision depends on, gathered from the process by current() and
// set by hand in tests.
struct Environment {
    std::filesystem::path workingFolder;  // absolute
    std::string xdgDataHome;              // $XDG_DATA_HOME, "" when unset
    std::string home;                     // $HOME, "" when unset
    // Folders that may hold the installed reference data, in the order they
    // are tried: beside the program (<exe>/../share/quivra), each entry of
    // $XDG_DATA_DIRS (default /usr/local/share:/usr/share) with /quivra, and
    // the folder the build installs to.
    std::vector<std::filesystem::path> installedDataDirs;

    static Environment current();
};

enum class Origin {
    Named,          // --data DIR
    WorkingFolder,  // the working folder held the tables
    UserFolder,     // $XDG_DATA_HOME/quivra
};

struct DataFolder {
    std::filesystem::path path;  // absolute
    Origin origin = Origin::Named;
    // Files of the user's folder written from the installed data on this
    // start (empty when it was up to date, or for the other origins).
    std::vector<std::string> written;
};

// Text of the --data option for every --help.
inline constexpr std::string_view kDataOptionHelp =
    "  --data DIR   work on the tables in DIR.  Without it: the working folder when\n"
    "               it holds the tables, otherwise your own data folder\n"
    "               ($XDG_DATA_HOME/quivra, by default ~/.local/share/quivra), made\n"
    "               from the installed reference data on first use.\n";

// The tables whose presence makes a folder a data folder.
inline constexpr std::string_view kReferenceTables[] = {
    "HUNTCHRT.DBF", "Targchrt.dbf", "YouthChrt.dbf", "KSTRCHRT.dbf", "Specs.DBF"};

// True when `folder` holds at least one of the reference tables.
bool holdsTables(const std::filesystem::path& folder);

// $XDG_DATA_HOME/quivra when that is an absolute path, else
// $HOME/.local/share/quivra; empty when neither variable helps.
std::filesystem::path userDataFolder(const Environment& env);

// The first of env.installedDataDirs that holds the tables; empty if none.
std::filesystem::path installedDataFolder(const Environment& env);

// Decides the data folder as described above.  `named` is the --data value.
// With `fill` set (the program and quivra-select), the user's folder is made
// and brought up to date from the installed data; without it (quivra-table,
// which only looks at files) it is taken as it is and must exist.
storage::Result<DataFolder> resolveDataFolder(const std::optional<std::filesystem::path>& named,
                                              const Environment& env, bool fill = true);

}  // namespace quivra::datafolder
