#pragma once
// PosixFileIo: FileIo on POSIX calls (pread/pwrite, fdatasync, F_OFD_SETLKW).

#include "FileIo.h"

namespace quivra::storage {

class PosixFileIo final : public FileIo {
public:
    Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) override;
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    Status remove(const std::filesystem::path& path) override;
    bool exists(const std::filesystem::path& path) override;
};

}  // namespace quivra::storage
