#pragma once
// A stand-in for secret-tool in a scratch folder: a /bin/sh script that
// writes the arguments it was given to a file (NUL-separated) and then does
// what the test asks.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quivra::chain::test {

class FakeSecretTool {
public:
    // Writes `dir`/`name` running `body` after it noted its arguments.
    FakeSecretTool(const std::filesystem::path& dir, const std::string& body,
                   const std::string& name = "secret-tool")
        : m_path(dir / name), m_args(dir / (name + ".args")) {
        std::ofstream(m_path) << "#!/bin/sh\n"
                              << "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '"
                              << m_args.string() << "'\n"
                              << body << "\n";
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all);
    }

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    // The arguments of the last run (the program's name left out).
    [[nodiscard]] std::vector<std::string> arguments() const {
        std::ifstream in(m_args, std::ios::binary);
        const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::vector<std::string> args;
        for (std::size_t at = 0; at < all.size();) {
            const std::size_t end = all.find('\0', at);
            args.push_back(all.substr(at, end - at));
            at = end == std::string::npos ? all.size() : end + 1;
        }
        return args;
    }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_args;
};

}  // namespace quivra::chain::test
