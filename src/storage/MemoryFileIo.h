#pragma once
// MemoryFileIo: files kept in memory.  For tests and fuzzing, where the disk
// is neither needed nor wanted.  Locks are no-ops (one process); sync does
// nothing.  Not thread-safe.

#include "FileIo.h"

#include <map>
#include <memory>
#include <string>

namespace quivra::storage {

class MemoryFileIo final : public FileIo {
public:
    Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) override;
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    Result<bool> renameIfAbsent(const std::filesystem::path& from,
                                const std::filesystem::path& to) override;
    Status remove(const std::filesystem::path& path) override;
    bool exists(const std::filesystem::path& path) override;
    // A file keeps its identity through renames, as an inode does.
    Result<FileId> fileId(const std::filesystem::path& path) override;

    // Puts a file in place (replacing one of that name).
    void setFile(const std::filesystem::path& path, std::string bytes);
    // The contents of a file; empty when there is none.
    [[nodiscard]] std::string file(const std::filesystem::path& path) const;
    // Files opened from now on refuse writes (a read-only medium).
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // The identity of the file holding `bytes`.
    static FileId idOf(const std::string& bytes);

private:
    std::map<std::filesystem::path, std::shared_ptr<std::string>> m_files;
    bool m_readOnly = false;
};

}  // namespace quivra::storage
