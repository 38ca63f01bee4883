#pragma once
// PosixFileIo: FileIo on POSIX calls (pread/pwrite, fdatasync, F_OFD_SETLK).

#include "FileIo.h"

namespace quivra::storage {

class PosixFileIo final : public FileIo {
public:
    Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) override;
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    Result<bool> renameIfAbsent(const std::filesystem::path& from,
                                const std::filesystem::path& to) override;
    Status remove(const std::filesystem::path& path) override;
    bool exists(const std::filesystem::path& path) override;
    Result<FileId> fileId(const std::filesystem::path& path) override;
    Result<std::vector<FolderEntry>> listFolder(const std::filesystem::path& folder) override;
};

}  // namespace quivra::storage
