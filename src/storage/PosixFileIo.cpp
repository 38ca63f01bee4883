#include "PosixFileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace quivra::storage {

namespace {

std::string describe(const std::filesystem::path& path, const char* what, int err) {
    return "Cannot " + std::string(what) + " file '" + path.string() + "': " + std::strerror(err);
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

FileIo::FileId idOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

class PosixFile final : public FileIo::File {
public:
    PosixFile(std::filesystem::path path, int fd) : m_path(std::move(path)), m_fd(fd) {}
    ~PosixFile() override { ::close(m_fd); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    Result<std::size_t> readAt(std::uint64_t offset, char* buf, std::size_t n) override {
        std::size_t done = 0;
        while (done < n) {
            const ssize_t got =
                ::pread(m_fd, buf + done, n - done, static_cast<off_t>(offset + done));
            if (got < 0) {
                if (errno == EINTR) continue;
                return Status::ioError(describe(m_path, "read", errno));
            }
            if (got == 0) break;  // end of file
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

    Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
        std::size_t done = 0;
        while (done < n) {
            const ssize_t put =
                ::pwrite(m_fd, buf + done, n - done, static_cast<off_t>(offset + done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return Status::ioError(describe(m_path, "write to", errno));
            }
            done += static_cast<std::size_t>(put);
        }
        return Status::ok();
    }

    Result<std::uint64_t> size() override {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) return Status::ioError(describe(m_path, "examine", errno));
        return static_cast<std::uint64_t>(st.st_size);
    }

    Status sync() override {
        while (::fdatasync(m_fd) != 0) {
            if (errno != EINTR) return Status::ioError(describe(m_path, "sync", errno));
        }
        return Status::ok();
    }

    Status lock(std::uint64_t offset, std::uint64_t length) override {
        return setLock(F_OFD_SETLKW, F_WRLCK, offset, length);
    }

    Status tryLock(std::uint64_t offset, std::uint64_t length) override {
        return setLock(F_OFD_SETLK, F_WRLCK, offset, length);
    }

    Status tryLockShared(std::uint64_t offset, std::uint64_t length) override {
        return setLock(F_OFD_SETLK, F_RDLCK, offset, length);
    }

    void unlock(std::uint64_t offset, std::uint64_t length) override {
        (void)setLock(F_OFD_SETLK, F_UNLCK, offset, length);  // releasing a held range cannot fail
    }

    Status truncate(std::uint64_t size) override {
        while (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
            if (errno != EINTR) return Status::ioError(describe(m_path, "shorten", errno));
        }
        return Status::ok();
    }

    Result<FileIo::FileId> id() override {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) return Status::ioError(describe(m_path, "examine", errno));
        return idOf(st);
    }

    [[nodiscard]] const std::filesystem::path& path() const override { return m_path; }

private:
    // An open-file-description lock request on a byte range, retried when a
    // signal interrupts it.  `command` F_OFD_SETLKW waits, F_OFD_SETLK does not.
    Status setLock(int command, short type, std::uint64_t offset, std::uint64_t length) {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(offset);
        fl.l_len = static_cast<off_t>(length);
        while (::fcntl(m_fd, command, &fl) != 0) {
            const int err = errno;
            if (err == EINTR) continue;
            // Another open file holds a conflicting lock; anything else is
            // a failure of the call itself.
            if (err == EAGAIN || err == EACCES) return Status::busy(describe(m_path, "lock", err));
            return Status::ioError(describe(m_path, "lock", err));
        }
        return Status::ok();
    }

    std::filesystem::path m_path;
    int m_fd;
};

}  // namespace

Result<std::unique_ptr<FileIo::File>> PosixFileIo::open(const std::filesystem::path& path,
                                                        Mode mode) {
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::Read:
            flags |= O_RDONLY;
            break;
        case Mode::ReadWrite:
            flags |= O_RDWR;
            break;
        case Mode::CreateNew:
            flags |= O_RDWR | O_CREAT | O_EXCL;
            break;
    }
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int err = errno;
        if (mode == Mode::CreateNew && (err == EACCES || err == EPERM || err == EROFS)) {
            // Creating a file needs the right to write into its folder: say so,
            // rather than name a temporary file the user never sees.
            return Status::ioError("The folder '" + folderOf(path).string() +
                                   "' cannot be written (" + std::strerror(err) + ")");
        }
        const std::string msg = describe(path, mode == Mode::CreateNew ? "create" : "open", err);
        if (err == ENOENT) return Status::notFound(msg);
        return Status::ioError(msg);
    }
    return std::unique_ptr<File>(std::make_unique<PosixFile>(path, fd));
}

namespace {

// A changed folder entry is durable only once the folder is on disk.
Status syncFolderOf(const std::filesystem::path& path) {
    const std::filesystem::path dir = folderOf(path);
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        const int rc = ::fsync(dfd);
        const int err = errno;
        ::close(dfd);
        if (rc != 0) return Status::ioError(describe(dir, "sync the folder of", err));
    }
    return Status::ok();
}

std::string renameFailure(const std::filesystem::path& from, const std::filesystem::path& to,
                          int err) {
    return "Cannot rename '" + from.string() + "' to '" + to.string() + "': " + std::strerror(err);
}

}  // namespace

Status PosixFileIo::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        return Status::ioError(renameFailure(from, to, errno));
    return syncFolderOf(to);
}

Result<bool> PosixFileIo::renameIfAbsent(const std::filesystem::path& from,
                                         const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        if (Status s = syncFolderOf(to); !s) return s;
        return true;
    }
    int err = errno;
    if (err == EEXIST) return false;
    if (err == EINVAL || err == ENOSYS) {
        // A file system without the flag (some network shares): a hard link
        // fails on an existing name in the same one step.
        if (::link(from.c_str(), to.c_str()) == 0) {
            ::unlink(from.c_str());
            if (Status s = syncFolderOf(to); !s) return s;
            return true;
        }
        err = errno;
        if (err == EEXIST) return false;
    }
    return Status::ioError(renameFailure(from, to, err));
}

Status PosixFileIo::remove(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return Status::ioError(describe(path, "remove", errno));
    }
    return Status::ok();
}

bool PosixFileIo::exists(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

Result<FileIo::FileId> PosixFileIo::fileId(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT) return Status::notFound(describe(path, "find", err));
        return Status::ioError(describe(path, "examine", err));
    }
    return idOf(st);
}

Result<std::vector<FileIo::FolderEntry>> PosixFileIo::listFolder(
    const std::filesystem::path& folder) {
    const std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : folder;
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        return Status::ioError("Cannot list folder '" + dir.string() +
                               "': " + std::strerror(errno));
    }
    std::vector<FolderEntry> entries;
    while (const dirent* e = ::readdir(d)) {
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        const auto modified = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec) +
                              std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                  std::chrono::nanoseconds(st.st_mtim.tv_nsec));
        entries.push_back({e->d_name, modified});
    }
    ::closedir(d);
    return entries;
}

FileIo& FileIo::posix() {
    static PosixFileIo io;
    return io;
}

}  // namespace quivra::storage
