#pragma once
// FileIo: the seam between the table store and the operating system.  Every
// byte the store reads or writes goes through it, so tests can put a full
// disk or a failing device underneath (see tests/storage/FaultyFileIo.h);
// ForwardingFileIo.h is the base of such layers.
//
// Messages of failed calls name the file and the operation; callers pass them
// on unchanged.

#include "Status.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quivra::storage {

class FileIo {
public:
    enum class Mode {
        Read,       // existing file, read only
        ReadWrite,  // existing file
        CreateNew,  // new file, fails when it exists
    };

    // Which file a path or an open file is (device and inode): two opens of
    // one file agree; a file renamed over the path since is another file.
    struct FileId {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool operator==(const FileId&) const = default;
    };

    // One entry of a folder, as listFolder() gives it.
    struct FolderEntry {
        std::string name;  // file name without the folder
        std::chrono::system_clock::time_point modified;
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
        // Like tryLock(), but shared: shared locks exclude exclusive ones
        // only.  Works on files opened for reading.  The default is exclusive.
        virtual Status tryLockShared(std::uint64_t offset, std::uint64_t length) {
            return tryLock(offset, length);
        }
        virtual void unlock(std::uint64_t offset, std::uint64_t length) = 0;
        // Cuts the file to `size` bytes (never grows it).
        virtual Status truncate(std::uint64_t size) = 0;
        virtual Result<FileId> id() = 0;
        [[nodiscard]] virtual const std::filesystem::path& path() const = 0;
    };

    virtual ~FileIo() = default;
    virtual Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) = 0;
    // Atomically replaces `to` by `from` and makes the rename durable.
    virtual Status rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Moves `from` to `to` only when no file is at `to`, in one step, so that
    // of several processes putting a new file in place exactly one wins and
    // a file already there is never replaced.  True when moved (durably);
    // false when `to` exists, `from` then stays where it was.
    virtual Result<bool> renameIfAbsent(const std::filesystem::path& from,
                                        const std::filesystem::path& to) = 0;
    // Removes a file; a missing file is not an error.
    virtual Status remove(const std::filesystem::path& path) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;
    // The file now at `path`; NotFound when there is none.
    virtual Result<FileId> fileId(const std::filesystem::path& path) = 0;
    // The files of a folder.  Layers without folders list none.
    virtual Result<std::vector<FolderEntry>> listFolder(const std::filesystem::path& folder) {
        (void)folder;
        return std::vector<FolderEntry>{};
    }

    // The process-wide POSIX implementation.
    static FileIo& posix();
};

}  // namespace quivra::storage
