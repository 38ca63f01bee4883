#pragma once
// FaultyFileIo: the POSIX file layer with faults on demand, standing in for
// a full disk or a failing device.
//   writeBudget: bytes that may still be added to files.  As on a disk that
//     fills up, overwriting bytes a file already has always works; the write
//     that would grow a file past the budget puts down what fits and fails.
//   failWriteNumber: the n-th write call (counting from 0) fails whole, as
//     an I/O error does; the others succeed.
//   failSync, failRename: every sync / rename fails.

#include "ForwardingFileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

namespace quivra::storage::test {

class FaultyFileIo final : public ForwardingFileIo {
public:
    // Bytes that may still be written; unlimited by default.
    std::uint64_t writeBudget = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t failWriteNumber = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t writesSeen = 0;
    bool failSync = false;
    bool failRename = false;

    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (failRename)
            return Status::ioError("Cannot rename '" + from.string() + "': injected fault");
        return ForwardingFileIo::rename(from, to);
    }

protected:
    std::unique_ptr<File> wrap(std::unique_ptr<File> file) override {
        return std::make_unique<FaultyFile>(*this, std::move(file));
    }

private:
    class FaultyFile final : public ForwardingFile {
    public:
        FaultyFile(FaultyFileIo& io, std::unique_ptr<File> inner)
            : ForwardingFile(std::move(inner)), m_io(io) {}
        Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
            if (m_io.writesSeen++ == m_io.failWriteNumber) {
                return Status::ioError("Cannot write to file '" + path().string() +
                                       "': " + std::strerror(EIO));
            }
            auto size = ForwardingFile::size();
            if (!size) return size.status();
            const std::uint64_t growth =
                offset + n > *size ? offset + n - std::max(offset, *size) : 0;
            if (growth <= m_io.writeBudget) {
                m_io.writeBudget -= growth;
                return ForwardingFile::writeAt(offset, buf, n);
            }
            const std::uint64_t fits = std::max(offset, *size) - offset + m_io.writeBudget;
            m_io.writeBudget = 0;
            if (fits > 0)
                (void)ForwardingFile::writeAt(offset, buf, static_cast<std::size_t>(fits));
            return Status::ioError("Cannot write to file '" + path().string() +
                                   "': " + std::strerror(ENOSPC));
        }
        Status sync() override {
            if (m_io.failSync)
                return Status::ioError("Cannot sync file '" + path().string() +
                                       "': injected fault");
            return ForwardingFile::sync();
        }

    private:
        FaultyFileIo& m_io;
    };
};

}  // namespace quivra::storage::test
