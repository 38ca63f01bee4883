#pragma once
// Subcommands of quivra-table.  Each group of commands lives in its own
// source file and exposes its table through one function; main.cpp lists
// the groups.

#include "Status.h"

#include <span>
#include <string>
#include <vector>

namespace quivra::tabletool {

struct Command {
    const char* name;     // as typed: "info"
    const char* usage;    // arguments: "FILE [--json]"
    const char* summary;  // one line for the help text
    // Runs the command on its arguments (the command name removed).  Returns
    // the exit status; messages go to stdout, errors to stderr.
    int (*run)(const std::vector<std::string>& args);
};

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the operation failed (message on stderr)
inline constexpr int kExitUsage = 2;    // wrong arguments

// Writes "quivra-table: <message>" to stderr; returns kExitFailure.
int fail(const core::Status& status);
// Writes "Usage: quivra-table <name> <args>" to stderr; returns kExitUsage.
int usage(const char* name, const char* args);

// info, dump, export (TableCommands.cpp).
std::span<const Command> tableCommands();
// seek, reindex, check (IndexCommands.cpp).
std::span<const Command> indexCommands();

}  // namespace quivra::tabletool
