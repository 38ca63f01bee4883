#include "PosixFileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

namespace quivra::storage {

namespace {

std::string describe(const std::filesystem::path& path, const char* what, int err) {
    return "Cannot " + std::string(what) + " file '" + path.string() + "': " + std::strerror(err);
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

    void unlock(std::uint64_t offset, std::uint64_t length) override {
        (void)setLock(F_OFD_SETLK, F_UNLCK, offset, length);  // releasing a held range cannot fail
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
            if (errno != EINTR) return Status::busy(describe(m_path, "lock", errno));
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
        const std::string msg = describe(path, mode == Mode::CreateNew ? "create" : "open", err);
        if (err == ENOENT) return Status::notFound(msg);
        return Status::ioError(msg);
    }
    return std::unique_ptr<File>(std::make_unique<PosixFile>(path, fd));
}

Status PosixFileIo::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Status::ioError("Cannot rename '" + from.string() + "' to '" + to.string() +
                               "': " + std::strerror(errno));
    }
    // The rename is durable only once the directory entry is on disk.
    std::filesystem::path dir = to.parent_path();
    if (dir.empty()) dir = ".";
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        const int rc = ::fsync(dfd);
        const int err = errno;
        ::close(dfd);
        if (rc != 0) return Status::ioError(describe(dir, "sync the folder of", err));
    }
    return Status::ok();
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

FileIo& FileIo::posix() {
    static PosixFileIo io;
    return io;
}

}  // namespace quivra::storage
