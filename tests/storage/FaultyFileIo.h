#pragma once
// FaultyFileIo: the POSIX file layer with faults on demand, standing in for
// a full disk or a failing device.
//   writeBudget: bytes that may still be added to files.  As on a disk that
//     fills up, overwriting bytes a file already has always works; the write
//     that would grow a file past the budget puts down what fits and fails.
//   failWriteNumber: the n-th write call (counting from 0) fails whole, as
//     an I/O error does; the others succeed.
//   failSync, failRename: every sync / rename fails.

#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

namespace quivra::storage::test {

class FaultyFileIo final : public FileIo {
public:
    // Bytes that may still be written; unlimited by default.
    std::uint64_t writeBudget = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t failWriteNumber = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t writesSeen = 0;
    bool failSync = false;
    bool failRename = false;

    Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) override {
        auto inner = FileIo::posix().open(path, mode);
        if (!inner) return inner.status();
        return std::unique_ptr<File>(std::make_unique<FaultyFile>(*this, std::move(inner).value()));
    }
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (failRename)
            return Status::ioError("Cannot rename '" + from.string() + "': injected fault");
        return FileIo::posix().rename(from, to);
    }
    Status remove(const std::filesystem::path& path) override {
        return FileIo::posix().remove(path);
    }
    bool exists(const std::filesystem::path& path) override { return FileIo::posix().exists(path); }

private:
    class FaultyFile final : public File {
    public:
        FaultyFile(FaultyFileIo& io, std::unique_ptr<File> inner)
            : m_io(io), m_inner(std::move(inner)) {}
        Result<std::size_t> readAt(std::uint64_t offset, char* buf, std::size_t n) override {
            return m_inner->readAt(offset, buf, n);
        }
        Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
            if (m_io.writesSeen++ == m_io.failWriteNumber) {
                return Status::ioError("Cannot write to file '" + path().string() +
                                       "': " + std::strerror(EIO));
            }
            auto size = m_inner->size();
            if (!size) return size.status();
            const std::uint64_t growth =
                offset + n > *size ? offset + n - std::max(offset, *size) : 0;
            if (growth <= m_io.writeBudget) {
                m_io.writeBudget -= growth;
                return m_inner->writeAt(offset, buf, n);
            }
            const std::uint64_t fits = std::max(offset, *size) - offset + m_io.writeBudget;
            m_io.writeBudget = 0;
            if (fits > 0) (void)m_inner->writeAt(offset, buf, static_cast<std::size_t>(fits));
            return Status::ioError("Cannot write to file '" + path().string() +
                                   "': " + std::strerror(ENOSPC));
        }
        Result<std::uint64_t> size() override { return m_inner->size(); }
        Status sync() override {
            if (m_io.failSync)
                return Status::ioError("Cannot sync file '" + path().string() +
                                       "': injected fault");
            return m_inner->sync();
        }
        Status lock(std::uint64_t offset, std::uint64_t length) override {
            return m_inner->lock(offset, length);
        }
        Status tryLock(std::uint64_t offset, std::uint64_t length) override {
            return m_inner->tryLock(offset, length);
        }
        void unlock(std::uint64_t offset, std::uint64_t length) override {
            m_inner->unlock(offset, length);
        }
        [[nodiscard]] const std::filesystem::path& path() const override { return m_inner->path(); }

    private:
        FaultyFileIo& m_io;
        std::unique_ptr<File> m_inner;
    };
};

}  // namespace quivra::storage::test
