#include "MemoryFileIo.h"

#include <algorithm>
#include <cstdint>

namespace quivra::storage {

namespace {

class MemoryFile final : public FileIo::File {
public:
    MemoryFile(std::filesystem::path path, std::shared_ptr<std::string> bytes, bool writable)
        : m_path(std::move(path)), m_bytes(std::move(bytes)), m_writable(writable) {}

    Result<std::size_t> readAt(std::uint64_t offset, char* buf, std::size_t n) override {
        if (offset >= m_bytes->size()) return std::size_t{0};
        const std::size_t got = std::min<std::size_t>(n, m_bytes->size() - offset);
        std::copy_n(m_bytes->data() + offset, got, buf);
        return got;
    }
    Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
        if (!m_writable)
            return Status::ioError("Cannot write to file '" + m_path.string() + "': read-only");
        if (offset + n > (std::uint64_t{1} << 32)) {
            return Status::ioError("Cannot write to file '" + m_path.string() +
                                   "': file too large");
        }
        if (m_bytes->size() < offset + n) m_bytes->resize(offset + n, '\0');
        std::copy_n(buf, n, m_bytes->data() + offset);
        return Status::ok();
    }
    Result<std::uint64_t> size() override { return static_cast<std::uint64_t>(m_bytes->size()); }
    Status sync() override { return Status::ok(); }
    Status lock(std::uint64_t, std::uint64_t) override {
        if (!m_writable)
            return Status::busy("Cannot lock file '" + m_path.string() + "': read-only");
        return Status::ok();
    }
    Status tryLockShared(std::uint64_t, std::uint64_t) override { return Status::ok(); }
    void unlock(std::uint64_t, std::uint64_t) override {}
    Status truncate(std::uint64_t size) override {
        if (!m_writable)
            return Status::ioError("Cannot shorten file '" + m_path.string() + "': read-only");
        if (size < m_bytes->size()) m_bytes->resize(size);
        return Status::ok();
    }
    Result<FileIo::FileId> id() override { return MemoryFileIo::idOf(*m_bytes); }
    [[nodiscard]] const std::filesystem::path& path() const override { return m_path; }

private:
    std::filesystem::path m_path;
    std::shared_ptr<std::string> m_bytes;
    bool m_writable;
};

}  // namespace

Result<std::unique_ptr<FileIo::File>> MemoryFileIo::open(const std::filesystem::path& path,
                                                         Mode mode) {
    auto it = m_files.find(path);
    if (mode == Mode::CreateNew) {
        if (it != m_files.end())
            return Status::ioError("Cannot create file '" + path.string() + "': it exists");
        if (m_readOnly)
            return Status::ioError("Cannot create file '" + path.string() + "': read-only");
        it = m_files.emplace(path, std::make_shared<std::string>()).first;
    } else if (it == m_files.end()) {
        return Status::notFound("Cannot open file '" + path.string() +
                                "': No such file or directory");
    } else if (mode == Mode::ReadWrite && m_readOnly) {
        return Status::ioError("Cannot open file '" + path.string() + "': read-only");
    }
    return std::unique_ptr<File>(
        std::make_unique<MemoryFile>(path, it->second, mode != Mode::Read));
}

Status MemoryFileIo::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    auto it = m_files.find(from);
    if (it == m_files.end())
        return Status::notFound("Cannot rename '" + from.string() + "': no such file");
    auto bytes = it->second;
    m_files.erase(it);
    m_files[to] = std::move(bytes);
    return Status::ok();
}

Result<bool> MemoryFileIo::renameIfAbsent(const std::filesystem::path& from,
                                          const std::filesystem::path& to) {
    if (m_files.count(to) != 0) return false;
    if (Status s = rename(from, to); !s) return s;
    return true;
}

Status MemoryFileIo::remove(const std::filesystem::path& path) {
    m_files.erase(path);
    return Status::ok();
}

bool MemoryFileIo::exists(const std::filesystem::path& path) {
    return m_files.count(path) != 0;
}

FileIo::FileId MemoryFileIo::idOf(const std::string& bytes) {
    return {0, reinterpret_cast<std::uintptr_t>(&bytes)};
}

Result<FileIo::FileId> MemoryFileIo::fileId(const std::filesystem::path& path) {
    auto it = m_files.find(path);
    if (it == m_files.end()) {
        return Status::notFound("Cannot find file '" + path.string() +
                                "': No such file or directory");
    }
    return idOf(*it->second);
}

void MemoryFileIo::setFile(const std::filesystem::path& path, std::string bytes) {
    m_files[path] = std::make_shared<std::string>(std::move(bytes));
}

std::string MemoryFileIo::file(const std::filesystem::path& path) const {
    auto it = m_files.find(path);
    return it == m_files.end() ? std::string() : *it->second;
}

}  // namespace quivra::storage
