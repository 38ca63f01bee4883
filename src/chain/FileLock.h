#pragma once
// FileLock: holds an exclusive lock on a small lock file of the data folder
// for its life (made when missing).  Every copy of the program on the folder
// takes it around the files it guards, so their changes never interleave.

#include "FileIo.h"

#include <filesystem>
#include <memory>

namespace quivra::chain {

class FileLock {
public:
    // Waits for the lock; status() says whether it was taken.
    FileLock(storage::FileIo& io, const std::filesystem::path& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    [[nodiscard]] const core::Status& status() const { return m_status; }

private:
    std::unique_ptr<storage::FileIo::File> m_file;
    core::Status m_status;
};

}  // namespace quivra::chain
