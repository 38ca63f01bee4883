#pragma once
// FileIo: the seam between the table store and the operating system.  Every
// byte the store reads or writes goes through it, so tests can put a full
// disk or a failing device underneath (see tests/storage/FaultyFileIo.h);
// ForwardingFileIo.h is the base of such layers.
//
// Messages of failed calls name the file and the operation; callers pass them
// on unchanged.

#include "Status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace quivra::storage {

class FileIo {
public:
    enum class Mode {
        Read,       // existing file, read only
        ReadWrite,  // existing file
        CreateNew,  // new file, fails when it exists
    };

    // One open file.  Owned by whoever opened it; closed when destroyed.
    class File {
    public:
        virtual ~File() = default;
        // Reads up to `n` bytes at `offset`; fewer only at end of file.
        virtual Result<std::size_t> readAt(std::uint64_t offset, char* buf, std::size_t n) = 0;
        // Writes all `n` bytes at `offset` or fails.
        virtual Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) = 0;
        virtual Result<std::uint64_t> size() = 0;
        // Makes written data durable (fdatasync).
        virtual Status sync() = 0;
        // Blocking exclusive lock on a byte range, held by this open file (an
        // open-file-description lock: two handles in one process exclude each
        // other as two processes do).  Needs a file opened for writing.
        virtual Status lock(std::uint64_t offset, std::uint64_t length) = 0;
        // Like lock(), but never waits: Busy while another open file holds a
        // conflicting lock.  The default waits, for layers without real locks.
        virtual Status tryLock(std::uint64_t offset, std::uint64_t length) {
            return lock(offset, length);
        }
        virtual void unlock(std::uint64_t offset, std::uint64_t length) = 0;
        [[nodiscard]] virtual const std::filesystem::path& path() const = 0;
    };

    virtual ~FileIo() = default;
    virtual Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) = 0;
    // Atomically replaces `to` by `from` and makes the rename durable.
    virtual Status rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Removes a file; a missing file is not an error.
    virtual Status remove(const std::filesystem::path& path) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;

    // The process-wide POSIX implementation.
    static FileIo& posix();
};

}  // namespace quivra::storage
