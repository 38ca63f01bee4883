#pragma once
// A file layer that ends the process, as a power cut or a kill would, just
// before its n-th step: a write, a sync, a rename or a truncation.  With
// `tear`, a write it stops at puts down the first half of its bytes first.
// Run in a forked child, it lets a test stop a save at every step in turn
// and look at what the files hold afterwards.

#include "ForwardingFileIo.h"

#include <cstdint>
#include <limits>

#include <unistd.h>

namespace quivra::customers::test {

inline constexpr int kCrashedExit = 77;

class CrashingFileIo final : public storage::ForwardingFileIo {
public:
    // Dies before step `n` (counting from 0); never with the default.
    std::uint64_t crashAt = std::numeric_limits<std::uint64_t>::max();
    bool tear = false;

    // True when this step is the one to die at (the caller dies after
    // tearing its write); other kinds of step die here.
    bool step(bool write = false) {
        if (m_steps++ != crashAt) return false;
        if (!write || !tear) _exit(kCrashedExit);
        return true;
    }
    [[nodiscard]] std::uint64_t steps() const { return m_steps; }

    storage::Status rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override {
        step();
        return ForwardingFileIo::rename(from, to);
    }
    storage::Result<bool> renameIfAbsent(const std::filesystem::path& from,
                                         const std::filesystem::path& to) override {
        step();
        return ForwardingFileIo::renameIfAbsent(from, to);
    }

protected:
    std::unique_ptr<File> wrap(std::unique_ptr<File> file) override {
        return std::make_unique<CrashingFile>(std::move(file), *this);
    }

private:
    class CrashingFile final : public storage::ForwardingFile {
    public:
        CrashingFile(std::unique_ptr<File> inner, CrashingFileIo& io)
            : ForwardingFile(std::move(inner)), m_io(io) {}
        storage::Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
            if (m_io.step(true)) {
                (void)ForwardingFile::writeAt(offset, buf, n / 2);
                _exit(kCrashedExit);
            }
            return ForwardingFile::writeAt(offset, buf, n);
        }
        storage::Status sync() override {
            m_io.step();
            return ForwardingFile::sync();
        }
        storage::Status truncate(std::uint64_t size) override {
            m_io.step();
            return ForwardingFile::truncate(size);
        }

    private:
        CrashingFileIo& m_io;
    };

    std::uint64_t m_steps = 0;
};

}  // namespace quivra::customers::test
