#pragma once
// Runs a command-line tool as a user does, through the shell, and keeps what
// it prints on standard output and its exit status.  Shared by the tests of
// the tools; header only, so every test executable still links only its
// own library.

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <string>

namespace quivra::test {

struct ToolRun {
    std::string out;
    int status = -1;  // exit status; -1 when the tool did not exit normally
};

// `s` in single quotes for the shell.
inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (const char c : s) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

// Runs `program` (quoted here) with `args` (shell words as given); standard
// error is discarded.  `environment` goes before the program ("LC_ALL=C").
inline ToolRun runTool(const std::string& program, const std::string& args,
                       const std::string& environment = "") {
    ToolRun r;
    const std::string command =
        environment + " " + shellQuote(program) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace quivra::test
