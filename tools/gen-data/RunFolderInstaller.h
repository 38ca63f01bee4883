#pragma once
// RunFolderInstaller: moves freshly generated files from a staging folder
// into the run folder.
//
// Reference files are replaced only when their content changed (a table's
// last-update date in header bytes 1-3 does not count), each by a rename of
// the staged file, so the run folder never holds a half-written file.  The
// shop's own files are installed only where none exists yet.

#include <filesystem>
#include <string>
#include <vector>

namespace quivra::gendata {

class RunFolderInstaller {
public:
    // Both folders must be on the same file system (the staging folder lives
    // inside the run folder).
    RunFolderInstaller(std::filesystem::path stagingDir, std::filesystem::path runDir);

    // Installs staging/<relative> as run/<relative> when the content differs
    // or the target is missing.  Returns false and fills `error` on failure.
    bool installReference(const std::filesystem::path& relative, std::string& error);
    // Installs staging/<relative> only when run/<relative> does not exist.
    bool installIfMissing(const std::filesystem::path& relative, std::string& error);

    [[nodiscard]] const std::vector<std::string>& written() const { return m_written; }
    [[nodiscard]] const std::vector<std::string>& unchanged() const { return m_unchanged; }

    // True when the two files hold the same content; for .dbf files the
    // header's last-update date (bytes 1-3) is ignored.
    static bool sameContent(const std::filesystem::path& a, const std::filesystem::path& b);

private:
    bool move(const std::filesystem::path& relative, std::string& error);

    std::filesystem::path m_staging;
    std::filesystem::path m_run;
    std::vector<std::string> m_written;
    std::vector<std::string> m_unchanged;
};

}  // namespace quivra::gendata
